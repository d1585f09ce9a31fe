#pragma once
// The samples of a whole period of a vehicle database, for the fleet's
// readers. Every whole-period read of the fleet (the window, quarvel-batch
// flotta, the benchmark) opens its samples here, so that the source chosen
// for them is chosen in one place.
#include "Connessione.h"
#include "Istante.h"
#include "LettureCampioni.h"

#include <memory>

namespace quarvel {

struct LettureAperte {
  Esito esito;
  std::unique_ptr<SorgenteLetture> letture;  // null when esito failed
};

// Opens the database at percorso on the period from inizio to fine, both
// included, with a connection of its own (one per thread), from the source
// the store picks for whole periods: the packed hours beside Logs when they
// are current, the cursor of Logs otherwise.
LettureAperte ApriLetturePeriodo(const QString& percorso, Istante inizio, Istante fine);

}  // namespace quarvel
