#include "Anagrafica.h"
#include "CartellaProva.h"
#include "ComandiBatch.h"
#include "DatabaseVeicolo.h"
#include "Logs.h"
#include "Impostazioni.h"
#include "Messaggi.h"
#include "PdfProva.h"

#include <QDir>
#include <QFile>
#include <cstdio>
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
  EXPECT_TRUE(QFile::exists(Percorso("chiavetta/LOG_A.CSV")));
  EXPECT_TRUE(QDir(Percorso("DATA")).isEmpty());
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

TEST_F(Batch, StampaIlReportConsumiInUnPdf) {
  ScriviTutto(Percorso("chiavetta/LOG_A.CSV"), LeggiTutto(DatoProva("import/LOG_A.CSV")));
  ASSERT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 0);
  const QString db = Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) + ".mdb";
  const QString pdf = Percorso("stampe/consumi.pdf");
  const QString inizio = "2026-12-04 08:00", fine = "2026-12-04 08:00";

  // Usage errors, the missing folder of the file among them: nothing runs.
  EXPECT_EQ(EseguiComandoBatch({"stampa", "consumi", db, inizio, fine, "AB123CD", pdf}), 2);
  QDir().mkpath(Percorso("stampe"));
  EXPECT_EQ(EseguiComandoBatch({"stampa", "tutto", db, inizio, fine, "AB123CD", pdf}), 2);
  EXPECT_EQ(EseguiComandoBatch({"stampa", "consumi", db, "04/12/2026", fine, "AB123CD", pdf}), 2);
  EXPECT_EQ(EseguiComandoBatch({"stampa", "utilizzo", db, "2026", "13", "AB123CD", pdf}), 2);
  EXPECT_EQ(EseguiComandoBatch({"stampa", "utilizzo", db, "duemila", "12", "AB123CD", pdf}), 2);
  EXPECT_TRUE(QDir(Percorso("REPORT")).isEmpty());
  // A period without samples prints nothing.
  EXPECT_EQ(EseguiComandoBatch({"stampa", "consumi", db, "2026-12-04 07:00", "2026-12-04 07:59",
                                "AB123CD", pdf}),
            1);
  EXPECT_FALSE(QFile::exists(pdf));

  ASSERT_EQ(EseguiComandoBatch({"stampa", "consumi", db, inizio, fine, "AB123CD", pdf}), 0);
  EXPECT_EQ(QDir(Percorso("stampe")).entryList(QDir::Files), QStringList{"consumi.pdf"});
  EXPECT_EQ(PaginePdf(pdf), 1);
  const auto parole = ParolePdf(pdf);
  EXPECT_NEAR(Parola(parole, "AB123CD").y0, 40, 0.3);
  EXPECT_NEAR(Parola(parole, "08:00:00").y0, 50, 0.3);
  EXPECT_NEAR(Parola(parole, "08:00:02").y0, 60, 0.3);
  EXPECT_NEAR(Parola(parole, "Tempo").y0, 80, 0.3);
  EXPECT_NEAR(Parola(parole, "12345,6").y0, 140, 0.3);
}

TEST_F(Batch, AttivitaStampaUnaRigaPerGiornoDelMese) {
  ASSERT_TRUE(ApriDatabaseVeicolo("AB123CD", "2024", 0).esito);
  for (Istante t : {*IstanteDa(2024, 2, 5, 10, 44, 59), *IstanteDa(2024, 2, 29, 23, 59, 59)}) {
    CampioneLog c;
    c.TimeDate = c.TimeDateLH = t;
    ASSERT_EQ(ScriviRecordLogs(c), 0);
  }
  ChiudiLogs();
  const QString db = Percorso("DATA/AB123CD_ 2024.mdb");
  EXPECT_EQ(EseguiComandoBatch({"attivita", db, "2024", "13"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"attivita", db, "2024", "febbraio"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"attivita", Percorso("manca.mdb"), "2024", "2"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"attivita", db, "2024", "3"}), 1);

  testing::internal::CaptureStdout();
  const int esito = EseguiComandoBatch({"attivita", db, "2024", "2"});
  std::fflush(stdout);
  const QStringList righe = QString::fromStdString(testing::internal::GetCapturedStdout())
                                .split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(esito, 0);
  ASSERT_EQ(righe.size(), 29);  // a leap February
  const QString vuota = QString(96, '.');
  EXPECT_EQ(righe[0], " 1 " + vuota);
  EXPECT_EQ(righe[4], " 5 " + QString(42, '.') + "#" + QString(53, '.'));
  EXPECT_EQ(righe[28], "29 " + QString(95, '.') + "#");
}
