#include "CartellaProgramma.h"
#include "ImportProva.h"
#include "SpostaFile.h"

#include <QFile>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sqlite3.h>
#include <sys/ioctl.h>
#include <fcntl.h>
#include <unistd.h>

using namespace quarvel;

namespace {
class ImportaLogProva : public ImportProva {};
}  // namespace

TEST_F(ImportaLogProva, DueFileDueRegistrazioniDallaChiavettaAlDatabase) {
  MettiSulSupporto({"LOG_A.CSV", "LOG_B.CSV"});
  const RisultatoImport r = Importa();

  ASSERT_EQ(r.stato, StatoImport::Completata);
  EXPECT_TRUE(r.Riuscita());
  const QString archivio = PercorsoProgramma("DATA/AB123CD_2026-12-04_ 1");
  EXPECT_EQ(r.cartellaArchivio, archivio);
  QString atteso = QString::fromUtf8(LeggiTutto(DatoProva("import/errori_attesi.txt")));
  EXPECT_EQ(Errori(), atteso.replace("{DATA}", PercorsoProgramma("DATA")).replace("{ARCH}", archivio));
  EXPECT_EQ(r.didascaliaErrori, " Errori in elaborazione stringhe :  4");
  for (const char* nome : {"LOG_A.CSV", "LOG_B.CSV"}) {
    EXPECT_FALSE(QFile::exists(supporto_ + "/" + nome));
    EXPECT_EQ(LeggiTutto(archivio + "/" + nome), LeggiTutto(DatoProva(QString("import/") + nome)));
  }
  // DatoPT goes on across the files until the next recording header; a
  // second logged twice is stored once.
  std::vector<int> datoPT;
  for (const CampioneLog& c : Campioni(Database())) datoPT.push_back(c.DatoPT);
  EXPECT_EQ(datoPT, (std::vector<int>{0, 1, 2, 3, 0, 1}));
  ASSERT_FALSE(messaggi_.messaggi.empty());
  EXPECT_TRUE(messaggi_.messaggi.back().testo.endsWith("\nRecord:  6\nError:  4\n"));
  // Nothing of the import's own is left in DATA.
  EXPECT_EQ(QDir(PercorsoProgramma("DATA")).entryList(QDir::Files),
            (QStringList{"AB123CD_ 2026.mdb", "AB123CD_ 2026.txt"}));

  // The same files again: nothing new is stored.
  MettiSulSupporto({"LOG_A.CSV", "LOG_B.CSV"});
  const RisultatoImport ancora = Importa();
  EXPECT_EQ(ancora.cartellaArchivio, PercorsoProgramma("DATA/AB123CD_2026-12-04_ 2"));
  EXPECT_EQ(ancora.recordSalvati, 0);
  EXPECT_EQ(ancora.righeNonSalvate, 10);  // 7 data lines, 2 recording headers, 1 damaged line
  EXPECT_EQ(Campioni(Database()).size(), 6u);
}

TEST_F(ImportaLogProva, SupportoVuotoCreaArchivioEDatabaseConContiAZero) {
  const RisultatoImport r = Importa();
  ASSERT_FALSE(messaggi_.messaggi.empty());
  EXPECT_EQ(messaggi_.messaggi.front().icona, Icona::Informazione);
  EXPECT_FALSE(messaggi_.messaggi.front().testo.isEmpty());  // text 2005
  EXPECT_TRUE(QDir(r.cartellaArchivio).isEmpty());
  EXPECT_TRUE(QFile::exists(Database()));
  EXPECT_EQ(r.didascaliaFile, "N° File importati :  0");
  EXPECT_EQ(r.didascaliaTempo, " Tempo importato :  0h,  0min,  0sec");
}

TEST_F(ImportaLogProva, UnaRegistrazioneDi40000SecondiArrivaIntera) {
  QByteArray testo = "Data,Ora,ID=AB123CD\r\n";
  Istante t = *IstanteDa(2026, 12, 3, 18, 0, 0);
  for (int i = 0; i < 40000; ++i, ++t) {
    const DataOra d = Scomponi(t);
    testo += QString::asprintf("%02d/%02d/%04d,%02d.%02d.%02d,0,0,50,900,0,70,\r\n", d.giorno, d.mese,
                               d.anno, d.ora, d.minuto, d.secondo)
                 .toLatin1();
  }
  ScriviTutto(supporto_ + "/NOTTE.CSV", testo);
  const RisultatoImport r = Importa();
  EXPECT_EQ(r.recordSalvati, 40000);
  EXPECT_EQ(r.righeNonSalvate, 1);
  const std::vector<CampioneLog> c = Campioni(Database());
  ASSERT_EQ(c.size(), 40000u);
  EXPECT_EQ(c[32767].DatoPT, 32767);
  EXPECT_EQ(c.back().DatoPT, 32767);  // stays there: no new recording, no trip invented
  EXPECT_EQ(std::count_if(c.begin(), c.end(), [](const CampioneLog& x) { return x.DatoPT == 0; }), 1);
}

TEST_F(ImportaLogProva, UnaCopiaCheNonCorrispondeRestaSulSupporto) {
  ScriviGiorni();
  const QByteArray originale = LeggiTutto(supporto_ + "/LOG_2.CSV");
  RichiestaImport r = Richiesta();
  r.prove.primaDelConfronto = [](const QString& copia) {
    if (!copia.contains("LOG_2")) return;
    QFile f(copia);
    f.open(QIODevice::ReadWrite);
    f.seek(5000);
    f.write("#");
  };
  const RisultatoImport esito = EseguiImport(r, nullptr);

  EXPECT_EQ(LeggiTutto(supporto_ + "/LOG_2.CSV"), originale);
  EXPECT_EQ(FileDellaCartella(esito.cartellaArchivio), (QStringList{"LOG_1.CSV", "LOG_3.CSV"}));
  EXPECT_TRUE(QDir(esito.cartellaArchivio).entryList(QDir::Hidden | QDir::Files).filter("LOG_2").isEmpty());
  ASSERT_EQ(esito.fileRimastiSulSupporto.size(), 1);
  EXPECT_TRUE(esito.fileRimastiSulSupporto[0].contains("non corrisponde all'originale"));
  EXPECT_EQ(messaggi_.Testi().filter("rimasti sul supporto e non sono stati importati").size(), 1);
  EXPECT_FALSE(esito.Riuscita());
  EXPECT_EQ(esito.fileLetti, 2);  // the others are imported all the same
}

namespace {
// A folder whose files cannot be deleted, even by root: immutable, or
// read-only for anyone else.
class CartellaBloccata {
 public:
  explicit CartellaBloccata(const QString& cartella) : cartella_(cartella) {
    fd_ = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY);
    int attributi = 0;
    immutabile_ = fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &attributi) == 0 &&
                  ::ioctl(fd_, FS_IOC_SETFLAGS, &(attributi |= FS_IMMUTABLE_FL)) == 0;
    if (!immutabile_) QFile::setPermissions(cartella, QFile::ReadOwner | QFile::ExeOwner);
  }
  ~CartellaBloccata() {
    int attributi = 0;
    if (immutabile_ && ::ioctl(fd_, FS_IOC_GETFLAGS, &attributi) == 0) {
      attributi &= ~FS_IMMUTABLE_FL;
      ::ioctl(fd_, FS_IOC_SETFLAGS, &attributi);
    }
    if (fd_ >= 0) ::close(fd_);
    QFile::setPermissions(cartella_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  bool Funziona() const { return immutabile_ || ::geteuid() != 0; }

 private:
  QString cartella_;
  int fd_ = -1;
  bool immutabile_ = false;
};
}  // namespace

TEST_F(ImportaLogProva, UnFileImportatoMaNonCancellatoNonEUnFallimento) {
  MettiSulSupporto({"LOG_A.CSV"});
  CartellaBloccata bloccata(supporto_);
  if (!bloccata.Funziona()) GTEST_SKIP() << "no way to keep root from deleting here";
  const RisultatoImport r = Importa();
  EXPECT_TRUE(r.Riuscita());
  EXPECT_EQ(r.recordSalvati, 3);
  EXPECT_TRUE(r.fileRimastiSulSupporto.isEmpty());
  ASSERT_EQ(r.fileNonCancellati.size(), 1);
  EXPECT_EQ(messaggi_.Testi().filter("è stato importato, ma non è stato possibile cancellarlo").size(), 1);
  EXPECT_TRUE(messaggi_.Testi().filter("non sono stati importati").isEmpty());
}

TEST_F(ImportaLogProva, SpostamentoVerificatoNonPerdeMaiLaSorgente) {
  MettiSulSupporto({"LOG_A.CSV"});
  const QString sorgente = supporto_ + "/LOG_A.CSV";
  // A destination that cannot be written: the source stays, no half copy.
  auto e = SpostaFileVerificato(sorgente, Percorso("manca/LOG_A.CSV"));
  EXPECT_EQ(e.stato, EsitoSpostamento::Stato::NonCopiato);
  EXPECT_TRUE(QFile::exists(sorgente));
  // A source that is gone (the stick pulled out).
  e = SpostaFileVerificato(supporto_ + "/NON_CE.CSV", Percorso("NON_CE.CSV"));
  EXPECT_EQ(e.stato, EsitoSpostamento::Stato::NonCopiato);
  EXPECT_TRUE(QDir(Percorso("")).entryList(QDir::Hidden | QDir::Files).filter("NON_CE").isEmpty());
  // A copy a kill left in place, the source still there: only the deletion is left.
  ScriviTutto(Percorso("LOG_A.CSV"), LeggiTutto(sorgente));
  e = SpostaFileVerificato(sorgente, Percorso("LOG_A.CSV"));
  EXPECT_EQ(e.stato, EsitoSpostamento::Stato::Spostato);
  EXPECT_FALSE(QFile::exists(sorgente));
  EXPECT_EQ(LeggiTutto(Percorso("LOG_A.CSV")), LeggiTutto(DatoProva("import/LOG_A.CSV")));
}

TEST_F(ImportaLogProva, UnaTargaCheEsceDaDATANonSpostaNulla) {
  MettiSulSupporto({"LOG_A.CSV"});
  for (const char* targa : {"../X1", "A/B", "X:1", "..", "A\tB", " "}) {
    RichiestaImport r = Richiesta();
    r.targa = targa;
    EXPECT_FALSE(EseguiImport(r, nullptr).Eseguita()) << targa;
  }
  EXPECT_TRUE(QFile::exists(supporto_ + "/LOG_A.CSV"));
  EXPECT_TRUE(QDir(Percorso("DATA")).isEmpty());
  EXPECT_EQ(QDir(Percorso("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).filter("X1").size(), 0);
  EXPECT_EQ(messaggi_.messaggi.size(), 6u);
  EXPECT_TRUE(messaggi_.messaggi[0].testo.contains("non è valida"));
}

TEST(TempoImportato, OreMinutiSecondiConIlBlancoDavanti) {
  EXPECT_EQ(TestoTempoImportato(3725), " 1h,  2min,  5sec");
  EXPECT_EQ(NomeCartellaArchivio("AB123CD", QDate(2026, 12, 4), 12), "AB123CD_2026-12-04_ 12");
}
