#include "Anagrafica.h"
#include "CampioniProva.h"
#include "CartellaProgramma.h"
#include "CartellaProva.h"
#include "ComandiBatch.h"
#include "Impostazioni.h"
#include "Messaggi.h"
#include "PdfProva.h"
#include "GiornataProva.h"
#include "ZipProva.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <cstdio>

using namespace quarvel;

class Batch : public CartellaProva {
 protected:
  // The database of this year of AB123CD, named as the import names it.
  QString Database() const {
    return Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) + ".mdb";
  }
  // LOG_A (three samples from 04/12/2026 08:00:00) imported by the command.
  QString Importato() {
    Chiavetta();
    EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 0);
    return Database();
  }
  // What a command prints on standard output; its status is checked.
  static std::string Uscita(const QStringList& a, int stato) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(EseguiComandoBatch(a), stato) << a.join(' ').toStdString();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
  }

  RegistratoreMessaggi messaggi_;  // the summary of an import
};

// registra adds a plate once, whatever its letter case; veicoli lists the
// registry as stored, numbers with a point; elimina takes a vehicle out of
// it and leaves its files.
TEST_F(Batch, RegistraVeicoliEdElimina) {
  InizializzaDefault();
  ASSERT_TRUE(ApriAnagrafica(Imp().PercorsoAnagrafica));
  ASSERT_TRUE(InserisciAnagrafica({"AB123CD", "Iveco Stralis", 400, 600, 1.2, 400.0 / 600 / 1.2, " "}));
  ChiudiAnagrafica();
  EXPECT_EQ(EseguiComandoBatch({"registra", "ZZ999ZZ", "Scania", "250", "-5", "1"}), 0);
  EXPECT_EQ(EseguiComandoBatch({"registra", "ab123cd", "Altro", "400", "600", "1"}), 1);
  EXPECT_EQ(Uscita({"veicoli"}, 0),
            "AB123CD;Iveco Stralis;400;600;1.2;0.5555555555555556\nZZ999ZZ;Scania;250;-5;1;0\n");

  ScriviTutto(Database(), "x");
  EXPECT_EQ(Uscita({"elimina", "ab123cd"}, 0),
            "I dati del mezzo restano nella cartella " + PercorsoDati("DATA").toStdString() +
                ":\nAB123CD_ " + std::to_string(QDate::currentDate().year()) + ".mdb\n");
  EXPECT_TRUE(QFile::exists(Database()));
  EXPECT_EQ(Uscita({"veicoli"}, 0), "ZZ999ZZ;Scania;250;-5;1;0\n");

  testing::internal::CaptureStderr();
  EXPECT_EQ(Uscita({"elimina", "AB123CD"}, 1), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Nessun mezzo con targa AB123CD in anagrafica\n");
}

TEST_F(Batch, ImportaEsce1SeQualcosaNonEStatoImportato) {
  // A registry that is no database is reported with the engine's words.
  ScriviTutto(Percorso("DB/Anagrafica97.mdb"), QByteArray(4096, 'x'));
  // The vehicle database's name is taken by a file that is no database.
  ScriviTutto(Database(), QByteArray(4096, 'x'));
  Chiavetta();
  testing::internal::CaptureStderr();
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 1);
  const std::string errori = testing::internal::GetCapturedStderr();
  EXPECT_NE(errori.find("Attenzione: Impossibile aprire il database"), std::string::npos) << errori;
  EXPECT_EQ(messaggi_.Testi().filter("file is not a database").size(), 1);
  // Once the database is put right, the next import finishes the work.
  QFile::remove(Database());
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 0);
  EXPECT_EQ(messaggi_.Testi().filter("È stata completata l'importazione interrotta").size(), 1);
  EXPECT_FALSE(QFile::exists(Percorso("chiavetta/LOG_A.CSV")));
}

// The period's analysis as a report in REPORT and as a printed page.
TEST_F(Batch, AnalizzaEStampaIlPeriodo) {
  const QString db = Importato(), pdf = Percorso("stampe/consumi.pdf");
  const QString ore7 = "2026-12-04 07:00", ore7e59 = "2026-12-04 07:59", ore8 = "2026-12-04 08:00";
  QDir().mkpath(Percorso("stampe"));
  EXPECT_EQ(EseguiComandoBatch({"analizza", db, ore7, ore7e59}), 1);  // no samples
  // The stop minute runs to its second 59.
  EXPECT_EQ(EseguiComandoBatch({"analizza", db, ore8, ore8}), 0);
  const QStringList report = QDir(Percorso("REPORT")).entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(report.isEmpty());
  EXPECT_TRUE(QString::fromUtf8(LeggiTutto(Percorso("REPORT/") + report.last()))
                  .contains("Viaggio : 1 Dal : 04/12/2026 08:00:00 Al: 04/12/2026 08:00:02"));
  EXPECT_EQ(EseguiComandoBatch({"stampa", "consumi", db, ore7, ore7e59, "AB123CD", pdf}), 1);
  EXPECT_FALSE(QFile::exists(pdf));
  ASSERT_EQ(EseguiComandoBatch({"stampa", "consumi", db, ore8, ore8, "AB123CD", pdf}), 0);
  EXPECT_EQ(QDir(Percorso("stampe")).entryList(QDir::Files), QStringList{"consumi.pdf"});
  // The figures, then the refuels and losses under the same heading.
  EXPECT_EQ(PaginePdf(pdf), 2);
  const auto parole = ParolePdf(pdf);
  EXPECT_NEAR(Parola(parole, "AB123CD").y0, 40, 0.3);
  EXPECT_NEAR(Parola(parole, "08:00:02").y0, 60, 0.3);
  const auto carburante = ParolePdf(pdf, 2);
  EXPECT_NEAR(Parola(carburante, "CONSUMI-").y0, Parola(parole, "CONSUMI-").y0, 0.1);
  EXPECT_NEAR(Parola(carburante, "AB123CD").y0, 40, 0.3);
  EXPECT_NEAR(Parola(carburante, "Rifornimenti").y0, 50, 0.3);
}

TEST_F(Batch, GraficoStampaICampioniDellaPaginaEDisegna) {
  const QString db = Importato();
  const std::string dopo = "04/12/2026 08.00.01;56;750;12;200\n04/12/2026 08.00.02;56;750;20;200\n";
  EXPECT_EQ(Uscita({"grafico", db, "0", "--png", Percorso("g.png")}, 0),
            "04/12/2026 08.00.00;56;750;0;200\n" + dopo);
  EXPECT_EQ(QImage(Percorso("g.png")).size(), QSize(850, 456));
  EXPECT_EQ(Uscita({"grafico", db, "--vai", "2026-12-04 08:00"}, 0), "Blocco: 0\n" + dopo);
  EXPECT_EQ(Uscita({"grafico", db, "3"}, 0), "");  // past the end
  EXPECT_EQ(Uscita({"grafico", db, "--vai", "2026-12-04 08:01"}, 1), "");
}

// The quarter-hours of the month with a sample, a row of text a day and on
// the printed page, in the chosen language.
TEST_F(Batch, AttivitaEStampaUtilizzoSegnanoIQuartiDOraDelMese) {
  InizializzaDefault();
  Imp().Lingua = 1;
  Imp().CodiceLingua = "EN";
  ASSERT_TRUE(ScriviIni().ok);
  // The first second of a leap February, two quarter-hours side by side on
  // the 5th, a recording inside one quarter-hour on the 17th, its last second.
  std::vector<Istante> t = Secondi(*IstanteDa(2024, 2, 17, 13, 20, 0), 100);
  for (Istante i : {*IstanteDa(2024, 2, 1, 0, 0, 0), *IstanteDa(2024, 2, 5, 10, 44, 59),
                    *IstanteDa(2024, 2, 5, 10, 45, 0), *IstanteDa(2024, 2, 29, 23, 59, 59)})
    t.push_back(i);
  const QString db = ScriviCampioni(Percorso("DATA/AB123CD_ 2024.mdb"), t), pdf = Percorso("utilizzo.pdf");
  const auto utilizzo = [&](const QString& mese) {
    return EseguiComandoBatch({"stampa", "utilizzo", db, "2024", mese, "AB123CD", pdf});
  };
  EXPECT_EQ(Uscita({"attivita", db, "2024", "3"}, 1), "");  // no samples in March
  EXPECT_EQ(utilizzo("3"), 1);
  EXPECT_FALSE(QFile::exists(pdf));

  const QStringList righe =
      QString::fromStdString(Uscita({"attivita", db, "2024", "2"}, 0)).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(righe.size(), 29);  // a leap February
  EXPECT_EQ(righe[0], " 1 #" + QString(95, '.'));
  EXPECT_EQ(righe[4], " 5 " + QString(42, '.') + "##" + QString(52, '.'));
  EXPECT_EQ(righe[28], "29 " + QString(95, '.') + "#");
  ASSERT_EQ(utilizzo("2"), 0);
  EXPECT_NEAR(Parola(ParolePdf(pdf), "February").y0, 40, 0.3);
  EXPECT_EQ(QuartiSegnati(pdf), QStringList({"1 0 0", "5 10 2", "5 10 3", "17 13 1", "29 23 3"}));
}

// Refuels and losses in litres from the registry's tank, the smallest ones
// from QuarvelOpzioni.ini, and the balance whose figures add up.
TEST_F(Batch, RifornimentiInLitriEBilancio) {
  ASSERT_EQ(EseguiComandoBatch({"registra", "AB123CD", "Iveco", "400", "600", "1"}), 0);
  const Istante ore8 = *IstanteDa(2026, 12, 4, 8), ore9 = *IstanteDa(2026, 12, 4, 9);
  const QString db = Percorso("DATA/AB123CD_ 2026.mdb");
  const CampioneLog fermo{.DatoPT = 1, .Dato2 = 30, .Dato3 = 650};
  ScriviCampioni(db, Secondi(ore8, 120), fermo);
  ScriviCampioni(db, {ore9}, {.DatoPT = 0, .Dato2 = 80, .Dato3 = 650});  // after a pause
  ScriviCampioni(db, Secondi(ore9 + 1, 119), {.DatoPT = 1, .Dato2 = 80, .Dato3 = 650});
  const QStringList periodo = {"rifornimenti", db, "2026-12-04 08:00", "2026-12-04 09:59"};
  EXPECT_EQ(Uscita(periodo, 0),
            "RIFORNIMENTO;2026-12-04 08:01:59;2026-12-04 09:00:00;120.0;320.0;200.0\n"
            "BILANCIO;120.0;200.0;0.0;0.0;320.0;0.0\n");
  ScriviTutto(Percorso("QuarvelOpzioni.ini"), "MinimoRifornimento=250\r\n");
  EXPECT_EQ(Uscita(periodo, 0), "BILANCIO;120.0;0.0;0.0;0.0;320.0;-200.0\n");
  EXPECT_EQ(Uscita({"rifornimenti", db, "2026-12-04 10:00", "2026-12-04 11:00"}, 1), "");
}

// A database the engine cannot read to the end gives its message and
// status 1, never smaller figures, a shorter page or an emptier month.
TEST_F(Batch, UnDatabaseRovinatoNonDiventaCifrePiuPiccole) {
  const CampioneLog c{.Dato3 = 900, .Dato8 = 200};
  const QString db =
      ScriviCampioni(Percorso("DATA/AB123CD_ 2026.mdb"), Secondi(*IstanteDa(2026, 12, 4, 8), 5000), c);
  DanneggiaRadice(db, "Logs");
  testing::internal::CaptureStderr();
  EXPECT_EQ(EseguiComandoBatch({"analizza", db, "2026-12-04 08:00", "2026-12-04 10:00"}), 1);
  const std::string errori = testing::internal::GetCapturedStderr();
  EXPECT_NE(errori.find("Errore Database, comunicare Err: database disk image is malformed"),
            std::string::npos) << errori;
  EXPECT_TRUE(QDir(Percorso("REPORT")).isEmpty());
  EXPECT_EQ(Uscita({"grafico", db, "0"}, 1), "");
  EXPECT_EQ(Uscita({"attivita", db, "2026", "12"}, 1), "");
  EXPECT_EQ(Uscita({"rifornimenti", db, "2026-12-04 08:00", "2026-12-04 10:00"}, 1), "");
  EXPECT_EQ(EseguiComandoBatch({"stampa", "utilizzo", db, "2026", "12", "AB123CD", Percorso("u.pdf")}), 1);
  EXPECT_FALSE(QFile::exists(Percorso("u.pdf")));
}

namespace {
// The number in the caption of analizza whose text starts so; the seconds
// of a time caption.
double Cifra(const QStringList& righe, const QString& inizio) {
  const QString riga = righe.filter(QRegularExpression("^" + QRegularExpression::escape(inizio))).value(0);
  const QRegularExpression numero("(-?\\d+(,\\d+)?)(?!.*\\d)");
  return numero.match(riga).captured(1).replace(',', '.').toDouble();
}
double Secondi(const QStringList& righe, const QString& inizio) {
  const QRegularExpressionMatch m = QRegularExpression(QRegularExpression::escape(inizio) +
                                                       " +(\\d+)h : (\\d+)min : (\\d+)sec")
                                        .match(righe.join('\n'));
  return m.captured(1).toDouble() * 3600 + m.captured(2).toDouble() * 60 + m.captured(3).toDouble();
}
QString DueDecimali(double v) { return QString::number(v, 'f', 2); }
}  // namespace

// Each line of flotta holds the figures analizza and rifornimenti give for
// that vehicle and period; a plate without a database for the year or not
// registered has no line; the workbook holds the same table.
TEST_F(Batch, FlottaComeAnalizzaERifornimenti) {
  InizializzaDefault();
  Imp().LivelloAllertVelocita = 80;
  ASSERT_TRUE(ScriviIni().ok);
  for (const char* t : {"CD456EF", "AB123CD", "ZZ999ZZ"})
    ASSERT_EQ(EseguiComandoBatch({"registra", t, "Iveco", "400", "600", "1"}), 0);
  const Istante ore6 = *IstanteDa(2026, 12, 4, 6);
  const QString ab = ScriviMattina(Percorso("DATA/AB123CD_ 2026.mdb"), MattinaCamion(ore6, 0));
  const QString cd = ScriviMattina(Percorso("DATA/CD456EF_ 2026.mdb"), MattinaCamion(ore6 + 600, 1));
  ScriviMattina(Percorso("DATA/ZZ999ZZ_ 2025.mdb"), MattinaCamion(ore6, 2));
  ScriviMattina(Percorso("DATA/XX000XX_ 2026.mdb"), MattinaCamion(ore6, 3));
  const QString inizio = "2026-12-04 06:10", fine = "2026-12-04 23:59", xlsx = Percorso("flotta.xlsx");

  const QStringList righe = QString::fromStdString(Uscita({"flotta", "2026", inizio, fine, "--xlsx", xlsx}, 0))
                                .split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(righe.size(), 3);
  EXPECT_EQ(righe[0], "Targa;Km;Litri;KmL;OreMotore;OreMarcia;OreMinimo;LitriMinimo;Viaggi;VelocitaMax;"
                      "Superamenti;Riforniti;Prelevati;Scarto");
  const std::pair<QString, QString> mezzi[] = {{"AB123CD", ab}, {"CD456EF", cd}};
  for (int i = 0; i < 2; ++i) {
    const QStringList f = righe[i + 1].split(';');
    ASSERT_EQ(f.size(), 14) << righe[i + 1].toStdString();
    EXPECT_EQ(f[0], mezzi[i].first);
    const QStringList a =
        QString::fromStdString(Uscita({"analizza", mezzi[i].second, inizio, fine}, 0)).split('\n');
    const QStringList bilancio =
        QString::fromStdString(Uscita({"rifornimenti", mezzi[i].second, inizio, fine}, 0))
            .split('\n', Qt::SkipEmptyParts).last().split(';');
    const double acceso = Secondi(a, "Tempo motore acceso :"), marcia = Secondi(a, "Tempo in marcia :");
    EXPECT_EQ(f.mid(1, 11),
              QStringList({DueDecimali(Cifra(a, "Kilometri percorsi calcolati")),
                           DueDecimali(Cifra(a, "Litri gasolio consumato")),
                           QString::number(Cifra(a, "Consumo medio in marcia"), 'f', 3),
                           DueDecimali(acceso / 3600), DueDecimali(marcia / 3600),
                           DueDecimali((acceso - marcia) / 3600),
                           f[7],  // below, against the pass's own counter
                           QString::number(Cifra(a, "Numero accensioni")),
                           QString::number(Cifra(a, "Velocita Massima periodo")),
                           QString::number(Cifra(a, "N° volte velocità >80")), bilancio[2]}))
        << mezzi[i].first.toStdString();
    EXPECT_EQ(QStringList({f[12], f[13]}), QStringList({bilancio[4], bilancio[6]}));
    EXPECT_GT(f[1].toDouble() * f[2].toDouble() * f[4].toDouble() * f[9].toDouble(), 0);
  }
  // Idling in the period (from 06:10: not the depot's first 300 seconds):
  // 40 units at each of the 500 stops' seconds, and 550 at the two seconds
  // of the drives without a speed reading, which are no motion.
  EXPECT_EQ(righe[1].split(';')[7], DueDecimali((500 * 40 + 2 * 550) * 0.05 / 3600));
  EXPECT_EQ(righe[1].split(';')[11], "80.0");  // refuelled in the pause
  EXPECT_EQ(righe[2].split(';')[12], "20.0");  // lost in the pause

  const QStringList celle = CelleXlsx(xlsx);
  EXPECT_EQ(celle.mid(0, 3), QStringList({"A1=Targa", "B1=Km", "C1=Litri"}));
  EXPECT_TRUE(celle.contains("A2=AB123CD") && celle.contains("A3=CD456EF"));
  EXPECT_TRUE(celle.contains("B2#" + QString::number(righe[1].split(';')[1].toDouble()))) << celle.join(' ').toStdString();
}

// A year no registered vehicle has a database for, and a period none has a
// sample in: a message and status 1, no table.
TEST_F(Batch, FlottaSenzaDati) {
  ASSERT_EQ(EseguiComandoBatch({"registra", "AB123CD", "Iveco", "400", "600", "1"}), 0);
  ScriviMattina(Percorso("DATA/AB123CD_ 2026.mdb"), MattinaCamion(*IstanteDa(2026, 12, 4, 6), 0));
  testing::internal::CaptureStderr();
  EXPECT_EQ(Uscita({"flotta", "2025", "2026-12-04 00:00", "2026-12-04 23:59"}, 1), "");
  EXPECT_EQ(Uscita({"flotta", "2026", "2026-12-05 00:00", "2026-12-05 23:59"}, 1), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Nessun mezzo registrato ha dati per l'anno 2025\n"
            "Record non presenti, controllare date selezionate\n");
}

