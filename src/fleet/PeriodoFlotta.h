#pragma once
// The period of the fleet overview: this month, last month, this year, or
// from one day to another, for the year chosen. The databases are those of
// that year (the year of the import, which in January holds December's
// samples too); in the current year "this month" is today's, in a past year
// its December.
#include "Istante.h"

#include <QDate>
#include <optional>

namespace quarvel {

enum class PeriodoPredefinito { QuestoMese, MeseScorso, QuestAnno, DalAl };

struct IntervalloFlotta {
  Istante inizio = 0, fine = 0;  // both included
};

// Not for DalAl.
IntervalloFlotta IntervalloPredefinito(PeriodoPredefinito periodo, int anno, const QDate& oggi);

// From the first second of dal to the last of al; nothing when al comes
// before dal or a date is not valid.
std::optional<IntervalloFlotta> IntervalloGiorni(const QDate& dal, const QDate& al);

}  // namespace quarvel
