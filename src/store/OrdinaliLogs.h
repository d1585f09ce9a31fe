#pragma once
// Finding the p-th record of Logs, in TimeDate order, without walking the
// records before it. SQLite has no record numbers: an OFFSET walks every
// record it skips, and a year of samples is about ten million of them. So
// the small table LogsOrdinali beside Logs holds the TimeDate of every
// kPassoOrdinali-th record (record 0, 7200, 14400, ...), and record p is one
// keyed lookup plus at most kPassoOrdinali - 1 steps.
//
// The table is made on first use (the templates and older databases do not
// have it) and rebuilt whenever anything wrote to the file since it was last
// brought up to date: an import (also one killed halfway, or one that added
// older samples in the middle), another program. It tells by the change
// counter that SQLite keeps in the file's header and bumps at every commit:
// the rebuild stores the value its own commit will leave there. A rebuild is
// one pass over the keys (about 0.2 s for a year); a file that cannot be
// written is read all the same, by walking.
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
  bool Corrente();
  bool Ricostruisci();
  RicercaOrdinale Fallita() const;

  Connessione connessione_;
  bool aggiornato_ = false;
};

// Brings the table of the vehicle database at percorso up to date. The
// import calls it after its last commit, so that the chart's first page
// after an import costs no rebuild. A failure is harmless: the next reader
// rebuilds.
Esito AggiornaOrdinaliLogs(const QString& percorso);

}  // namespace quarvel
