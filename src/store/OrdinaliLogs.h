#pragma once
// Finding the p-th record of Logs, in TimeDate order, without walking the
// records before it. SQLite has no record numbers: an OFFSET walks every
// record it skips, and a year of samples is about ten million of them. So
// the small table LogsOrdinali beside Logs holds the TimeDate of every
// kPassoOrdinali-th record (record 0, 7200, 14400, ...), and record p is one
// keyed lookup plus at most kPassoOrdinali - 1 steps.
//
// The table is kept up to date with the other tables beside Logs (see
// IndiciLogs.h); a file where it cannot be is read all the same, by walking.
#include "Connessione.h"
#include "Istante.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace quarvel {

inline constexpr int64_t kPassoOrdinali = 7200;

// A lookup: nothing when there is no such record; a failed esito when the
// database could not be read (its text is shown to the user).
struct RicercaOrdinale {
  Esito esito;
  std::optional<int64_t> valore;
};

class OrdinaliLogs {
 public:
  OrdinaliLogs();
  ~OrdinaliLogs();
  OrdinaliLogs(const OrdinaliLogs&) = delete;
  OrdinaliLogs& operator=(const OrdinaliLogs&) = delete;

  // Opens an existing vehicle database and brings its table up to date.
  Esito Apri(const QString& percorso);
  void Chiudi();
  // False when the table could not be brought up to date (a read-only or
  // locked file): lookups then walk the records.
  bool Aggiornato() const { return aggiornato_; }

  // The TimeDate of record p (0 is the first).
  RicercaOrdinale ChiaveDelRecord(int64_t p);
  // The position (0 is the first) of the record whose TimeDate is exactly
  // chiave.
  RicercaOrdinale OrdinaleDi(Istante chiave);

 private:
  Connessione connessione_;
  bool aggiornato_ = false;
};

// For IndiciLogs.cpp: fills LogsOrdinali anew from Logs, inside the
// transaction of the rebuild. One pass over the keys (about 0.15 s for a year).
bool RicostruisciOrdinaliLogs(Connessione& connessione);

}  // namespace quarvel
