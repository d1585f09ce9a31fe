#pragma once
// What entered and left the tank over a period, in litres: the refuels and
// the losses found while the truck stood still, and the balance of the tank
// that turns everything the level cannot explain into one number.
#include "Istante.h"

#include <vector>

namespace quarvel {

enum class TipoEventoCarburante { Rifornimento, Prelievo };
// The engine while the fuel moved: off (a step across the pause between two
// recordings) or idling.
enum class MotoreEvento { Spento, AlMinimo };

struct EventoCarburante {
  TipoEventoCarburante tipo = TipoEventoCarburante::Rifornimento;
  MotoreEvento motore = MotoreEvento::AlMinimo;
  // The last settled reading before the change and the first after it.
  Istante inizio = 0, fine = 0;
  double litriPrima = 0, litriDopo = 0;  // in the tank at those readings
  // Positive: what entered or left, net of the fuel the engine burnt
  // meanwhile.
  double litri = 0;
};

// Litres at the start + refuelled - burnt - lost - litres at the end. The
// two ends come from the first and the last settled reading, carried to the
// period's bounds with the flow meter; unknown (estremi false) when the
// truck never stood still long enough for the fuel to settle.
struct BilancioCarburante {
  bool estremi = false;
  double iniziali = 0, riforniti = 0, consumati = 0, prelevati = 0, finali = 0;
  double Scarto() const { return iniziali + riforniti - consumati - prelevati - finali; }
};

struct RisultatoCarburante {
  std::vector<EventoCarburante> eventi;  // in time order
  BilancioCarburante bilancio;
};

// What an analysis found, and over which period.
struct EventiAnalizzati {
  RisultatoCarburante risultato;
  Istante inizio = 0, fine = 0;
};

}  // namespace quarvel
