#include "OrdinaliLogs.h"

#include <initializer_list>
#include <sqlite3.h>

namespace quarvel {

namespace {
constexpr const char* kCrea =
    "CREATE TABLE IF NOT EXISTS LogsOrdinali (Blocco INTEGER PRIMARY KEY, "
    "TimeDate INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS LogsOrdinaliStato (Id INTEGER PRIMARY KEY, "
    "Contatore INTEGER NOT NULL)";

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

// The first column of the first row of a query with integer parameters
// ?1, ?2, ...; nothing when there is no row.
RicercaOrdinale Valore(Connessione& c, const char* sql, std::initializer_list<int64_t> parametri) {
  RicercaOrdinale r;
  Istruzione s = c.Prepara(sql);
  int i = 0;
  for (int64_t p : parametri) sqlite3_bind_int64(s.get(), ++i, p);
  const int rc = s ? sqlite3_step(s.get()) : SQLITE_ERROR;
  if (rc == SQLITE_ROW) r.valore = sqlite3_column_int64(s.get(), 0);
  else if (rc != SQLITE_DONE) r.esito = Esito::Fallito(kErroreDatabase + c.Errore());
  return r;
}
}  // namespace

OrdinaliLogs::OrdinaliLogs() = default;
OrdinaliLogs::~OrdinaliLogs() = default;

Esito OrdinaliLogs::Apri(const QString& percorso) {
  Chiudi();
  Connessione& c = connessione_;
  if (Esito e = c.Apri(percorso); !e) return e;
  // As every writer of the vehicle databases keeps them: see Logs.h.
  c.Esegui("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
  if (!c.Prepara("SELECT TimeDate FROM Logs LIMIT 0")) {
    const Esito e = c.Fallimento();
    Chiudi();
    return e;
  }
  aggiornato_ = Corrente() || Ricostruisci();
  return {};
}

void OrdinaliLogs::Chiudi() {
  connessione_.Chiudi();
  aggiornato_ = false;
}

bool OrdinaliLogs::Corrente() {
  Connessione& c = connessione_;
  if (!c.Esegui("BEGIN")) return false;
  bool corrente = false;
  {
    // Reading the row takes the lock under which the header stays put.
    Istruzione s = c.Prepara("SELECT Contatore FROM LogsOrdinaliStato WHERE Id = 1");
    if (s && sqlite3_step(s.get()) == SQLITE_ROW) {
      const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
      corrente = contatore && *contatore == sqlite3_column_int64(s.get(), 0);
    }
  }
  c.Esegui("COMMIT");
  return corrente;
}

bool OrdinaliLogs::Ricostruisci() {
  Connessione& c = connessione_;
  // The write lock first: nobody commits between reading the counter and
  // our own commit.
  if (!c.Esegui("BEGIN IMMEDIATE")) return false;
  bool ok = c.Esegui(kCrea) && c.Esegui("DELETE FROM LogsOrdinali");
  // Our commit bumps the counter by one; -1 never matches (WAL).
  const std::optional<int64_t> contatore = ContatoreModifiche(c.db());
  const int64_t dopo = contatore ? (*contatore + 1) & 0xffffffff : -1;

  Istruzione inserisci = c.Prepara("INSERT INTO LogsOrdinali (Blocco, TimeDate) VALUES (?1, ?2)");
  Istruzione avanti = c.Prepara(
      "SELECT TimeDate FROM Logs WHERE TimeDate > ?1 ORDER BY TimeDate LIMIT 1 OFFSET ?2");
  ok = ok && inserisci && avanti;
  RicercaOrdinale chiave;
  if (ok) chiave = Valore(c, "SELECT TimeDate FROM Logs ORDER BY TimeDate LIMIT 1", {});
  for (int64_t blocco = 0; ok && chiave.esito && chiave.valore; ++blocco) {
    sqlite3_bind_int64(inserisci.get(), 1, blocco);
    sqlite3_bind_int64(inserisci.get(), 2, *chiave.valore);
    ok = sqlite3_step(inserisci.get()) == SQLITE_DONE;
    sqlite3_reset(inserisci.get());
    sqlite3_bind_int64(avanti.get(), 1, *chiave.valore);
    sqlite3_bind_int64(avanti.get(), 2, kPassoOrdinali - 1);
    const int rc = sqlite3_step(avanti.get());
    chiave.valore.reset();
    if (rc == SQLITE_ROW) chiave.valore = sqlite3_column_int64(avanti.get(), 0);
    else ok = ok && rc == SQLITE_DONE;
    sqlite3_reset(avanti.get());
  }
  ok = ok && chiave.esito;
  inserisci = Istruzione();
  avanti = Istruzione();
  if (ok) {
    const RicercaOrdinale stato = Valore(
        c, "INSERT OR REPLACE INTO LogsOrdinaliStato (Id, Contatore) VALUES (1, ?1)", {dopo});
    ok = bool(stato.esito);
  }
  if (ok && c.Esegui("COMMIT")) return true;
  c.Esegui("ROLLBACK");
  return false;
}

RicercaOrdinale OrdinaliLogs::ChiaveDelRecord(int64_t p) {
  Connessione& c = connessione_;
  if (p < 0 || !c.Aperta()) return {};
  if (!aggiornato_)
    return Valore(c, "SELECT TimeDate FROM Logs ORDER BY TimeDate LIMIT 1 OFFSET ?1", {p});
  const RicercaOrdinale blocco =
      Valore(c, "SELECT TimeDate FROM LogsOrdinali WHERE Blocco = ?1", {p / kPassoOrdinali});
  if (!blocco.esito || !blocco.valore) return blocco;
  return Valore(c, "SELECT TimeDate FROM Logs WHERE TimeDate >= ?1 ORDER BY TimeDate LIMIT 1 OFFSET ?2",
                {*blocco.valore, p % kPassoOrdinali});
}

RicercaOrdinale OrdinaliLogs::OrdinaleDi(Istante chiave) {
  Connessione& c = connessione_;
  if (!c.Aperta()) return {};
  const RicercaOrdinale esiste = Valore(c, "SELECT TimeDate FROM Logs WHERE TimeDate = ?1", {chiave});
  if (!esiste.esito || !esiste.valore) return esiste;
  if (!aggiornato_) return Valore(c, "SELECT count(*) FROM Logs WHERE TimeDate < ?1", {chiave});
  // The last stored record at or before the key, and the steps from it.
  return Valore(c,
                "SELECT o.Blocco * ?2 + (SELECT count(*) FROM Logs WHERE TimeDate >= o.TimeDate "
                "AND TimeDate < ?1) FROM LogsOrdinali o WHERE o.TimeDate <= ?1 "
                "ORDER BY o.Blocco DESC LIMIT 1",
                {chiave, kPassoOrdinali});
}

Esito AggiornaOrdinaliLogs(const QString& percorso) {
  OrdinaliLogs ordinali;
  if (Esito e = ordinali.Apri(percorso); !e) return e;
  if (!ordinali.Aggiornato())
    return Esito::Fallito(QStringLiteral("Impossibile aggiornare gli ordinali di ") + percorso);
  return {};
}

}  // namespace quarvel
