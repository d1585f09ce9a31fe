#pragma once
// A fresh program folder with a medium folder beside DATA, the logger's
// files to put on it, and the samples of a vehicle database read back.
#include "CampioniProva.h"
#include "CartellaProva.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "Messaggi.h"

#include <QDir>

namespace quarvel {

// A recording's two header lines, as the logger writes them.
inline const QByteArray kTestata = "Data,Ora,ID=AB123CD,FW 2.1\r\nData,Ora,N Status,Livello,Giri,Velocita\r\n";

// n data lines, one a second from t (which moves past them).
inline QByteArray Righe(Istante& t, int n) {
  QByteArray testo;
  for (int i = 0; i < n; ++i, ++t) {
    const DataOra d = Scomponi(t);
    testo += QString::asprintf("%02d/%02d/%04d,%02d.%02d.%02d,0,0,%d.5,%d,0,%d,0,0,%d,0,%d.25,%d,0,0,%d,0,\r\n",
                               d.giorno, d.mese, d.anno, d.ora, d.minuto, d.secondo, 60 - i % 50, 800 + i % 900,
                               i % 90, 200 + i % 7, 1000 + i / 20, 500 + i / 300, 150 + i % 11)
                 .toLatin1();
  }
  return testo;
}

class ImportProva : public CartellaProva {
 protected:
  static inline const QDate kOggi{2026, 12, 4};

  void SetUp() override {
    CartellaProva::SetUp();
    InizializzaDefault();
    supporto_ = Chiavetta({});
  }
  // An import of every file on the medium, or in another folder.
  RichiestaImport Richiesta() const { return Richiesta(supporto_); }
  static RichiestaImport Richiesta(const QString& cartella) {
    RichiestaImport r;
    r.targa = "AB123CD";
    r.cartellaSorgente = cartella;
    r.file = FileDellaCartella(cartella);
    r.oggi = kOggi;
    return r;
  }
  RisultatoImport Importa() { return EseguiImport(Richiesta(), nullptr); }
  QString Database() const { return Percorso("DATA/AB123CD_ 2026.mdb"); }
  QString Errori() const { return QString::fromUtf8(LeggiTutto(Percorso("DATA/AB123CD_ 2026.txt"))); }

  // Three days of a logger on the medium: recordings with their headers,
  // one going on from one file into the next, a damaged line, a second
  // logged twice; 9,500 lines, or a `parte` of them.
  void ScriviGiorni(int parte = 1) {
    Istante t = *IstanteDa(2026, 12, 1, 6, 0, 0);
    const QByteArray primi = Righe(t, 1500 / parte);
    const QByteArray uno = kTestata + primi + "riga danneggiata\r\n" + Righe(t, 1500 / parte) +
                           primi.left(primi.indexOf("\r\n") + 2);  // a second logged twice
    QByteArray due = Righe(t, 3000 / parte) + kTestata;
    t += 3600;
    due += Righe(t, 2000 / parte);
    t += 7200;
    ScriviTutto(supporto_ + "/LOG_1.CSV", uno);
    ScriviTutto(supporto_ + "/LOG_2.CSV", due);
    ScriviTutto(supporto_ + "/LOG_3.CSV", kTestata + Righe(t, 1500 / parte));
  }

  QString supporto_;
  RegistratoreMessaggi messaggi_;
};

}  // namespace quarvel
