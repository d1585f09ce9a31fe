#include "OreLogs.h"

#include "CursoreSqlite.h"
#include "IndiciLogs.h"

#include <algorithm>
#include <limits>
#include <sqlite3.h>

namespace quarvel {

namespace {
constexpr const char* kCrea =
    "CREATE TABLE IF NOT EXISTS LogsOre (Ora INTEGER PRIMARY KEY, Dati BLOB NOT NULL)";
constexpr const char* kScrivi = "INSERT OR REPLACE INTO LogsOre (Ora, Dati) VALUES (?1, ?2)";

bool ScriviOra(sqlite3_stmt* s, Istante ora, std::span<const LetturaCampione> campioni) {
  const std::vector<uint8_t> dati = CodificaOra(ora, campioni);
  sqlite3_bind_int64(s, 1, ora);
  sqlite3_bind_blob(s, 2, dati.data(), int(dati.size()), SQLITE_STATIC);
  const bool ok = sqlite3_step(s) == SQLITE_DONE;
  sqlite3_reset(s);
  return ok;
}

// A second beyond the bounds of every period is read by nobody: it is left
// out of the hours.
bool FuoriDaOgniPeriodo(Istante t) { return t < kInizioTabella || t > kFineTabella; }

QString OraDanneggiata(Istante ora) {
  return QStringLiteral("dati dell'ora %1 danneggiati (tabella LogsOre)")
      .arg(InDateTime(ora).toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}
}  // namespace

bool CreaOreLogs(Connessione& c) { return c.Esegui(kCrea); }

bool RicostruisciOreLogs(Connessione& c) {
  if (!CreaOreLogs(c) || !c.Esegui("DELETE FROM LogsOre")) return false;
  Istruzione scrivi = c.Prepara(kScrivi);
  CursoreSqlite cursore(c, kInizioTabella, kFineTabella);
  if (!scrivi || !cursore.Valido()) return false;
  LettureDaCursore letture(cursore);
  std::vector<LetturaCampione> ora;
  for (auto blocco = letture.Prossime(); !blocco.empty(); blocco = letture.Prossime())
    for (const LetturaCampione& l : blocco) {
      if (!ora.empty() && InizioOra(l.TimeDate) != InizioOra(ora[0].TimeDate)) {
        if (!ScriviOra(scrivi.get(), InizioOra(ora[0].TimeDate), ora)) return false;
        ora.clear();
      }
      ora.push_back(l);
    }
  if (!letture.Errore().isEmpty()) return false;
  return ora.empty() || ScriviOra(scrivi.get(), InizioOra(ora[0].TimeDate), ora);
}

// --- reading ---

LettureOre::LettureOre(Connessione& c, Istante inizio, Istante fine)
    : c_(c), inizio_(inizio), fine_(fine), ultimaOra_(std::numeric_limits<Istante>::min()) {
  ore_ = c.Prepara("SELECT Ora, Dati FROM LogsOre WHERE Ora >= ?1 AND Ora <= ?2 ORDER BY Ora");
  if (!ore_) {
    errore_ = c.Errore();
    Fine();
    return;
  }
  sqlite3_bind_int64(ore_.get(), 1, InizioOra(std::max(inizio, kInizioTabella)));
  sqlite3_bind_int64(ore_.get(), 2, std::min(fine, kFineTabella));
}

LettureOre::~LettureOre() { Fine(); }

void LettureOre::Fine() {
  if (finito_) return;
  finito_ = true;
  ore_ = Istruzione();
  c_.Esegui("COMMIT");
}

bool LettureOre::ProssimaOra() {
  while (!finito_) {
    sqlite3_stmt* s = ore_.get();
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_ROW) {
      if (rc != SQLITE_DONE) errore_ = c_.Errore();
      break;
    }
    const Istante ora = sqlite3_column_int64(s, 0);
    const auto* dati = static_cast<const uint8_t*>(sqlite3_column_blob(s, 1));
    const auto byte = std::size_t(sqlite3_column_bytes(s, 1));
    // An hour out of place is as damaged as a blob that does not decode.
    if (ora != InizioOra(ora) || ora <= ultimaOra_ || !dati || !ora_.Apri(ora, {dati, byte})) {
      errore_ = OraDanneggiata(ora);
      break;
    }
    ultimaOra_ = ora;
    // Only the end hours reach past the period.
    prossimo_ = ora < inizio_ ? ora_.Posizione(inizio_) : 0;
    dopo_ = ora + kSecondiOra - 1 > fine_ ? ora_.Posizione(fine_ + 1) : ora_.Campioni();
    if (prossimo_ < dopo_) return true;
  }
  Fine();
  return false;
}

std::span<const LetturaCampione> LettureOre::Prossime() {
  // A block the analysis goes through while it is in the nearest cache.
  constexpr std::size_t kBlocco = 512;
  if (prossimo_ >= dopo_ && !ProssimaOra()) return {};
  const std::size_t n = std::min(kBlocco, dopo_ - prossimo_);
  blocco_.resize(kBlocco);
  const std::span<LetturaCampione> blocco(blocco_.data(), n);
  ora_.Leggi(prossimo_, blocco);
  prossimo_ += n;
  return blocco;
}

// --- writing ---

void OreInScrittura::Inizio(Connessione& c) {
  const ScritturaPropria propria = InizioScritturaPropria(c);
  conta_ = propria.catena;
  // The hour kept from the last transaction is what that one committed;
  // after a write of somebody else it may not be.
  if (!propria.ore) Annullata();
  attivo_ = propria.ore;
}

void OreInScrittura::Annullata() {
  attivo_ = conta_ = aperta_ = modificata_ = false;
  campioni_.clear();
}

bool OreInScrittura::Carica(Connessione& c, Istante ora) {
  if (!leggi_) leggi_ = c.Prepara("SELECT Dati FROM LogsOre WHERE Ora = ?1", true);
  sqlite3_stmt* s = leggi_.get();
  if (!s) return false;
  sqlite3_bind_int64(s, 1, ora);
  const int rc = sqlite3_step(s);
  bool ok = rc == SQLITE_DONE;
  campioni_.clear();
  if (rc == SQLITE_ROW) {
    const auto* dati = static_cast<const uint8_t*>(sqlite3_column_blob(s, 0));
    ok = dati && DecodificaOra(ora, {dati, std::size_t(sqlite3_column_bytes(s, 0))}, campioni_);
  }
  sqlite3_reset(s);
  ora_ = ora;
  aperta_ = ok;
  modificata_ = false;
  ordinata_ = true;
  return ok;
}

bool OreInScrittura::Scrivi(Connessione& c) {
  if (!aperta_ || !modificata_) return true;
  if (!ordinata_)
    std::sort(campioni_.begin(), campioni_.end(),
              [](const LetturaCampione& a, const LetturaCampione& b) { return a.TimeDate < b.TimeDate; });
  ordinata_ = true;
  if (!scrivi_) scrivi_ = c.Prepara(kScrivi, true);
  if (!scrivi_ || !ScriviOra(scrivi_.get(), ora_, campioni_)) return false;
  modificata_ = false;
  return true;
}

bool OreInScrittura::Prepara(Connessione& c, Istante timeDate) {
  if (!attivo_ || FuoriDaOgniPeriodo(timeDate)) return true;
  const Istante ora = InizioOra(timeDate);
  if (aperta_ && ora == ora_) return true;
  if (!Scrivi(c)) return false;
  // A blob that cannot be read is no reason to refuse samples: the table is
  // left as it is, and the next update packs it anew.
  if (!Carica(c, ora)) Annullata();
  return true;
}

void OreInScrittura::Aggiunto(const CampioneLog& campione) {
  if (!attivo_ || FuoriDaOgniPeriodo(campione.TimeDate)) return;
  if (!campioni_.empty() && campione.TimeDate < campioni_.back().TimeDate) ordinata_ = false;
  campioni_.push_back(Lettura(campione));
  modificata_ = true;
}

bool OreInScrittura::PrimaDellaConferma(Connessione& c) {
  if (!Scrivi(c)) return false;
  // Once, also when a busy file makes the writer commit again.
  if (!conta_) return true;
  if (!ContaScritturaPropria(c)) return false;
  conta_ = false;
  return true;
}

}  // namespace quarvel
