#pragma once
// The fuel-event detector against the simulator's ground truth: a run of
// simulated days, decoded line by line as the import decodes them and fed
// straight to the detector, and what it found matched with what really
// entered and left the tank.
#include "RilevatoreCarburante.h"
#include "Simulatore.h"

#include <string>
#include <vector>

namespace quarvel::bench {

struct Confronto {
  simulatore::EventoCarburante vero;
  bool trovato = false;
  double litriTrovati = 0;
  bool VolumeBuono() const;  // within max(3 L, 5 %)
};

struct Valutazione {
  std::string errore;  // the simulator's, when it failed
  std::vector<Confronto> veri;
  std::vector<EventoCarburante> falsi;  // found, but nothing real there
  std::vector<EventoCarburante> tutti;  // everything found
  double giorni = 0;
  int64_t campioni = 0;
  // The balance's unexplained litres against the litres that really left
  // unseen (a leak while moving).
  double scarto = 0, scartoVero = 0;
  bool bilancio = false;
  BilancioCarburante trovato;
  double litriIniziali = 0, litriFinali = 0, bruciati = 0;  // the truth
};

Valutazione Valuta(const simulatore::Opzioni& opzioni, bool sensoreLitri = false);

}  // namespace quarvel::bench
