// The tables beside Logs against Logs itself, the reference: the packed
// hours give every reading of every period as the cursor does, the seek
// table every record's ordinal as a walk in order; kept so by our own
// writes, rebuilt after another program's, never fewer samples from a
// damaged file.
#include "AttivitaLogs.h"
#include "AvanzamentoImport.h"
#include "CampioniProva.h"
#include "CartellaProva.h"
#include "CodificaOre.h"
#include "IndiciLogs.h"
#include "LetturePeriodo.h"
#include "OrdinaliLogs.h"

#include <QFile>
#include <cmath>
#include <csignal>
#include <limits>
#include <random>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarvel;

namespace {
const Istante kGiorno = *IstanteDa(2026, 3, 2);

class OreProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    percorso_ = ScriviCampioni(Percorso("DATA/AB123CD_ 2026.mdb"), {});
  }
  // A sample as a logger writes it, now and then without a reading, and in
  // every other hour now and then with a value no logger writes.
  CampioneLog Campione(Istante t, int ordinale) {
    auto caso = [&](int n) { return int(gen_() % unsigned(n)); };
    CampioneLog c;
    c.TimeDate = c.TimeDateLH = t;
    c.DatoPT = int16_t(ordinale);
    c.Dato2 = caso(20) ? float(caso(1001)) / 10 : -1;
    c.Dato3 = int16_t(caso(10) ? caso(2600) : -1);
    c.Dato5 = int16_t(caso(10) ? caso(120) : -1);
    c.Dato8 = caso(10) ? caso(40000) : -1;
    // The dashboard counters as the logger writes them, in metres and half
    // litres: they move a little each second.
    c.Dato10 = double(120000000 + (t - kGiorno) * 14 + caso(3) * 5) / 1000;
    c.Dato11 = caso(300) ? double(10000 + (t - kGiorno) / 60) / 2 : 0;
    c.Dato14 = int16_t(caso(5) ? caso(400) : -1);
    c.Dato0 = int16_t(caso(100));
    // Only in every other hour, so that the others pack every column.
    if (caso(500) == 0 && InizioOra(t) % 7200 == 0) {
      const float livelli[] = {2.5f, -32768.5f, 32767.5f, 1e-7f, std::numeric_limits<float>::infinity()};
      c.Dato2 = livelli[caso(5)];
      c.Dato10 = caso(2) ? 0.1 + 0.2 : -0.0;
      c.Dato11 = caso(2) ? 1e300 : -std::numeric_limits<double>::infinity();
    }
    return c;
  }
  // Samples of recordings of `durata` seconds from each start, with holes.
  void Scrivi(std::initializer_list<std::pair<Istante, int>> registrazioni, int ogni = 0) {
    DatabaseLogs db;
    ASSERT_TRUE(db.Apri(percorso_));
    db.ConfermaOgni(ogni);
    for (auto [inizio, durata] : registrazioni)
      for (int s = 0, ordinale = 0; s < durata; ++s)
        if (gen_() % 40) {
          ASSERT_NE(db.Scrivi(Campione(inizio + s, ordinale++)), EsitoScrittura::Errore);
          istanti_.push_back(inizio + s);
        }
    ASSERT_TRUE(db.Chiudi());
    Ordina();
  }
  void Ordina() {
    std::sort(istanti_.begin(), istanti_.end());
    istanti_.erase(std::unique(istanti_.begin(), istanti_.end()), istanti_.end());
  }
  AggiornamentoIndici Aggiorna() {
    AggiornamentoIndici fatto;
    EXPECT_TRUE(AggiornaIndiciLogs(percorso_, &fatto));
    return fatto;
  }
  // Periods from and to seconds around hour boundaries and samples, mid-hour
  // ones, a single sample, reversed and empty ones, and the whole table.
  void ComeIlCursore(int periodi = 150) {
    std::vector<Istante> punti = {kInizioTabella, kFineTabella};
    for (int i = 0; i < 40 && !istanti_.empty(); ++i) {
      const Istante t = istanti_[gen_() % istanti_.size()];
      for (Istante p : {t, t - 1, t + 1, InizioOra(t), InizioOra(t) - 1, InizioOra(t) + 3599})
        punti.push_back(p);
    }
    for (int i = 0; i < periodi; ++i) {
      Istante a = punti[gen_() % punti.size()], b = punti[gen_() % punti.size()];
      if (i % 10 == 0) b = a;
      else if (i % 10 != 1 && a > b) std::swap(a, b);
      bool compatte = false;
      ASSERT_EQ(LettureScelte(percorso_, a, b, &compatte), LettureDiRiferimento(percorso_, a, b))
          << a << " " << b;
      ASSERT_TRUE(compatte);
    }
  }
  // Every record next to a block boundary of the seek table, and the ends,
  // as a plain walk in order has them.
  void ComeLaLetturaInOrdine(bool aggiornato = true) {
    OrdinaliLogs o;
    ASSERT_TRUE(o.Apri(percorso_));
    EXPECT_EQ(o.Aggiornato(), aggiornato);
    const int64_t n = int64_t(istanti_.size());
    for (int64_t p = 0; p <= n; ++p) {
      if (p % kPassoOrdinali > 1 && p % kPassoOrdinali < kPassoOrdinali - 1 && p < n - 1) continue;
      const RicercaOrdinale chiave = o.ChiaveDelRecord(p);
      ASSERT_TRUE(chiave.esito);
      EXPECT_EQ(chiave.valore, p < n ? std::optional<Istante>(istanti_[p]) : std::nullopt) << p;
      if (p < n) {
        EXPECT_EQ(o.OrdinaleDi(istanti_[p]).valore, p);
      }
    }
    EXPECT_FALSE(o.OrdinaleDi(kGiorno - 1).valore);
  }

  std::mt19937 gen_{20260302};
  QString percorso_;
  std::vector<Istante> istanti_;
};
}  // namespace

TEST_F(OreProva, OgniPeriodoComeIlCursore) {
  // Two recordings across hour boundaries, an hour left empty, an hour of a
  // single sample; then older samples in the holes of those hours.
  Scrivi({{kGiorno + 6 * 3600 + 1234, 9000}, {kGiorno + 10 * 3600 + 3599, 1},
          {kGiorno + 12 * 3600 + 5, 4000}});
  EXPECT_EQ(Aggiorna(), AggiornamentoIndici::Incrementale);
  ComeIlCursore();
  Scrivi({{kGiorno + 6 * 3600, 7000}, {kGiorno + 11 * 3600 + 200, 300}}, 1000);
  // Samples given up with their transaction leave nothing behind, also when
  // the same database goes on writing in that hour.
  {
    DatabaseLogs db;
    ASSERT_TRUE(db.Apri(percorso_));
    db.ConfermaOgni(0);
    ASSERT_EQ(db.Scrivi(Campione(kGiorno + 14 * 3600, 0)), EsitoScrittura::Salvato);
    db.Annulla();
    ASSERT_EQ(db.Scrivi(Campione(kGiorno + 14 * 3600 + 1, 0)), EsitoScrittura::Salvato);
    istanti_.push_back(kGiorno + 14 * 3600 + 1);
    // The import's progress, made, kept with the samples and forgotten, is
    // written by the database's own transactions too.
    ASSERT_TRUE(PreparaAvanzamento(db));
    AvanzamentoImport avanzamento;
    avanzamento.archivio = "A";
    ASSERT_TRUE(ScriviAvanzamento(db, avanzamento));
    ASSERT_TRUE(db.Conferma());
    ASSERT_TRUE(CancellaAvanzamento(db, "A"));
  }
  EXPECT_EQ(Aggiorna(), AggiornamentoIndici::Incrementale);
  ComeIlCursore();
}

// Another program's write is not kept by it: every hour is packed anew,
// whatever the odd values it stored, also when our own writes follow.
TEST_F(OreProva, UnaScritturaDiAltriRifaTutto) {
  Scrivi({{kGiorno + 3600, 7300}});
  EXPECT_EQ(Aggiorna(), AggiornamentoIndici::Incrementale);
  const Istante t = kGiorno + 3 * 3600 + 7;
  const QByteArray sql = QStringLiteral(
      "DELETE FROM Logs WHERE TimeDate % 7 = 0; "
      "INSERT OR REPLACE INTO Logs VALUES (%1, %1, 0, 0, 0, 12.345678901, 3.7, 0, '12abc', 0, 0, 4294967297, "
      "0, 1e308, -1e-300, 0, 0, 70000, 0, 0); "
      "INSERT OR REPLACE INTO Logs VALUES (%2, %2, 'x', 0, 0, 1e39, 0, 0, -1, 0, 0, -1, 0, 0.30000000000000004, "
      "9007199254740993, 0, 0, 0, 0, 0); "
      "INSERT OR REPLACE INTO Logs VALUES (%3, %3, 5, 0, 0, 62.5, 800, 0, 50, 0, 0, 2.5, 0, -0.0, 1e999, 0, 0, 0, 0, 0)")
      .arg(t).arg(t + 1).arg(t + 3601).toUtf8();
  EseguiSql(percorso_, sql.constData());
  std::erase_if(istanti_, [](Istante i) { return i % 7 == 0; });
  istanti_.insert(istanti_.end(), {t, t + 1, t + 3601});
  Ordina();
  EXPECT_EQ(Aggiorna(), AggiornamentoIndici::Completo);
  ComeIlCursore(60);
  // Ours, then another's, then ours again. The chart and the month track do
  // not wait for the hours to be packed: that is left to the next reader of
  // whole periods, and our writes meanwhile do not keep them.
  Scrivi({{kGiorno + 5 * 3600, 100}});
  EseguiSql(percorso_, "UPDATE Logs SET Dato5 = 99 WHERE rowid % 5 = 0");
  AggiornamentoIndici fatto;
  ASSERT_TRUE(AggiornaIndiciLogs(percorso_, &fatto, OreCompatte::Lasciate));
  EXPECT_EQ(fatto, AggiornamentoIndici::Incrementale);
  Scrivi({{kGiorno + 6 * 3600, 100}});
  EXPECT_EQ(Aggiorna(), AggiornamentoIndici::Completo);
  ComeIlCursore(60);
}

// A blob that the disk spoilt stops the reading with a reason; it is never
// read as other figures or fewer samples.
TEST_F(OreProva, UnaOraDanneggiataEUnErrore) {
  Scrivi({{kGiorno, 2 * 3600}});
  Aggiorna();
  const QList<QByteArray> dati = LeggiSql(percorso_, "SELECT Dati FROM LogsOre ORDER BY Ora DESC LIMIT 1");
  ASSERT_EQ(dati.size(), 1);
  // Its first bytes lie together on the table's page (the rest may go to
  // overflow pages): one bit flipped among them.
  QByteArray file = LeggiTutto(percorso_);
  const qsizetype dove = file.indexOf(dati[0].left(200));
  ASSERT_GE(dove, 0);
  file[dove + 150] = char(file[dove + 150] ^ 0x10);
  ScriviTutto(percorso_, file);

  LetturePeriodo letture;
  ASSERT_TRUE(letture.Apri(percorso_, kInizioTabella, kFineTabella));
  EXPECT_TRUE(letture.Compatte());
  std::size_t n = 0;
  for (auto blocco = letture.Prossime(); !blocco.empty(); blocco = letture.Prossime()) n += blocco.size();
  EXPECT_LT(n, istanti_.size());
  EXPECT_TRUE(letture.Errore().contains("LogsOre")) << letture.Errore().toStdString();
}

// A file another program holds locked cannot be brought up to date (that
// lock is not waited for): its periods are read through the cursor and its
// records walked, with the same results.
TEST_F(OreProva, UnFileBloccatoSiLeggeDaLogs) {
  Scrivi({{kGiorno, 7400}});
  EseguiSql(percorso_, "DELETE FROM Logs WHERE TimeDate % 3 = 0");
  std::erase_if(istanti_, [](Istante i) { return i % 3 == 0; });
  const BloccoSql altro = BloccaSql(percorso_);
  bool compatte = true;
  EXPECT_EQ(LettureScelte(percorso_, kGiorno + 100, kGiorno + 3700, &compatte),
            LettureDiRiferimento(percorso_, kGiorno + 100, kGiorno + 3700));
  EXPECT_FALSE(compatte);
  ComeLaLetturaInOrdine(false);
}

TEST_F(OreProva, OgniOrdinaleComeNellaLetturaInOrdine) {
  ComeLaLetturaInOrdine();  // an empty table
  Scrivi({{kGiorno, 3 * 7200 + 500}});
  Aggiorna();
  ComeLaLetturaInOrdine();
  // Appended, then older samples in the holes of the first block, both
  // after the table was built and without updating it (an import killed
  // before that).
  Scrivi({{kGiorno + 30000, 7200}});
  ComeLaLetturaInOrdine();
  Scrivi({{kGiorno, 2000}});
  ComeLaLetturaInOrdine();
  // Another program deletes records.
  EseguiSql(percorso_, "DELETE FROM Logs WHERE TimeDate % 7 = 0");
  std::erase_if(istanti_, [](Istante t) { return t % 7 == 0; });
  ComeLaLetturaInOrdine();
  // Brought up to date as the import does, the tables are found current by
  // the readers of the chart's and the month track's, and nobody writes.
  Aggiorna();
  const QByteArray prima = LeggiTutto(percorso_);
  ComeLaLetturaInOrdine();
  AttivitaLogs attivita;
  ASSERT_TRUE(attivita.Apri(percorso_));
  EXPECT_TRUE(attivita.Aggiornato());
  EXPECT_EQ(LeggiTutto(percorso_), prima);
}

// Killed anywhere in the rebuild, the file is as before it (the journal
// rolls it back) and the next open rebuilds it whole.
TEST_F(OreProva, UccisoDuranteLAggiornamentoSiRimetteAPosto) {
  Scrivi({{kGiorno, 3 * 3600}});
  Aggiorna();
  bool ucciso = false;
  for (int passi : {20, 2000, 200000, 2000000}) {
    EseguiSql(percorso_, "UPDATE Logs SET Dato3 = Dato3 + 1 WHERE rowid % 2 = 0");
    const pid_t figlio = ::fork();
    if (figlio == 0) {
      // Every connection of the child counts the engine's steps, and the
      // child dies at the chosen one.
      static int limite;
      limite = passi;
      sqlite3_auto_extension(reinterpret_cast<void (*)()>(+[](sqlite3* db, char**, const void*) {
        sqlite3_progress_handler(db, 1, [](void*) {
          if (--limite == 0) ::raise(SIGKILL);
          return 0;
        }, nullptr);
        return SQLITE_OK;
      }));
      AggiornaIndiciLogs(percorso_);
      ::_exit(0);
    }
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    ucciso |= WIFSIGNALED(stato);
    EXPECT_EQ(Aggiorna(), WIFSIGNALED(stato) ? AggiornamentoIndici::Completo : AggiornamentoIndici::Correnti);
    ComeIlCursore(10);
  }
  EXPECT_TRUE(ucciso);
}
