#include "IndiciLogs.h"

#include "AttivitaLogs.h"
#include "CursoreSqlite.h"
#include "OrdinaliLogs.h"

#include <cstdint>
#include <optional>
#include <sqlite3.h>

namespace quarvel {

namespace {
// Raised whenever a table is added or changes its layout: a file brought up
// to date by another version of the program is rebuilt.
constexpr int64_t kVersioneIndici = 1;

constexpr const char* kCreaStato =
    "CREATE TABLE IF NOT EXISTS LogsIndiciStato (Id INTEGER PRIMARY KEY, "
    "Contatore INTEGER NOT NULL, Versione INTEGER NOT NULL);"
    // The state row of the versions that kept LogsOrdinali alone.
    "DROP TABLE IF EXISTS LogsOrdinaliStato";

// The change counter of the file's header (bytes 24..27). Nothing in WAL
// mode (bytes 18 and 19 are 2), whose commits need not bump it. Read
// through SQLite's own handle of the file, while a lock is held: opening the
// file a second time and closing it would drop the process's locks on it.
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

// The write lock first: nobody commits between reading the counter and our
// own commit, which bumps it by one; -1 never matches (WAL).
bool Ricostruzione(Connessione& c) {
  if (!c.Esegui("BEGIN IMMEDIATE")) return false;
  const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
  const int64_t dopo = contatore ? (*contatore + 1) & 0xffffffff : -1;
  bool ok = c.Esegui(kCreaStato) && RicostruisciOrdinaliLogs(c) && RicostruisciAttivitaLogs(c);
  if (ok) {
    Istruzione s = c.Prepara(
        "INSERT OR REPLACE INTO LogsIndiciStato (Id, Contatore, Versione) VALUES (1, ?1, ?2)");
    ok = bool(s);
    if (ok) {
      sqlite3_bind_int64(s.get(), 1, dopo);
      sqlite3_bind_int64(s.get(), 2, kVersioneIndici);
      ok = sqlite3_step(s.get()) == SQLITE_DONE;
    }
  }
  if (ok && c.Esegui("COMMIT")) return true;
  c.Esegui("ROLLBACK");
  return false;
}

// A file another program writes (an import) is not waited for: its readers
// walk Logs meanwhile, and the import rebuilds the tables when it ends.
bool Ricostruisci(Connessione& c) {
  c.AttendiAlPiu(std::chrono::milliseconds(0));
  const bool ok = Ricostruzione(c);
  c.AttendiAlPiu(Connessione::AttesaMassima());
  return ok;
}

bool Aggiorna(Connessione& c) {
  if (!c.Esegui("BEGIN")) return false;
  const bool corrente = IndiciCorrenti(c);
  c.Esegui("COMMIT");
  return corrente || Ricostruisci(c);
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

Esito ApriIndiciLogs(Connessione& c, const QString& percorso, bool& aggiornati) {
  aggiornati = false;
  if (Esito e = c.Apri(percorso); !e) return e;
  c.ModoVeicolo();
  if (!c.Prepara("SELECT TimeDate FROM Logs LIMIT 0") || !CursoreSqlite::Registra(c)) {
    const Esito e = c.Fallimento();
    c.Chiudi();
    return e;
  }
  aggiornati = Aggiorna(c);
  return {};
}

Esito AggiornaIndiciLogs(const QString& percorso) {
  Connessione c;
  bool aggiornati = false;
  if (Esito e = ApriIndiciLogs(c, percorso, aggiornati); !e) return e;
  if (!aggiornati)
    return Esito::Fallito(QStringLiteral("Impossibile aggiornare gli indici di ") + percorso);
  return {};
}

}  // namespace quarvel
