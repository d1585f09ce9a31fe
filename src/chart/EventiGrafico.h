#pragma once
// The refuels and losses the chart marks on its page: those of the
// consumption analysis the chart was opened from, while the page lies in
// its period, or else those found over the page's days and the days either
// side, so that a stay cut by the page's edges is seen whole.
#include "DatiGrafico.h"
#include "EventiCarburante.h"

#include <QString>
#include <vector>

namespace quarvel {

class EventiGrafico {
 public:
  // The events an analysis of the database at percorso found.
  void Imposta(const QString& percorso, const EventiAnalizzati& eventi);
  // The start and end of every event within the page loaded from percorso,
  // in time order; nothing when the database cannot be read.
  std::vector<Istante> Istanti(const QString& percorso, const DatiGrafico& pagina);

 private:
  QString percorso_;
  EventiAnalizzati eventi_;
  bool noti_ = false;
};

}  // namespace quarvel
