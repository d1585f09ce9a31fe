#include "CartellaProva.h"
#include "CartellaProgramma.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "Messaggi.h"
#include "SpostaFile.h"

#include <QDir>
#include <sqlite3.h>
#include <QFile>
#include <gtest/gtest.h>

using namespace quarvel;

namespace {
const QDate kOggi(2026, 12, 4);

class ImportaLogProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    InizializzaDefault();
    supporto_ = Percorso("chiavetta");
    QDir().mkpath(supporto_);
  }
  void MettiSulSupporto(const QStringList& nomi) {
    for (const QString& nome : nomi)
      ScriviTutto(supporto_ + "/" + nome, LeggiTutto(DatoProva("import/" + nome)));
  }
  RisultatoImport Importa(const QStringList& nomi) {
    RichiestaImport r;
    r.targa = "AB123CD";
    r.cartellaSorgente = supporto_;
    r.file = nomi;
    r.oggi = kOggi;
    r.sposta = sposta_;
    return EseguiImport(r, nullptr);
  }
  // The samples stored in the vehicle database, as (DatoPT, TimeDate).
  std::vector<std::pair<int64_t, Istante>> Campioni() {
    std::vector<std::pair<int64_t, Istante>> c;
    EXPECT_TRUE(ApriLogs(Percorso("DATA/AB123CD_ 2026.mdb")).ok);
    CursoreLogs& r = RecordsetLogs();
    for (r.Primo(); !r.AllaFine(); r.Successivo()) c.emplace_back(r.Intero(kDatoPT), r.TimeDate());
    ChiudiLogs();
    return c;
  }
  QString Atteso(const QString& archivio) {
    QString testo = QString::fromUtf8(LeggiTutto(DatoProva("import/errori_attesi.txt")));
    return testo.replace("{DATA}", PercorsoProgramma("DATA")).replace("{ARCH}", archivio);
  }

  QString supporto_;
  std::function<EsitoSpostamento(const QString&, const QString&)> sposta_;
  RegistratoreMessaggi messaggi_;
};
}  // namespace

TEST_F(ImportaLogProva, DueFileDueRegistrazioniDallaChiavettaAlDatabase) {
  MettiSulSupporto({"LOG_A.CSV", "LOG_B.CSV"});
  const RisultatoImport r = Importa({"LOG_A.CSV", "LOG_B.CSV"});

  ASSERT_TRUE(r.eseguito);
  const QString archivio = PercorsoProgramma("DATA/AB123CD_2026-12-04_ 1");
  EXPECT_EQ(r.cartellaArchivio, archivio);
  EXPECT_EQ(QString::fromUtf8(LeggiTutto(Percorso("DATA/AB123CD_ 2026.txt"))), Atteso(archivio));
  EXPECT_EQ(r.didascaliaFile, "N° File importati :  2");
  EXPECT_EQ(r.didascaliaViaggi, " N° Viaggi rilevati :  2");
  EXPECT_EQ(r.didascaliaTempo, " Tempo importato :  0h,  0min,  6sec");
  EXPECT_EQ(r.didascaliaErrori, " Errori in elaborazione stringhe :  4");
  // Gone from the medium, byte for byte in the archive.
  for (const char* nome : {"LOG_A.CSV", "LOG_B.CSV"}) {
    EXPECT_FALSE(QFile::exists(supporto_ + "/" + nome));
    EXPECT_EQ(LeggiTutto(archivio + "/" + nome), LeggiTutto(DatoProva(QString("import/") + nome)));
  }
  // DatoPT goes on across the files until the next recording header.
  const auto c = Campioni();
  ASSERT_EQ(c.size(), 6u);
  EXPECT_EQ((std::vector<int64_t>{c[0].first, c[1].first, c[2].first, c[3].first, c[4].first,
                                  c[5].first}),
            (std::vector<int64_t>{0, 1, 2, 3, 0, 1}));
  EXPECT_EQ(c[0].second, *IstanteDa(2026, 12, 4, 8, 0, 0));
  // The summary message closes the import.
  ASSERT_FALSE(messaggi_.messaggi.empty());
  EXPECT_TRUE(messaggi_.messaggi.back().testo.endsWith("\nRecord:  6\nError:  4\n"));
}

TEST_F(ImportaLogProva, LaStessaImportazioneDueVolteNonSalvaNulla) {
  MettiSulSupporto({"LOG_A.CSV", "LOG_B.CSV"});
  Importa({"LOG_A.CSV", "LOG_B.CSV"});
  MettiSulSupporto({"LOG_A.CSV", "LOG_B.CSV"});
  const RisultatoImport r = Importa({"LOG_A.CSV", "LOG_B.CSV"});

  EXPECT_EQ(r.cartellaArchivio, PercorsoProgramma("DATA/AB123CD_2026-12-04_ 2"));
  EXPECT_EQ(r.recordSalvati, 0);
  EXPECT_EQ(r.righeNonSalvate, 10);  // 7 data lines, 2 recording headers, 1 damaged line
  const QStringList righe =
      QString::fromUtf8(LeggiTutto(Percorso("DATA/AB123CD_ 2026.txt"))).split("\r\n");
  EXPECT_EQ(righe.filter(" Errore record duplicato").size(), 7);
  EXPECT_EQ(Campioni().size(), 6u);
}

TEST_F(ImportaLogProva, SupportoVuotoCreaArchivioEDatabaseConContiAZero) {
  const RisultatoImport r = Importa({});
  ASSERT_FALSE(messaggi_.messaggi.empty());
  EXPECT_EQ(messaggi_.messaggi.front().icona, Icona::Informazione);
  EXPECT_EQ(messaggi_.messaggi.front().titolo, "Avviso");
  EXPECT_FALSE(messaggi_.messaggi.front().testo.isEmpty());  // text 2005
  EXPECT_TRUE(QDir(r.cartellaArchivio).isEmpty());
  EXPECT_TRUE(QFile::exists(Percorso("DATA/AB123CD_ 2026.mdb")));
  EXPECT_EQ(r.didascaliaFile, "N° File importati :  0");
  EXPECT_EQ(r.didascaliaTempo, " Tempo importato :  0h,  0min,  0sec");
}

TEST_F(ImportaLogProva, UnaCopiaFallitaLasciaIlFileSulSupporto) {
  MettiSulSupporto({"LOG_A.CSV", "LOG_B.CSV"});
  sposta_ = [](const QString& da, const QString& a) {
    if (da.endsWith("LOG_A.CSV"))
      return EsitoSpostamento{EsitoSpostamento::Stato::NonCopiato, "disco pieno"};
    return SpostaFileVerificato(da, a);
  };
  const RisultatoImport r = Importa({"LOG_A.CSV", "LOG_B.CSV"});

  EXPECT_TRUE(QFile::exists(supporto_ + "/LOG_A.CSV"));
  EXPECT_EQ(r.fileRimastiSulSupporto, QStringList{"disco pieno"});
  EXPECT_TRUE(messaggi_.Testi().filter("disco pieno").size() == 1);
  EXPECT_EQ(r.fileLetti, 1);  // the archived file is imported all the same
  EXPECT_EQ(r.recordSalvati, 3);
}

TEST_F(ImportaLogProva, SpostamentoVerificatoNonPerdeMaiLaSorgente) {
  MettiSulSupporto({"LOG_A.CSV"});
  const QString sorgente = supporto_ + "/LOG_A.CSV";
  // A destination that cannot be written: the source stays, no half copy.
  auto e = SpostaFileVerificato(sorgente, Percorso("manca/LOG_A.CSV"));
  EXPECT_EQ(e.stato, EsitoSpostamento::Stato::NonCopiato);
  EXPECT_FALSE(e.errore.isEmpty());
  EXPECT_TRUE(QFile::exists(sorgente));
  // A source that is gone (the stick pulled out).
  e = SpostaFileVerificato(supporto_ + "/NON_CE.CSV", Percorso("NON_CE.CSV"));
  EXPECT_EQ(e.stato, EsitoSpostamento::Stato::NonCopiato);
  EXPECT_FALSE(QFile::exists(Percorso("NON_CE.CSV")));
  // A good move.
  e = SpostaFileVerificato(sorgente, Percorso("LOG_A.CSV"));
  EXPECT_EQ(e.stato, EsitoSpostamento::Stato::Spostato);
  EXPECT_FALSE(QFile::exists(sorgente));
  EXPECT_EQ(LeggiTutto(Percorso("LOG_A.CSV")), LeggiTutto(DatoProva("import/LOG_A.CSV")));
}

TEST(TempoImportato, OreMinutiSecondiConIlBlancoDavanti) {
  EXPECT_EQ(TestoTempoImportato(3725), " 1h,  2min,  5sec");
  EXPECT_EQ(NomeCartellaArchivio("AB123CD", kOggi, 12), "AB123CD_2026-12-04_ 12");
}

TEST_F(ImportaLogProva, UnFileConIlSegnoDiOrdineDeiByteApreComunqueLaRegistrazione) {
  ScriviTutto(supporto_ + "/LOG_A.CSV", "\xEF\xBB\xBF" + LeggiTutto(DatoProva("import/LOG_A.CSV")));
  const RisultatoImport r = Importa({"LOG_A.CSV"});
  EXPECT_EQ(r.viaggi, 1);
  EXPECT_EQ(r.recordSalvati, 3);
}

namespace {
// Another program holding the vehicle database locked from the moment the
// import has opened it.
class Bloccante : public OsservatoreImport {
 public:
  explicit Bloccante(QString percorso) : percorso_(std::move(percorso)) {}
  ~Bloccante() override { Rilascia(); }
  void Inizio(int) override {
    sqlite3_open(percorso_.toUtf8().constData(), &db_);
    sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
  }
  void Rilascia() {
    if (db_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
    db_ = nullptr;
  }

 private:
  QString percorso_;
  sqlite3* db_ = nullptr;
};
}  // namespace

TEST_F(ImportaLogProva, UnDatabaseBloccatoFermaLImportazioneConUnSoloMessaggio) {
  MettiSulSupporto({"LOG_A.CSV", "LOG_B.CSV"});
  RichiestaImport r;
  r.targa = "AB123CD";
  r.cartellaSorgente = supporto_;
  r.file = QStringList{"LOG_A.CSV", "LOG_B.CSV"};
  r.oggi = kOggi;
  Bloccante altro(Percorso("DATA/AB123CD_ 2026.mdb"));
  const RisultatoImport esito = EseguiImport(r, &altro);
  altro.Rilascia();

  EXPECT_EQ(esito.recordSalvati, 0);
  EXPECT_EQ(messaggi_.Testi().filter("Errore Database, comunicare Err: ").size(), 1);
  EXPECT_EQ(messaggi_.Testi().filter(esito.cartellaArchivio).size(), 1);  // where the files are
  // Nothing is lost: the archived files import in full once the lock is gone.
  r.cartellaSorgente = esito.cartellaArchivio;
  r.file = FileDellaCartella(esito.cartellaArchivio);
  EXPECT_EQ(EseguiImport(r, nullptr).recordSalvati, 6);
}
