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
#include <QImage>
#include <cstdio>
#include <gtest/gtest.h>

using namespace quarvel;

class Batch : public CartellaProva {
 protected:
  // The database of AB123CD for 2024 with one sample at each instant.
  QString Database2024(const std::vector<Istante>& istanti) {
    EXPECT_TRUE(ApriDatabaseVeicolo("AB123CD", "2024", 0).esito);
    for (Istante t : istanti) {
      CampioneLog c;
      c.TimeDate = c.TimeDateLH = t;
      EXPECT_EQ(ScriviRecordLogs(c), 0);
    }
    ChiudiLogs();
    return Percorso("DATA/AB123CD_ 2024.mdb");
  }

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

TEST_F(Batch, GraficoStampaICampioniDellaPaginaEDisegna) {
  ScriviTutto(Percorso("chiavetta/LOG_A.CSV"), LeggiTutto(DatoProva("import/LOG_A.CSV")));
  ASSERT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 0);
  const QString db = Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) + ".mdb";
  const auto uscita = [](const QStringList& a, int stato) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(EseguiComandoBatch(a), stato) << a.join(' ').toStdString();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
  };
  EXPECT_EQ(uscita({"grafico", db, "0", "--png", Percorso("g.png")}, 0),
            "04/12/2026 08.00.00;56;750;0;200\n"
            "04/12/2026 08.00.01;56;750;12;200\n"
            "04/12/2026 08.00.02;56;750;20;200\n");
  const QImage png(Percorso("g.png"));
  EXPECT_EQ(png.size(), QSize(850, 456));
  EXPECT_EQ(png.pixelColor(60 + 9, 24 + 230), QColor(255, 255, 255));  // the axis of the picture
  EXPECT_EQ(uscita({"grafico", db, "--vai", "2026-12-04 08:00"}, 0),
            "Blocco: 0\n"
            "04/12/2026 08.00.01;56;750;12;200\n"
            "04/12/2026 08.00.02;56;750;20;200\n");
  EXPECT_EQ(uscita({"grafico", db, "3"}, 0), "");  // past the end
  EXPECT_EQ(uscita({"grafico", db, "--vai", "2026-12-04 08:01"}, 1), "");
  EXPECT_EQ(uscita({"grafico", db}, 2), "");
  EXPECT_EQ(uscita({"grafico", db, "uno"}, 2), "");
  EXPECT_EQ(uscita({"grafico", db, "0", "--png"}, 2), "");
  EXPECT_EQ(uscita({"grafico", Percorso("manca.mdb"), "0"}, 2), "");

  // A damaged page: the engine's message and no figures.
  {
    DatabaseLogs logs;
    ASSERT_TRUE(logs.Apri(db));
    for (int i = 0; i < 5000; ++i) {
      CampioneLog c;
      c.TimeDate = c.TimeDateLH = *IstanteDa(2026, 12, 5) + i;
      logs.Scrivi(c);
    }
  }
  QFile file(db);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  // The last page: one of the samples just appended (the small tables of the
  // import and of the chart lie before them).
  file.seek(file.size() - 65536);
  file.write(QByteArray(65536, '\x5a'));
  file.close();
  EXPECT_EQ(uscita({"grafico", db, "0"}, 1), "");
}

TEST_F(Batch, AttivitaStampaUnaRigaPerGiornoDelMese) {
  const QString db =
      Database2024({*IstanteDa(2024, 2, 5, 10, 44, 59), *IstanteDa(2024, 2, 29, 23, 59, 59)});
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

TEST_F(Batch, StampaUtilizzoSegnaIQuartiDOraDelMeseNellaLinguaScelta) {
  InizializzaDefault();
  Imp().Lingua = 1;
  Imp().CodiceLingua = "EN";
  ASSERT_TRUE(ScriviIni().ok);
  // The first second of a leap February, two quarter-hours side by side on
  // the 5th, a recording inside one quarter-hour on the 17th, its last second.
  std::vector<Istante> t = {*IstanteDa(2024, 2, 1, 0, 0, 0), *IstanteDa(2024, 2, 5, 10, 44, 59),
                            *IstanteDa(2024, 2, 5, 10, 45, 0), *IstanteDa(2024, 2, 29, 23, 59, 59)};
  for (int i = 0; i < 100; ++i) t.push_back(*IstanteDa(2024, 2, 17, 13, 20, 0) + i);
  const QString db = Database2024(t), pdf = Percorso("utilizzo.pdf");
  const auto utilizzo = [&](const QString& mese) {
    return EseguiComandoBatch({"stampa", "utilizzo", db, "2024", mese, "AB123CD", pdf});
  };
  EXPECT_EQ(utilizzo("3"), 1);  // no samples in March
  EXPECT_FALSE(QFile::exists(pdf));

  ASSERT_EQ(utilizzo("2"), 0);
  const auto parole = ParolePdf(pdf);
  EXPECT_NEAR(Parola(parole, "February").x0, 15, 0.3);
  EXPECT_NEAR(Parola(parole, "February").y0, 40, 0.3);
  EXPECT_NEAR(Parola(parole, "2024").y0, 45, 0.3);
  EXPECT_EQ(QuartiSegnati(pdf), QStringList({"1 0 0", "5 10 2", "5 10 3", "17 13 1", "29 23 3"}));

  // A damaged page: the engine's error, and no report of a quieter month.
  QFile::remove(pdf);
  std::vector<Istante> ore;
  for (int i = 0; i < 4 * 3600; ++i) ore.push_back(*IstanteDa(2024, 2, 20, 8, 0, 0) + i);
  Database2024(ore);
  DanneggiaRadice(db, "Logs");
  EXPECT_EQ(utilizzo("2"), 1);
  EXPECT_FALSE(QFile::exists(pdf));
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
