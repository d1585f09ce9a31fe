#pragma once
// What the consumption window exports: the trips of the analysis, with the
// figures of the report's trip blocks, and the refuels and losses in litres
// with the balance of the tank, as tables in the user's language.
#include "AnalisiConsumi.h"
#include "TabellaEsportata.h"

#include <vector>

namespace quarvel {

// A row per trip: number, first and last sample, engine and driving hours,
// km and average speed as the report rounds them (the average empty
// without motion), top speed and the runs above the speed alert level.
TabellaEsportata TabellaViaggi(const std::vector<ViaggioAnalisi>& viaggi, int16_t sogliaVelocita);

// Two tables: the events as the window's panel lists them, with instants
// and litres as values, and the balance, one line per figure (the litres at
// the ends and the unexplained ones only when a reading settled).
std::vector<TabellaEsportata> TabelleCarburante(const RisultatoCarburante& r);

}  // namespace quarvel
