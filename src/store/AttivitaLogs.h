#pragma once
// Which quarter-hours of a vehicle database hold samples. Seeking the first
// sample of each quarter-hour on the key is bounded by the quarter-hours,
// not the samples; but at one sample a second a 64 KiB page holds about 14
// minutes, so a busy month still reads nearly every page of its samples. So
// the small table LogsAttivita beside Logs holds one row per day that has
// samples: the day's first instant (Giorno) and its 96 quarter-hours as 12
// bytes (Quarti; quarter-hour q, from q × 15 minutes after midnight, is bit
// q % 8 of byte q / 8). A month is then at most 31 rows. The table is kept
// up to date with the other tables beside Logs (see IndiciLogs.h).
#include "Connessione.h"
#include "Istante.h"
#include "Logs.h"

#include <QString>
#include <functional>

namespace quarvel {

// Instants are wall-clock seconds without a time zone: every quarter-hour
// lasts 900 seconds and every day 96 of them.
inline constexpr Istante kSecondiQuarto = 15 * 60;
inline constexpr Istante kSecondiGiorno = 24 * 60 * 60;
// The start of the quarter-hour holding the instant.
Istante InizioQuarto(Istante istante);

// Told the start of each quarter-hour that holds a sample, in time order.
using QuartoAttivo = std::function<void(Istante inizio)>;

// Walks the cursor's period seeking, on the TimeDate key, the first sample
// at or after the start of each quarter-hour. Returns the cursor's engine
// error, empty when there is none.
QString CercaQuartiAttivi(CursoreLogs& campioni, const QuartoAttivo& quarto);

class AttivitaLogs {
 public:
  // Opens an existing vehicle database and brings its tables up to date.
  Esito Apri(const QString& percorso);
  void Chiudi();
  // False when the tables could not be brought up to date (a read-only or
  // locked file): QuartiAttivi then seeks the samples.
  bool Aggiornato() const { return aggiornato_; }

  // The quarter-hours from inizio to fine (both included) that hold a
  // sample. From LogsAttivita when it describes Logs as it is and the
  // period is made of whole quarter-hours, and then all at once after the
  // reading; otherwise sought among the samples, as they are found. The
  // engine's description when reading failed (the quarter-hours already told
  // do not make the whole period), empty when it did not.
  QString QuartiAttivi(Istante inizio, Istante fine, const QuartoAttivo& quarto);

 private:
  Connessione connessione_;
  bool aggiornato_ = false;
};

// For IndiciLogs.cpp: fills LogsAttivita anew from Logs, inside the
// transaction of the rebuild.
bool RicostruisciAttivitaLogs(Connessione& connessione);

}  // namespace quarvel
