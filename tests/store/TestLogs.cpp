#include "CampioniProva.h"
#include "CartellaProva.h"
#include "DatabaseVeicolo.h"
#include "Logs.h"
#include "Messaggi.h"

#include <QDir>
#include <cmath>

using namespace quarvel;

namespace {
CampioneLog Campione(Istante t, int16_t dato3 = 1200) {
  return {.TimeDate = t, .TimeDateLH = t, .Dato3 = dato3};
}

Istante T(int g, int h, int m, int s) { return *IstanteDa(2026, 12, g, h, m, s); }

// TimeDate of every record the shared cursor walks, from the first.
std::vector<Istante> Chiavi() {
  std::vector<Istante> chiavi;
  CursoreLogs& c = RecordsetLogs();
  for (c.Primo(); !c.AllaFine(); c.Successivo()) chiavi.push_back(c.TimeDate());
  return chiavi;
}

class DatabaseLogsProva : public CartellaProva {
 protected:
  void TearDown() override { ChiudiLogs(); }
  QString Nuovo() {
    const DatabaseAperto aperto = ApriDatabaseVeicolo(QStringLiteral("AB123CD"), "2026", 1);
    EXPECT_TRUE(aperto.esito) << aperto.esito.messaggio.toStdString();
    return aperto.percorso;
  }
  RegistratoreMessaggi messaggi_;
};
}  // namespace

TEST_F(DatabaseLogsProva, CopiaIlModelloSoloSeNonEsisteInNessunaMaiuscola) {
  const DatabaseAperto nuovo = ApriDatabaseVeicolo(QStringLiteral("ab123cd"), "2026", 1);
  ASSERT_TRUE(nuovo.esito);
  EXPECT_EQ(nuovo.percorso, Percorso("DATA/ab123cd_ 2026.mdb"));
  EXPECT_EQ(LeggiTutto(nuovo.percorso), LeggiTutto(PercorsoModello(1)));
  ASSERT_EQ(ScriviRecordLogs(Campione(T(4, 22, 12, 5))), 0);
  ChiudiLogs();

  const DatabaseAperto ancora = ApriDatabaseVeicolo(QStringLiteral("AB123CD"), "2026", 1);
  ASSERT_TRUE(ancora.esito);
  EXPECT_EQ(ancora.percorso, nuovo.percorso);
  EXPECT_EQ(Chiavi(), std::vector<Istante>{T(4, 22, 12, 5)});
  EXPECT_EQ(QDir(Percorso("DATA")).entryList(QDir::Files | QDir::Hidden), QStringList{"ab123cd_ 2026.mdb"});
  EXPECT_TRUE(messaggi_.messaggi.empty());
}

// No database that cannot be opened is left behind for the next import to
// fail on, and the engine's words reach the user.
TEST_F(DatabaseLogsProva, AperturaImpossibileDaUnMessaggioChiaro) {
  const DatabaseAperto tipo3 = ApriDatabaseVeicolo(QStringLiteral("ZZ"), "2026", 3);
  EXPECT_TRUE(tipo3.esito.messaggio.endsWith("(tipo di database sconosciuto (3))"));
  EXPECT_TRUE(RecordsetLogs().AllaFine() && RecordsetLogs().AllInizio());
  EXPECT_EQ(ScriviRecordLogs(Campione(1)), 1);
  EXPECT_EQ(messaggi_.Testi(), QStringList{"Errore Database, comunicare Err: database non aperto"});
  EXPECT_FALSE(ApriDatabaseVeicolo(QStringLiteral("../ZZ"), "2026", 1).esito);
  ScriviTutto(PercorsoModello(0), QByteArray(3000, 'x'));
  EXPECT_TRUE(ApriDatabaseVeicolo(QStringLiteral("ZZ"), "2026", 0).esito.messaggio.endsWith(
      "file is not a database"));
  EXPECT_EQ(QDir(Percorso("DATA")).entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_FALSE(QFile::exists(Percorso("ZZ_ 2026.mdb")));
  EXPECT_TRUE(ApriLogs(Percorso("DB/Anagrafica97.mdb")).messaggio.endsWith("no such table: Logs"));
}

TEST_F(DatabaseLogsProva, UnSecondoGiaPresenteERifiutatoSenzaMessaggio) {
  Nuovo();
  const CampioneLog primo = Campione(T(4, 8, 0, 0), 900);
  EXPECT_EQ(ScriviRecordLogs(primo), 0);
  EXPECT_EQ(ScriviRecordLogs(Campione(T(4, 8, 0, 0), 1500)), 1);
  EXPECT_EQ(ScriviRecordLogs(Campione(T(4, 8, 0, 1))), 0);
  EXPECT_TRUE(messaggi_.messaggi.empty());
  RecordsetLogs().Primo();
  EXPECT_EQ(RecordsetLogs().Campione(), primo);

  // Any other failure is shown, and the next sample is stored all the same.
  CampioneLog guasto = Campione(T(4, 8, 0, 2));
  guasto.Dato2 = NAN;  // SQLite stores NaN as NULL
  EXPECT_EQ(ScriviRecordLogs(guasto), 1);
  EXPECT_EQ(messaggi_.Testi(),
            QStringList{"Errore Database, comunicare Err: NOT NULL constraint failed: Logs.Dato2"});
  EXPECT_EQ(ScriviRecordLogs(Campione(T(4, 8, 0, 3))), 0);
  EXPECT_EQ(Chiavi(), (std::vector<Istante>{T(4, 8, 0, 0), T(4, 8, 0, 1), T(4, 8, 0, 3)}));
}

// The extremes of every column's type come back as they went in.
TEST_F(DatabaseLogsProva, OgniColonnaTornaConIlSuoTipo) {
  const CampioneLog c{T(4, 22, 12, 5), T(4, 22, 12, 5), 32767, -32768, -1, 26214.5f, 8000, 0, 90,
                      -1, 32767, -2147483647 - 1, 2147483647, 123456.789, 0.1, -1, 1e-3f, 250,
                      0, 32767};
  EXPECT_EQ(LeggiCampioni(ScriviCampioni(Percorso("DATA/c.mdb"), {c.TimeDate}, c)), std::vector{c});
}

TEST_F(DatabaseLogsProva, UnLottoPienoEGiaSulDiscoPrimaDellaChiusura) {
  const QString percorso = Nuovo();
  for (int i = 0; i < DatabaseLogs::kLotto + 10; ++i)
    ASSERT_EQ(ScriviRecordLogs(Campione(T(1, 0, 0, 0) + i)), 0);
  // What another program sees now is what a crash would leave.
  EXPECT_EQ(LeggiCampioni(percorso).size(), std::size_t(DatabaseLogs::kLotto));
  ChiudiLogs();
  EXPECT_EQ(LeggiCampioni(percorso).size(), std::size_t(DatabaseLogs::kLotto + 10));
}

// The ends of a period are the cursor's tests'; a cursor kept past the
// close has no records left.
TEST_F(DatabaseLogsProva, UnCursoreTenutoDopoLaChiusuraEVuoto) {
  const QString percorso = ScriviCampioni(Percorso("DATA/p.mdb"), {T(4, 0, 0, 0), T(4, 12, 0, 0)});
  ASSERT_TRUE(ApriLogsPeriodo(percorso, T(4, 0, 0, 0), T(4, 23, 59, 59)));
  CursoreLogs& tenuto = RecordsetLogs();
  ChiudiLogs();
  tenuto.Primo();
  EXPECT_TRUE(tenuto.AllaFine() && tenuto.AllInizio());
}

TEST_F(DatabaseLogsProva, UnFileRovinatoFermaLaLetturaColMotivo) {
  const QString percorso = ScriviCampioni(Percorso("DATA/r.mdb"), Secondi(T(1, 0, 0, 0), 5000));
  DanneggiaRadice(percorso, "Logs");
  ASSERT_TRUE(ApriLogs(percorso));
  EXPECT_LT(Chiavi().size(), 5000u);
  EXPECT_EQ(RecordsetLogs().Errore(), "database disk image is malformed");
}
