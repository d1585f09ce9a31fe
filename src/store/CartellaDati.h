#pragma once
// The data folder made ready at every start: DATA/, REPORT/ and DB/ below
// it, and the registry made from its template when it is missing (the first
// start of an installed Quarvel for a user). A registry already there is
// never touched.
#include "Connessione.h"

namespace quarvel {

// The empty registry below the program folder, copied on first start.
QString PercorsoModelloAnagrafica();

// On failure the message names the folder and the cause.
Esito PreparaCartellaDati();

}  // namespace quarvel
