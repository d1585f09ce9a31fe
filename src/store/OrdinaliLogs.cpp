#include "OrdinaliLogs.h"

#include "IndiciLogs.h"

#include <initializer_list>
#include <sqlite3.h>

namespace quarvel {

namespace {
constexpr const char* kCrea =
    "CREATE TABLE IF NOT EXISTS LogsOrdinali (Blocco INTEGER PRIMARY KEY, "
    "TimeDate INTEGER NOT NULL)";

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
  return ApriIndiciLogs(connessione_, percorso, aggiornato_);
}

void OrdinaliLogs::Chiudi() {
  connessione_.Chiudi();
  aggiornato_ = false;
}

bool RicostruisciOrdinaliLogs(Connessione& c) {
  bool ok = c.Esegui(kCrea) && c.Esegui("DELETE FROM LogsOrdinali");
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
  return ok && chiave.esito;
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

}  // namespace quarvel
