#pragma once
// A fresh program folder with a medium folder beside DATA, the logger's
// files to put on it, and the samples of a vehicle database read back.
#include "CartellaProva.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "Messaggi.h"

#include <QDir>

namespace quarvel {

class ImportProva : public CartellaProva {
 protected:
  static inline const QDate kOggi{2026, 12, 4};

  void SetUp() override {
    CartellaProva::SetUp();
    InizializzaDefault();
    supporto_ = Chiavetta({});
  }
  // An import of every file on the medium.
  RichiestaImport Richiesta() const {
    RichiestaImport r;
    r.targa = "AB123CD";
    r.cartellaSorgente = supporto_;
    r.file = FileDellaCartella(supporto_);
    r.oggi = kOggi;
    return r;
  }
  RisultatoImport Importa() { return EseguiImport(Richiesta(), nullptr); }
  QString Database() const { return Percorso("DATA/AB123CD_ 2026.mdb"); }
  QString Errori() const { return QString::fromUtf8(LeggiTutto(Percorso("DATA/AB123CD_ 2026.txt"))); }

  // Every column of every sample, in time order.
  static std::vector<CampioneLog> Campioni(const QString& percorso) {
    std::vector<CampioneLog> v;
    DatabaseLogs db;
    EXPECT_TRUE(db.Apri(percorso));
    CursoreLogs& c = db.Cursore();
    for (c.Primo(); !c.AllaFine(); c.Successivo()) v.push_back(c.Campione());
    EXPECT_TRUE(c.Errore().isEmpty());
    return v;
  }

  // Three days of a logger on the medium: recordings with their headers,
  // one going on from one file into the next, a damaged line, a second
  // logged twice; 9,500 lines.
  void ScriviGiorni() {
    Istante t = *IstanteDa(2026, 12, 1, 6, 0, 0);
    auto Dati = [&](int n, QByteArray& testo) {
      for (int i = 0; i < n; ++i, ++t) {
        const DataOra d = Scomponi(t);
        testo += QString::asprintf("%02d/%02d/%04d,%02d.%02d.%02d,0,0,%d.5,%d,0,%d,0,0,%d,0,%d.25,%d,0,0,%d,0,\r\n",
                                   d.giorno, d.mese, d.anno, d.ora, d.minuto, d.secondo, 60 - i % 50,
                                   800 + i % 900, i % 90, 200 + i % 7, 1000 + i / 20, 500 + i / 300,
                                   150 + i % 11)
                     .toLatin1();
      }
    };
    const QByteArray testata = "Data,Ora,ID=AB123CD,FW 2.1\r\nData,Ora,N Status,Livello,Giri,Velocita\r\n";
    QByteArray uno = testata, due, tre = testata;
    Dati(1500, uno);
    const QByteArray ripetuta = uno.mid(testata.size(), uno.indexOf("\r\n", testata.size()) + 2 - testata.size());
    uno += "riga danneggiata\r\n";
    Dati(1500, uno);
    uno += ripetuta;  // a second logged twice
    Dati(3000, due);
    due += testata;
    t += 3600;
    Dati(2000, due);
    t += 7200;
    Dati(1500, tre);
    ScriviTutto(supporto_ + "/LOG_1.CSV", uno);
    ScriviTutto(supporto_ + "/LOG_2.CSV", due);
    ScriviTutto(supporto_ + "/LOG_3.CSV", tre);
  }

  QString supporto_;
  RegistratoreMessaggi messaggi_;
};

}  // namespace quarvel
