#include "IndiciLogs.h"

#include "AttivitaLogs.h"
#include "CursoreSqlite.h"
#include "OrdinaliLogs.h"
#include "OreLogs.h"

#include <cstdint>
#include <optional>
#include <sqlite3.h>

namespace quarvel {

namespace {
// Raised whenever a table is added or changes its layout: a file brought up
// to date by another version of the program is rebuilt.
constexpr int64_t kVersioneIndici = 2;

// The state row: the change counter its own commit left in the file when
// the tables were last brought up to date, the commits of our own writers
// since, and whether LogsOre describes Logs (Ore 1) or waits to be packed
// anew (0). Made anew whenever somebody else wrote (the versions before
// lacked Propri and Ore).
constexpr const char* kCreaStato =
    "DROP TABLE IF EXISTS LogsIndiciStato;"
    "CREATE TABLE LogsIndiciStato (Id INTEGER PRIMARY KEY, Contatore INTEGER NOT NULL, "
    "Versione INTEGER NOT NULL, Propri INTEGER NOT NULL, Ore INTEGER NOT NULL);"
    // The state row of the versions that kept LogsOrdinali alone.
    "DROP TABLE IF EXISTS LogsOrdinaliStato";

// The change counter of the file's header (bytes 24..27). Nothing in WAL
// mode (bytes 18 and 19 are 2), whose commits need not bump it. Read
// through SQLite's own handle of the file, while a lock is held: opening the
// file a second time and closing it would drop the process's locks on it.
// Read it before the transaction writes anything: a page cache spilling to
// the file halfway writes the header with the counter already bumped.
std::optional<int64_t> ContatoreModifiche(sqlite3* db) {
  sqlite3_file* f = nullptr;
  if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &f) != SQLITE_OK || !f ||
      !f->pMethods)
    return std::nullopt;
  unsigned char h[100];
  if (f->pMethods->xRead(f, h, sizeof h, 0) != SQLITE_OK) return std::nullopt;
  if (h[18] != 1 || h[19] != 1) return std::nullopt;
  return int64_t(h[24]) << 24 | int64_t(h[25]) << 16 | int64_t(h[26]) << 8 | int64_t(h[27]);
}

struct Stato {
  int64_t contatore = 0, versione = 0, propri = 0;
  bool ore = false;
};

std::optional<Stato> LeggiStato(Connessione& c) {
  Istruzione s =
      c.Prepara("SELECT Contatore, Versione, Propri, Ore FROM LogsIndiciStato WHERE Id = 1");
  if (!s || sqlite3_step(s.get()) != SQLITE_ROW) return std::nullopt;
  Stato stato{sqlite3_column_int64(s.get(), 0), sqlite3_column_int64(s.get(), 1),
              sqlite3_column_int64(s.get(), 2), sqlite3_column_int(s.get(), 3) == 1};
  if (stato.versione != kVersioneIndici) return std::nullopt;
  return stato;
}

// Every commit bumps the counter by one: when it has moved by exactly the
// commits of our own writers, nobody else wrote.
bool SoloScrittureProprie(const std::optional<Stato>& stato, std::optional<int64_t> contatore) {
  return stato && contatore && ((stato->contatore + stato->propri) & 0xffffffff) == *contatore;
}

bool ScriviStato(Connessione& c, int64_t contatore, bool ore) {
  Istruzione s = c.Prepara(
      "INSERT OR REPLACE INTO LogsIndiciStato (Id, Contatore, Versione, Propri, Ore) "
      "VALUES (1, ?1, ?2, 0, ?3)");
  if (!s) return false;
  sqlite3_bind_int64(s.get(), 1, contatore);
  sqlite3_bind_int64(s.get(), 2, kVersioneIndici);
  sqlite3_bind_int(s.get(), 3, ore ? 1 : 0);
  return sqlite3_step(s.get()) == SQLITE_DONE;
}

// The tables as the state row and the counter find them.
struct Situazione {
  bool correnti = false;  // nobody wrote since the last update
  bool catena = false;    // only our own writers did
  bool ore = false;       // LogsOre describes Logs
};
Situazione Esamina(Connessione& c) {
  // Reading the row first takes the lock under which the header stays put.
  const std::optional<Stato> stato = LeggiStato(c);
  const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
  Situazione s;
  s.catena = SoloScrittureProprie(stato, contatore);
  s.correnti = s.catena && stato->contatore == *contatore;
  s.ore = s.catena && stato->ore;
  return s;
}

AggiornamentoIndici Ricostruisci(Connessione& c, OreCompatte ore) {
  // The write lock first: nobody commits between reading the counter and
  // our own commit, which bumps it by one; -1 never matches (WAL).
  if (!c.Esegui("BEGIN IMMEDIATE")) return AggiornamentoIndici::Fallito;
  const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
  const int64_t dopo = contatore ? (*contatore + 1) & 0xffffffff : -1;
  const Situazione s = Esamina(c);
  const bool impacchetta = ore == OreCompatte::Comprese && !s.ore;
  const bool ok = (s.catena || c.Esegui(kCreaStato)) &&
                  (s.correnti || (RicostruisciOrdinaliLogs(c) && RicostruisciAttivitaLogs(c))) &&
                  (!impacchetta || RicostruisciOreLogs(c)) && ScriviStato(c, dopo, s.ore || impacchetta);
  if (ok && c.Esegui("COMMIT"))
    return impacchetta ? AggiornamentoIndici::Completo : AggiornamentoIndici::Incrementale;
  c.Esegui("ROLLBACK");
  return AggiornamentoIndici::Fallito;
}

AggiornamentoIndici Aggiorna(Connessione& c, OreCompatte ore) {
  if (!c.Esegui("BEGIN")) return AggiornamentoIndici::Fallito;
  const bool correnti = IndiciCorrenti(c, ore);
  c.Esegui("COMMIT");
  return correnti ? AggiornamentoIndici::Correnti : Ricostruisci(c, ore);
}

Esito Apri(Connessione& c, const QString& percorso, OreCompatte ore, AggiornamentoIndici& fatto) {
  fatto = AggiornamentoIndici::Fallito;
  if (Esito e = c.Apri(percorso); !e) return e;
  // As every writer of the vehicle databases keeps them: see Logs.h.
  c.Esegui("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
  if (!c.Prepara("SELECT TimeDate FROM Logs LIMIT 0") || !CursoreSqlite::Registra(c)) {
    const Esito e = c.Fallimento();
    c.Chiudi();
    return e;
  }
  fatto = Aggiorna(c, ore);
  return {};
}
}  // namespace

bool IndiciCorrenti(Connessione& c, OreCompatte ore) {
  const Situazione s = Esamina(c);
  return s.correnti && (ore == OreCompatte::Lasciate || s.ore);
}

ScritturaPropria InizioScritturaPropria(Connessione& c) {
  const Situazione s = Esamina(c);
  if (s.catena) return {true, s.ore};
  // With no sample yet every table is up to date as it stands.
  Istruzione campione = c.Prepara("SELECT 1 FROM Logs LIMIT 1");
  if (!campione || sqlite3_step(campione.get()) != SQLITE_DONE) return {};
  campione = Istruzione();
  const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
  if (!contatore || !c.Esegui(kCreaStato) || !CreaOreLogs(c) || !c.Esegui("DELETE FROM LogsOre") ||
      !ScriviStato(c, *contatore, true))
    return {};
  return {true, true};
}

bool ContaScritturaPropria(Connessione& c) {
  return c.Esegui("UPDATE LogsIndiciStato SET Propri = Propri + 1 WHERE Id = 1") &&
         sqlite3_changes(c.db()) == 1;
}

Esito ApriIndiciLogs(Connessione& c, const QString& percorso, bool& aggiornati, OreCompatte ore) {
  AggiornamentoIndici fatto;
  const Esito e = Apri(c, percorso, ore, fatto);
  aggiornati = fatto != AggiornamentoIndici::Fallito;
  return e;
}

Esito AggiornaIndiciLogs(const QString& percorso, AggiornamentoIndici* fatto, OreCompatte ore) {
  Connessione c;
  AggiornamentoIndici f;
  const Esito e = Apri(c, percorso, ore, f);
  if (fatto) *fatto = f;
  if (!e) return e;
  if (f == AggiornamentoIndici::Fallito)
    return Esito::Fallito(QStringLiteral("Impossibile aggiornare gli indici di ") + percorso);
  return {};
}

}  // namespace quarvel
