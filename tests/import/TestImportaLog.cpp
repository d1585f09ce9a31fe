#include "CartellaProgramma.h"
#include "ImportProva.h"

#include <QFile>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <fcntl.h>
#include <unistd.h>

using namespace quarvel;

using ImportaLogProva = ImportProva;

TEST_F(ImportaLogProva, DueFileDueRegistrazioniDallaChiavettaAlDatabase) {
  Chiavetta({"LOG_A.CSV", "LOG_B.CSV"});
  const RisultatoImport r = Importa();

  ASSERT_EQ(r.stato, StatoImport::Completata);
  EXPECT_TRUE(r.Riuscita());
  const QString archivio = PercorsoDati("DATA/AB123CD_2026-12-04_ 1");
  EXPECT_EQ(r.cartellaArchivio, archivio);
  QString atteso = QString::fromUtf8(LeggiTutto(DatoProva("import/errori_attesi.txt")));
  EXPECT_EQ(Errori(), atteso.replace("{DATA}", PercorsoDati("DATA")).replace("{ARCH}", archivio));
  for (const char* nome : {"LOG_A.CSV", "LOG_B.CSV"}) {
    EXPECT_FALSE(QFile::exists(supporto_ + "/" + nome));
    EXPECT_EQ(LeggiTutto(archivio + "/" + nome), LeggiTutto(DatoProva(QString("import/") + nome)));
  }
  // DatoPT goes on across the files until the next recording header; a
  // second logged twice is stored once.
  std::vector<int> datoPT;
  for (const CampioneLog& c : LeggiCampioni(Database())) datoPT.push_back(c.DatoPT);
  EXPECT_EQ(datoPT, (std::vector<int>{0, 1, 2, 3, 0, 1}));
  ASSERT_FALSE(messaggi_.messaggi.empty());
  // The second logged twice is said in plain words after the counts.
  EXPECT_TRUE(messaggi_.Testi().last().endsWith(
      "\nRecord:  6\nError:  4\n1 riga era già nel database e non è stata salvata di nuovo\n"));
  EXPECT_EQ(TestoTempoImportato(3725), " 1h,  2min,  5sec");
  // Nothing of the import's own is left in DATA.
  EXPECT_EQ(QDir(PercorsoDati("DATA")).entryList(QDir::Files),
            (QStringList{"AB123CD_ 2026.mdb", "AB123CD_ 2026.txt"}));

  // The same files again: nothing new is stored.
  Chiavetta({"LOG_A.CSV", "LOG_B.CSV"});
  const RisultatoImport ancora = Importa();
  EXPECT_EQ(ancora.cartellaArchivio, PercorsoDati("DATA/AB123CD_2026-12-04_ 2"));
  EXPECT_EQ(ancora.recordSalvati, 0);
  EXPECT_EQ(ancora.righeNonSalvate, 10);  // 7 data lines, 2 recording headers, 1 damaged line
  EXPECT_TRUE(messaggi_.Testi().last().endsWith(
      "\nRecord:  0\nError:  10\n7 righe erano già nel database: questi file erano già stati "
      "importati\n"));
}

// DatoPT stops at 32767: no new recording, no trip invented.
TEST_F(ImportaLogProva, UnaRegistrazioneDi40000SecondiArrivaIntera) {
  Istante t = *IstanteDa(2026, 12, 3, 18, 0, 0);
  ScriviTutto(supporto_ + "/NOTTE.CSV", "Data,Ora,ID=AB123CD\r\n" + Righe(t, 40000));
  EXPECT_EQ(Importa().recordSalvati, 40000);
  const std::vector<CampioneLog> c = LeggiCampioni(Database());
  ASSERT_EQ(c.size(), 40000u);
  EXPECT_EQ(c[32766].DatoPT, 32766);
  EXPECT_EQ(c.back().DatoPT, 32767);
}

// A copy that does not match its original stops the import before that
// file: it and the files after it stay on the stick, in their order, for
// the next import, which goes on from there.
TEST_F(ImportaLogProva, UnaCopiaCheNonCorrispondeFermaLImportPrimaDiQuelFile) {
  ScriviGiorni();
  const QByteArray originale = LeggiTutto(supporto_ + "/LOG_2.CSV");
  RichiestaImport r = Richiesta();
  r.prove.primaDelConfronto = [](const QString& copia) {
    QFile f(copia);
    if (copia.contains("LOG_2") && f.open(QIODevice::ReadWrite) && f.seek(5000)) f.write("#");
  };
  const RisultatoImport esito = EseguiImport(r, nullptr);

  EXPECT_EQ(LeggiTutto(supporto_ + "/LOG_2.CSV"), originale);
  EXPECT_EQ(FileDellaCartella(supporto_), (QStringList{"LOG_2.CSV", "LOG_3.CSV"}));
  EXPECT_EQ(QDir(esito.cartellaArchivio).entryList(QDir::Hidden | QDir::Files), QStringList{"LOG_1.CSV"});
  EXPECT_EQ(esito.stato, StatoImport::Interrotta);
  EXPECT_TRUE(esito.interruzione.contains("non corrisponde all'originale"));
  EXPECT_EQ(esito.fileLetti, 1);
  EXPECT_EQ(Importa().recuperate, 1);
  EXPECT_TRUE(FileDellaCartella(supporto_).isEmpty());
}

// A file imported that cannot be deleted from the stick (its folder made
// immutable, which stops even root) is no failure: the user is told.
TEST_F(ImportaLogProva, UnFileImportatoMaNonCancellatoNonEUnFallimento) {
  Chiavetta();
  const int fd = ::open(QFile::encodeName(supporto_).constData(), O_RDONLY | O_DIRECTORY);
  int attributi = 0;
  if (::ioctl(fd, FS_IOC_GETFLAGS, &attributi) != 0 ||
      ::ioctl(fd, FS_IOC_SETFLAGS, &(attributi |= FS_IMMUTABLE_FL)) != 0) {
    ::close(fd);
    GTEST_SKIP() << "no immutable folders here";
  }
  const RisultatoImport r = Importa();
  attributi &= ~FS_IMMUTABLE_FL;
  ::ioctl(fd, FS_IOC_SETFLAGS, &attributi);
  ::close(fd);
  EXPECT_TRUE(r.Riuscita());
  EXPECT_EQ(r.recordSalvati, 3);
  EXPECT_EQ(r.fileNonCancellati.size(), 1);
  EXPECT_EQ(messaggi_.Testi().filter("è stato importato, ma non è stato possibile cancellarlo").size(), 1);
  EXPECT_TRUE(messaggi_.Testi().filter("non sono stati importati").isEmpty());
}

TEST_F(ImportaLogProva, UnaTargaCheEsceDaDATANonSpostaNulla) {
  Chiavetta();
  for (const char* targa : {"../X1", "A\tB"}) {
    RichiestaImport r = Richiesta();
    r.targa = targa;
    EXPECT_FALSE(EseguiImport(r, nullptr).Eseguita()) << targa;
  }
  EXPECT_TRUE(QFile::exists(supporto_ + "/LOG_A.CSV"));
  const auto filtro = QDir::AllEntries | QDir::NoDotAndDotDot;
  EXPECT_EQ(QDir(Percorso("")).entryList(filtro | QDir::Hidden).filter("X1"), QStringList());
  EXPECT_EQ(QDir(Percorso("DATA")).entryList(filtro), QStringList());
  EXPECT_EQ(messaggi_.Testi().filter("non è valida").size(), 2);
}
