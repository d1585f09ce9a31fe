#include "PeriodoFlotta.h"

namespace quarvel {

IntervalloFlotta IntervalloPredefinito(PeriodoPredefinito periodo, int anno, const QDate& oggi) {
  const QDate riferimento = anno == oggi.year() ? oggi : QDate(anno, 12, 1);
  const QDate mese(riferimento.year(), riferimento.month(), 1);
  switch (periodo) {
    case PeriodoPredefinito::QuestoMese:
      return *IntervalloGiorni(mese, mese.addMonths(1).addDays(-1));
    case PeriodoPredefinito::MeseScorso:
      return *IntervalloGiorni(mese.addMonths(-1), mese.addDays(-1));
    case PeriodoPredefinito::QuestAnno:
    case PeriodoPredefinito::DalAl:
      break;
  }
  return *IntervalloGiorni(QDate(anno, 1, 1), QDate(anno, 12, 31));
}

std::optional<IntervalloFlotta> IntervalloGiorni(const QDate& dal, const QDate& al) {
  if (!dal.isValid() || !al.isValid() || al < dal) return std::nullopt;
  const std::optional<Istante> inizio = IstanteDa(dal.year(), dal.month(), dal.day());
  const std::optional<Istante> fine = IstanteDa(al.year(), al.month(), al.day(), 23, 59, 59);
  if (!inizio || !fine) return std::nullopt;
  return IntervalloFlotta{*inizio, *fine};
}

}  // namespace quarvel
