#pragma once
// The activity track of a month: its period, the quarter-hour slot of an
// instant, and the scan that marks every slot holding at least one sample.
// No data column is looked at: a record in a quarter-hour is the activity.
#include "AttivitaLogs.h"
#include "AttivitaMese.h"
#include "Istante.h"
#include "Logs.h"

#include <QString>
#include <functional>
#include <optional>

namespace quarvel {

// From the first day at 00:00:00 to the last day at 23:59:59: the period
// query includes both ends, so every sample of the month is read.
struct PeriodoMese {
  Istante InizioMese = 0;
  Istante FineMese = 0;
  int giorni = 0;  // 28, 29, 30 or 31, leap years by the calendar
};
// Nothing for a month outside 1..12 or a year the calendar does not hold.
std::optional<PeriodoMese> CalcolaPeriodoMese(int anno, int mese);

// Day of the month 1..31, hour 0..23, quarter 0..3 (minutes 0-14 give 0,
// 15-29 give 1, ...); the seconds do not count.
struct SlotAttivita {
  int giorno = 0, ora = 0, quarto = 0;
  bool operator==(const SlotAttivita&) const = default;
};
SlotAttivita SlotDi(Istante istante);

enum class EsitoTraccia {
  Completa,
  Vuota,           // no sample in the period
  ErroreDatabase,  // the engine failed while reading: nothing is kept
};
struct RisultatoTraccia {
  EsitoTraccia esito = EsitoTraccia::Vuota;
  QString errore;  // the engine's description, for ErroreDatabase
  int slotAttivi = 0;
};

// Told of each newly active slot as soon as it is found, so that a window
// paints it while the scan goes on (and lets its events through).
using NuovoSlot = std::function<void(const SlotAttivita&)>;

// Clears `attivita` and marks the slot of every sample of one month of the
// vehicle database open in `db`: from its table of active quarter-hours
// (a few rows, however busy the month) when that can be brought up to date,
// otherwise by seeking the samples as below; the result is the same. On an
// engine error the matrix is cleared again: a damaged file never shows as a
// quieter month.
RisultatoTraccia AnalisiTrackmese2(AttivitaLogs& db, const PeriodoMese& mese,
                                   AttivitaMese& attivita, const NuovoSlot& nuovoSlot = {});

// The same from the samples behind the cursor, which is open on one month
// period: it seeks the first sample at or after the start of each
// quarter-hour on the TimeDate key, so its cost follows the active
// quarter-hours (at most 2,976), not the samples.
RisultatoTraccia AnalisiTrackmese2(CursoreLogs& campioni, AttivitaMese& attivita,
                                   const NuovoSlot& nuovoSlot = {});

}  // namespace quarvel
