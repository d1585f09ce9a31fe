#include "CartellaProva.h"
#include "DatabaseVeicolo.h"
#include "FileDati.h"
#include "Logs.h"
#include "Messaggi.h"

#include <QDir>
#include <cmath>
#include <sqlite3.h>

using namespace quarvel;

namespace {
CampioneLog Campione(Istante t, int16_t dato3 = 1200) {
  CampioneLog c;
  c.TimeDate = c.TimeDateLH = t;
  c.Dato3 = dato3;
  return c;
}

Istante T(int g, int h, int m, int s) { return *IstanteDa(2026, 12, g, h, m, s); }

// TimeDate of every record the shared cursor walks, from the first.
std::vector<Istante> Chiavi() {
  std::vector<Istante> chiavi;
  CursoreLogs& c = RecordsetLogs();
  for (c.Primo(); !c.AllaFine(); c.Successivo()) chiavi.push_back(c.TimeDate());
  return chiavi;
}

int64_t RigheViste(const QString& percorso) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(percorso.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT count(*) FROM Logs", -1, &s, nullptr);
  sqlite3_step(s);
  const int64_t n = sqlite3_column_int64(s, 0);
  sqlite3_finalize(s);
  sqlite3_close(db);
  return n;
}

class DatabaseLogsProva : public CartellaProva {
 protected:
  void TearDown() override { ChiudiLogs(); }
  QString Nuovo(const QString& targa = QStringLiteral("AB123CD")) {
    const DatabaseAperto aperto = ApriDatabaseVeicolo(targa, QStringLiteral("2026"), 1);
    EXPECT_TRUE(aperto.esito) << aperto.esito.messaggio.toStdString();
    return aperto.percorso;
  }
  RegistratoreMessaggi messaggi_;
};
}  // namespace

TEST_F(DatabaseLogsProva, CopiaIlModelloSoloSeNonEsisteInNessunaMaiuscola) {
  for (int tipo = 0; tipo <= 2; ++tipo) {
    const QString targa = QStringLiteral("TIPO%1").arg(tipo);
    const DatabaseAperto aperto = ApriDatabaseVeicolo(targa, QStringLiteral("2026"), tipo);
    ASSERT_TRUE(aperto.esito);
    EXPECT_EQ(aperto.percorso, Percorso("DATA/" + targa + "_ 2026.mdb"));
    EXPECT_EQ(LeggiTutto(aperto.percorso), LeggiTutto(PercorsoModello(tipo)));
  }
  const QString percorso = Nuovo(QStringLiteral("ab123cd"));
  ASSERT_EQ(ScriviRecordLogs(Campione(T(4, 22, 12, 5))), 0);
  ChiudiLogs();

  const DatabaseAperto ancora = ApriDatabaseVeicolo(QStringLiteral("AB123CD"), "2026", 1);
  ASSERT_TRUE(ancora.esito);
  EXPECT_EQ(ancora.percorso, percorso);
  EXPECT_EQ(Chiavi(), std::vector<Istante>{T(4, 22, 12, 5)});
  EXPECT_EQ(QDir(Percorso("DATA")).entryList(QDir::Files).size(), 4);

  EXPECT_EQ(CercaFile(Percorso("DATA"), "AB123CD_ 2026.MDB"), "ab123cd_ 2026.mdb");
  EXPECT_EQ(CercaFile(Percorso("DATA/"), "ab123cd_ 2026.mdb"), "ab123cd_ 2026.mdb");
  EXPECT_EQ(EsisteFile(Percorso("data/x.mdb")), "");
  EXPECT_EQ(EsisteFile(Percorso("DATA")), "");
  EXPECT_TRUE(EsisteCartella(Percorso("data")));
  EXPECT_FALSE(EsisteCartella(percorso));
  EXPECT_FALSE(EsisteCartella(Percorso("MANCA")));
  EXPECT_TRUE(messaggi_.messaggi.empty());
}

TEST_F(DatabaseLogsProva, AperturaImpossibileDaUnMessaggioChiaro) {
  const DatabaseAperto tipo3 = ApriDatabaseVeicolo(QStringLiteral("ZZ"), "2026", 3);
  EXPECT_FALSE(tipo3.esito);
  EXPECT_EQ(tipo3.esito.messaggio, "Impossibile aprire il database " +
                                       QDir::toNativeSeparators(Percorso("DATA/ZZ_ 2026.mdb")) +
                                       ": unable to open database file"
                                       " (tipo di database sconosciuto (3))");
  EXPECT_TRUE(QDir(Percorso("DATA")).isEmpty());
  EXPECT_TRUE(RecordsetLogs().AllaFine() && RecordsetLogs().AllInizio());
  EXPECT_EQ(ScriviRecordLogs(Campione(1)), 1);
  EXPECT_EQ(messaggi_.Testi(),
            QStringList{"Errore Database, comunicare Err: database non aperto"});

  // A template that is no database: the open fails, and no file is left
  // that the next import would find and fail on again.
  ScriviTutto(PercorsoModello(0), QByteArray(3000, 'x'));
  EXPECT_TRUE(ApriDatabaseVeicolo(QStringLiteral("ZZ"), "2026", 0).esito.messaggio.endsWith(
      "file is not a database"));
  EXPECT_EQ(QDir(Percorso("DATA")).entryList(QDir::Files | QDir::Hidden), QStringList());
  // Nor a plate that would lead out of DATA.
  EXPECT_FALSE(ApriDatabaseVeicolo(QStringLiteral("../ZZ"), "2026", 1).esito);
  EXPECT_FALSE(QFile::exists(Percorso("ZZ_ 2026.mdb")));

  ScriviTutto(Percorso("DATA/rotto.mdb"), QByteArray(3000, 'x'));
  EXPECT_TRUE(ApriLogs(Percorso("DATA/rotto.mdb")).messaggio.endsWith("file is not a database"));
  EXPECT_TRUE(ApriLogs(Percorso("DB/Anagrafica97.mdb")).messaggio.endsWith("no such table: Logs"));
}

TEST_F(DatabaseLogsProva, UnSecondoGiaPresenteERifiutatoSenzaMessaggio) {
  Nuovo();
  CampioneLog primo = Campione(T(4, 8, 0, 0), 900);
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
  EXPECT_EQ(messaggi_.Testi(), QStringList{"Errore Database, comunicare Err: NOT NULL "
                                           "constraint failed: Logs.Dato2"});
  EXPECT_EQ(messaggi_.messaggi.at(0).titolo, TitoloApplicazione);
  EXPECT_EQ(ScriviRecordLogs(Campione(T(4, 8, 0, 3))), 0);
  EXPECT_EQ(Chiavi(), (std::vector<Istante>{T(4, 8, 0, 0), T(4, 8, 0, 1), T(4, 8, 0, 3)}));
}

TEST_F(DatabaseLogsProva, OgniColonnaTornaConIlSuoTipo) {
  Nuovo();
  CampioneLog c{T(4, 22, 12, 5), T(4, 22, 12, 5), 32767, -32768, -1, 26214.5f, 8000, 0, 90,
                -1, 32767, -2147483647 - 1, 2147483647, 123456.789, 0.1, -1, 1e-3f, 250,
                0, 32767};
  ASSERT_EQ(ScriviRecordLogs(c), 0);
  ChiudiLogs();
  ASSERT_TRUE(ApriLogs(Percorso("DATA/AB123CD_ 2026.mdb")));
  const CursoreLogs& r = RecordsetLogs();
  EXPECT_EQ(r.Campione(), c);
  EXPECT_EQ(r.Valore(kTimeDate).toDateTime(), QDateTime(QDate(2026, 12, 4), QTime(22, 12, 5)));
  EXPECT_EQ(r.Valore(kDato2).typeId(), QMetaType::Float);
  EXPECT_EQ(r.Valore(kDato8).typeId(), QMetaType::Int);
  EXPECT_EQ(r.Valore(kDato10).toDouble(), 123456.789);
}

TEST_F(DatabaseLogsProva, UnLottoPienoEGiaSulDiscoPrimaDellaChiusura) {
  const QString percorso = Nuovo();
  for (int i = 0; i < DatabaseLogs::kLotto + 10; ++i)
    ASSERT_EQ(ScriviRecordLogs(Campione(T(1, 0, 0, 0) + i)), 0);
  // What another program sees now is what a crash would leave.
  EXPECT_EQ(RigheViste(percorso), DatabaseLogs::kLotto);
  ChiudiLogs();
  EXPECT_EQ(RigheViste(percorso), DatabaseLogs::kLotto + 10);
}

TEST_F(DatabaseLogsProva, IlPeriodoComprendeIDueEstremiAlSecondo) {
  const QString percorso = Nuovo();
  for (Istante t : {T(3, 23, 59, 59), T(4, 0, 0, 0), T(4, 12, 0, 0), T(4, 23, 59, 58),
                    T(4, 23, 59, 59), T(5, 0, 0, 0)})
    ScriviRecordLogs(Campione(t));
  ChiudiLogs();
  ASSERT_TRUE(ApriLogsPeriodo(percorso, T(4, 0, 0, 0), T(4, 23, 59, 59)));
  EXPECT_EQ(Chiavi(), (std::vector<Istante>{T(4, 0, 0, 0), T(4, 12, 0, 0), T(4, 23, 59, 58),
                                            T(4, 23, 59, 59)}));
  ASSERT_TRUE(ApriLogsPeriodo(percorso, T(4, 12, 0, 0), T(4, 12, 0, 0)));
  EXPECT_EQ(Chiavi(), std::vector<Istante>{T(4, 12, 0, 0)});
  CursoreLogs& tenuto = RecordsetLogs();
  ASSERT_TRUE(ApriLogsPeriodo(percorso, T(4, 23, 59, 59), T(4, 0, 0, 0)));
  EXPECT_TRUE(RecordsetLogs().AllaFine() && RecordsetLogs().AllInizio());
  EXPECT_TRUE(Chiavi().empty());
  // A cursor kept past the close has no records left.
  ASSERT_TRUE(ApriLogs(percorso));
  ChiudiLogs();
  tenuto.Primo();
  EXPECT_TRUE(tenuto.AllaFine() && tenuto.AllInizio());
}

TEST_F(DatabaseLogsProva, UnFileRovinatoAMetaFermaLaLetturaColMotivo) {
  const QString percorso = Nuovo();
  for (int i = 0; i < 5000; ++i) ScriviRecordLogs(Campione(T(1, 0, 0, 0) + i));
  ChiudiLogs();
  QFile file(percorso);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.seek(4 * 65536);  // a leaf page in the middle of the table
  file.write(QByteArray(65536, '\x5a'));
  file.close();
  ASSERT_TRUE(ApriLogs(percorso));
  const std::size_t letti = Chiavi().size();
  EXPECT_GT(letti, 0u);
  EXPECT_LT(letti, 5000u);
  EXPECT_EQ(RecordsetLogs().Errore(), "database disk image is malformed");
}
