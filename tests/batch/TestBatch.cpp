#include "Anagrafica.h"
#include "CartellaProva.h"
#include "ComandiBatch.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "Messaggi.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace quarvel;

class Batch : public CartellaProva {
 protected:
  RegistratoreMessaggi messaggi_;  // the summary of an import
};

TEST_F(Batch, ErroriDUsoEscono2SenzaToccareNulla) {
  ScriviTutto(Percorso("chiavetta/LOG_A.CSV"), LeggiTutto(DatoProva("import/LOG_A.CSV")));
  EXPECT_EQ(EseguiComandoBatch({}), 2);
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("manca")}), 2);
  EXPECT_EQ(EseguiComandoBatch({"importa", " ", Percorso("chiavetta")}), 2);
  EXPECT_EQ(EseguiComandoBatch({"cancella", "AB123CD"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"registra", "AB123CD", "Iveco", "molti", "600", "1"}), 2);
  // Plates that would name files outside DATA.
  EXPECT_EQ(EseguiComandoBatch({"registra", "A/B", "Iveco", "400", "600", "1"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"importa", "../X1", Percorso("chiavetta")}), 2);
  EXPECT_TRUE(TargheAnagrafica(Imp().PercorsoAnagrafica).targhe.isEmpty());
  EXPECT_TRUE(QFile::exists(Percorso("chiavetta/LOG_A.CSV")));
  EXPECT_TRUE(QDir(Percorso("DATA")).isEmpty());
  EXPECT_FALSE(QFile::exists(Percorso("X1_ ") + QString::number(QDate::currentDate().year()) + ".mdb"));
}

TEST_F(Batch, ImportaEsce1SeQualcosaNonEStatoImportato) {
  // A registry that is no database is reported with the engine's words.
  ScriviTutto(Percorso("DB/Anagrafica97.mdb"), QByteArray(4096, 'x'));
  // The vehicle database's name is taken by a file that is no database.
  const QString db = Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) + ".mdb";
  ScriviTutto(db, QByteArray(4096, 'x'));
  ScriviTutto(Percorso("chiavetta/LOG_A.CSV"), LeggiTutto(DatoProva("import/LOG_A.CSV")));
  testing::internal::CaptureStderr();
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 1);
  const std::string errori = testing::internal::GetCapturedStderr();
  EXPECT_NE(errori.find("Attenzione: Impossibile aprire il database"), std::string::npos) << errori;
  EXPECT_EQ(messaggi_.Testi().filter("file is not a database").size(), 1);
  // Once the database is put right, the next import finishes the work.
  QFile::remove(db);
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 0);
  EXPECT_EQ(messaggi_.Testi().filter("È stata completata l'importazione interrotta").size(), 1);
}

TEST_F(Batch, RegistraEImportaComeLeFinestre) {
  EXPECT_EQ(EseguiComandoBatch({"registra", "AB123CD", "Iveco Stralis", "400", "600", "1.2"}), 0);
  EXPECT_EQ(EseguiComandoBatch({"registra", "ab123cd", "Altro", "400", "600", "1"}), 1);
  const ElencoTarghe elenco = TargheAnagrafica(Imp().PercorsoAnagrafica);
  EXPECT_EQ(elenco.targhe, QStringList{"AB123CD"});

  ScriviTutto(Percorso("chiavetta/LOG_A.CSV"), LeggiTutto(DatoProva("import/LOG_A.CSV")));
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 0);
  EXPECT_FALSE(QFile::exists(Percorso("chiavetta/LOG_A.CSV")));
  EXPECT_TRUE(QFile::exists(Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) +
                            ".mdb"));
}

TEST_F(Batch, AnalizzaIlPeriodoEScriveIlReport) {
  ScriviTutto(Percorso("chiavetta/LOG_A.CSV"), LeggiTutto(DatoProva("import/LOG_A.CSV")));
  ASSERT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 0);
  const QString db = Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) + ".mdb";

  EXPECT_EQ(EseguiComandoBatch({"analizza", db, "2026-12-04 08:00", "04/12/2026 08:00"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"analizza", Percorso("manca.mdb"), "2026-12-04 08:00",
                                "2026-12-04 08:00"}),
            2);
  EXPECT_TRUE(QDir(Percorso("REPORT")).isEmpty());
  // Nothing before 8 o'clock: no figures, only the report's first line.
  EXPECT_EQ(EseguiComandoBatch({"analizza", db, "2026-12-04 07:00", "2026-12-04 07:59"}), 1);

  EXPECT_EQ(EseguiComandoBatch({"analizza", db, "2026-12-04 08:00", "2026-12-04 08:00"}), 0);
  const QStringList report = QDir(Percorso("REPORT")).entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(report.isEmpty());  // the second one replaces the first within the same second
  EXPECT_TRUE(report.last().startsWith("Report_- - -_"));
  const QString testo = QString::fromUtf8(LeggiTutto(Percorso("REPORT/") + report.last()));
  EXPECT_TRUE(testo.section("\r\n", 0, 0).endsWith(" Identificato da : - - -"));
  EXPECT_TRUE(testo.contains("Viaggio : 1 Dal : 04/12/2026 08:00:00 Al: 04/12/2026 08:00:02"));
}

TEST_F(Batch, UnaPaginaAZeroNonDiventaCifrePiuPiccole) {
  // Enough samples for several pages, then one page in the middle zeroed.
  const QString db = Percorso("DATA/AB123CD_ 2026.mdb");
  QFile::copy(Percorso("DB/proto97.mdb"), db);
  {
    DatabaseLogs logs;
    ASSERT_TRUE(logs.Apri(db));
    for (int i = 0; i < 5000; ++i) {
      CampioneLog c;
      c.TimeDate = c.TimeDateLH = *IstanteDa(2026, 12, 4, 8) + i;
      c.Dato3 = 900;
      c.Dato8 = 200;
      ASSERT_EQ(logs.Scrivi(c), EsitoScrittura::Salvato);
    }
  }
  QFile file(db);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.seek(4 * 65536);
  file.write(QByteArray(65536, '\0'));
  file.close();

  testing::internal::CaptureStderr();
  EXPECT_EQ(EseguiComandoBatch({"analizza", db, "2026-12-04 08:00", "2026-12-04 10:00"}), 1);
  const std::string errori = testing::internal::GetCapturedStderr();
  EXPECT_NE(errori.find("Errore Database, comunicare Err: database disk image is malformed"),
            std::string::npos) << errori;
  EXPECT_TRUE(QDir(Percorso("REPORT")).isEmpty());
}
