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
// every table was last brought up to date, and the commits of our own
// writers since. Made anew by every full rebuild (the versions before
// lacked Propri).
constexpr const char* kCreaStato =
    "DROP TABLE IF EXISTS LogsIndiciStato;"
    "CREATE TABLE LogsIndiciStato (Id INTEGER PRIMARY KEY, Contatore INTEGER NOT NULL, "
    "Versione INTEGER NOT NULL, Propri INTEGER NOT NULL);"
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
};

std::optional<Stato> LeggiStato(Connessione& c) {
  Istruzione s = c.Prepara("SELECT Contatore, Versione, Propri FROM LogsIndiciStato WHERE Id = 1");
  if (!s || sqlite3_step(s.get()) != SQLITE_ROW) return std::nullopt;
  return Stato{sqlite3_column_int64(s.get(), 0), sqlite3_column_int64(s.get(), 1),
               sqlite3_column_int64(s.get(), 2)};
}

// Every commit bumps the counter by one: when it has moved by exactly the
// commits of our own writers, nobody else wrote.
bool SoloScrittureProprie(const std::optional<Stato>& stato, std::optional<int64_t> contatore) {
  return stato && contatore && stato->versione == kVersioneIndici &&
         ((stato->contatore + stato->propri) & 0xffffffff) == *contatore;
}

bool ScriviStato(Connessione& c, int64_t contatore) {
  Istruzione s = c.Prepara(
      "INSERT OR REPLACE INTO LogsIndiciStato (Id, Contatore, Versione, Propri) VALUES (1, ?1, ?2, 0)");
  if (!s) return false;
  sqlite3_bind_int64(s.get(), 1, contatore);
  sqlite3_bind_int64(s.get(), 2, kVersioneIndici);
  return sqlite3_step(s.get()) == SQLITE_DONE;
}

AggiornamentoIndici Ricostruisci(Connessione& c) {
  // The write lock first: nobody commits between reading the counter and
  // our own commit, which bumps it by one; -1 never matches (WAL).
  if (!c.Esegui("BEGIN IMMEDIATE")) return AggiornamentoIndici::Fallito;
  const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
  const int64_t dopo = contatore ? (*contatore + 1) & 0xffffffff : -1;
  const bool incrementale = SoloScrittureProprie(LeggiStato(c), contatore);
  const bool ok = (incrementale || (c.Esegui(kCreaStato) && RicostruisciOreLogs(c))) &&
                  RicostruisciOrdinaliLogs(c) && RicostruisciAttivitaLogs(c) && ScriviStato(c, dopo);
  if (ok && c.Esegui("COMMIT"))
    return incrementale ? AggiornamentoIndici::Incrementale : AggiornamentoIndici::Completo;
  c.Esegui("ROLLBACK");
  return AggiornamentoIndici::Fallito;
}

AggiornamentoIndici Aggiorna(Connessione& c) {
  if (!c.Esegui("BEGIN")) return AggiornamentoIndici::Fallito;
  const bool corrente = IndiciCorrenti(c);
  c.Esegui("COMMIT");
  return corrente ? AggiornamentoIndici::Correnti : Ricostruisci(c);
}

Esito Apri(Connessione& c, const QString& percorso, AggiornamentoIndici& fatto) {
  fatto = AggiornamentoIndici::Fallito;
  if (Esito e = c.Apri(percorso); !e) return e;
  // As every writer of the vehicle databases keeps them: see Logs.h.
  c.Esegui("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
  if (!c.Prepara("SELECT TimeDate FROM Logs LIMIT 0") || !CursoreSqlite::Registra(c)) {
    const Esito e = c.Fallimento();
    c.Chiudi();
    return e;
  }
  fatto = Aggiorna(c);
  return {};
}
}  // namespace

bool IndiciCorrenti(Connessione& c) {
  // Reading the row takes the lock under which the header stays put.
  Istruzione s = c.Prepara("SELECT Contatore, Versione FROM LogsIndiciStato WHERE Id = 1");
  if (!s || sqlite3_step(s.get()) != SQLITE_ROW) return false;
  const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
  return contatore && *contatore == sqlite3_column_int64(s.get(), 0) &&
         sqlite3_column_int64(s.get(), 1) == kVersioneIndici;
}

bool ScritturaPropria(Connessione& c) {
  const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
  if (!contatore) return false;
  if (SoloScrittureProprie(LeggiStato(c), contatore)) return true;
  // With no sample yet every table is trivially up to date, as of now.
  Istruzione campione = c.Prepara("SELECT 1 FROM Logs LIMIT 1");
  if (!campione || sqlite3_step(campione.get()) != SQLITE_DONE) return false;
  campione = Istruzione();
  return c.Esegui(kCreaStato) && CreaOreLogs(c) && c.Esegui("DELETE FROM LogsOre") &&
         ScriviStato(c, *contatore);
}

bool ContaScritturaPropria(Connessione& c) {
  return c.Esegui("UPDATE LogsIndiciStato SET Propri = Propri + 1 WHERE Id = 1") &&
         sqlite3_changes(c.db()) == 1;
}

Esito ApriIndiciLogs(Connessione& c, const QString& percorso, bool& aggiornati) {
  AggiornamentoIndici fatto;
  const Esito e = Apri(c, percorso, fatto);
  aggiornati = fatto != AggiornamentoIndici::Fallito;
  return e;
}

Esito AggiornaIndiciLogs(const QString& percorso, AggiornamentoIndici* fatto) {
  Connessione c;
  AggiornamentoIndici f;
  const Esito e = Apri(c, percorso, f);
  if (fatto) *fatto = f;
  if (!e) return e;
  if (f == AggiornamentoIndici::Fallito)
    return Esito::Fallito(QStringLiteral("Impossibile aggiornare gli indici di ") + percorso);
  return {};
}

}  // namespace quarvel
