#include "EventiGrafico.h"

#include "CarburanteVeicolo.h"

#include <algorithm>

namespace quarvel {

void EventiGrafico::Imposta(const QString& percorso, const EventiAnalizzati& eventi) {
  percorso_ = percorso;
  eventi_ = eventi;
  noti_ = true;
}

std::vector<Istante> EventiGrafico::Istanti(const QString& percorso, const DatiGrafico& d) {
  if (d.CampioniCaricati <= 0) return {};
  const Istante primo = d.Orari[0], ultimo = d.Orari[d.CampioniCaricati - 1];
  if (!noti_ || percorso != percorso_ || primo < eventi_.inizio || ultimo > eventi_.fine) {
    constexpr Istante kGiorno = 86400;
    const EventiPeriodo trovati = EventiCarburantePeriodo(percorso, primo - kGiorno, ultimo + kGiorno);
    if (!trovati.esito) return {};
    Imposta(percorso, {trovati.risultato, primo - kGiorno, ultimo + kGiorno});
  }
  std::vector<Istante> istanti;
  for (const EventoCarburante& e : eventi_.risultato.eventi)
    for (Istante t : {e.inizio, e.fine})
      if (t >= primo && t <= ultimo) istanti.push_back(t);
  std::sort(istanti.begin(), istanti.end());
  return istanti;
}

}  // namespace quarvel
