#include "AttivitaLogs.h"
#include "CampioniProva.h"
#include "CartellaProva.h"
#include "IndiciLogs.h"
#include "OrdinaliLogs.h"

#include <algorithm>
#include <sqlite3.h>

using namespace quarvel;

namespace {
const Istante kInizio = *IstanteDa(2026, 3, 1);

class OrdinaliProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    percorso_ = ScriviCampioni(Percorso("DATA/AB123CD_ 2026.mdb"), {});
  }
  // Samples at these seconds, as an import stores them (no update of the
  // seek afterwards: an import killed before it).
  void Scrivi(Istante da, int quanti, int passo) {
    const std::vector<Istante> nuove = Secondi(da, quanti, passo);
    ScriviCampioni(percorso_, nuove);
    chiavi_.insert(chiavi_.end(), nuove.begin(), nuove.end());
    std::sort(chiavi_.begin(), chiavi_.end());
    chiavi_.erase(std::unique(chiavi_.begin(), chiavi_.end()), chiavi_.end());
  }
  // Every record next to a block boundary, and the ends, as a plain walk has them.
  void Verifica(bool aggiornato = true) {
    OrdinaliLogs o;
    ASSERT_TRUE(o.Apri(percorso_));
    EXPECT_EQ(o.Aggiornato(), aggiornato);
    const int64_t n = int64_t(chiavi_.size());
    for (int64_t p = 0; p <= n; ++p) {
      if (p % kPassoOrdinali > 1 && p % kPassoOrdinali < kPassoOrdinali - 1 && p < n - 1) continue;
      const RicercaOrdinale chiave = o.ChiaveDelRecord(p);
      ASSERT_TRUE(chiave.esito);
      EXPECT_EQ(chiave.valore, p < n ? std::optional<Istante>(chiavi_[p]) : std::nullopt) << p;
      if (p < n) {
        EXPECT_EQ(o.OrdinaleDi(chiavi_[p]).valore, p);
      }
    }
    EXPECT_FALSE(o.OrdinaleDi(kInizio - 1).valore);
  }
  QString percorso_;
  std::vector<Istante> chiavi_;
};
}  // namespace

TEST_F(OrdinaliProva, OgniRecordComeNellaLetturaInOrdine) {
  Verifica();  // an empty table
  Scrivi(kInizio, 3 * 7200 + 17, 2);
  Verifica();
  // Appended after the table was built, without updating it.
  Scrivi(chiavi_.back() + 60, 7200, 1);
  Verifica();
  // Older samples in the gaps of the first block.
  Scrivi(kInizio + 1, 500, 2);
  Verifica();
  // Another program deletes records.
  EseguiSql(percorso_, "DELETE FROM Logs WHERE TimeDate % 7 = 0");
  std::erase_if(chiavi_, [](Istante t) { return t % 7 == 0; });
  Verifica();
}

// The chart's table and the month track's share one state: the readers of
// either find both current, and nobody writes.
TEST_F(OrdinaliProva, AggiornatiDopoLImportNonSiRiscrivonoALettura) {
  Scrivi(kInizio, 7300, 1);
  ASSERT_TRUE(AggiornaIndiciLogs(percorso_));
  const QByteArray prima = LeggiTutto(percorso_);
  for (int volta = 0; volta < 2; ++volta) {
    Verifica();
    AttivitaLogs attivita;
    ASSERT_TRUE(attivita.Apri(percorso_));
    EXPECT_TRUE(attivita.Aggiornato());
  }
  EXPECT_EQ(LeggiTutto(percorso_), prima);
}

TEST_F(OrdinaliProva, UnFileBloccatoDaAltriSiLeggeCamminando) {
  Scrivi(kInizio, 7300, 1);
  // Another program holds the write lock: the table cannot be built (that
  // lock is not waited for), and the records are walked instead.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(percorso_.toUtf8().constData(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  Verifica(false);
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}
