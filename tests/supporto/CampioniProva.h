#pragma once
// Vehicle databases holding samples at chosen seconds, for the tests of
// their readers.
#include "Logs.h"

#include <QString>
#include <vector>

namespace quarvel {

// n seconds from `da`, `passo` apart.
std::vector<Istante> Secondi(Istante da, int n, int passo = 1);
// A sample at each instant (TimeDate and TimeDateLH; every other column as
// in `modello`), appended to the vehicle database at percorso, which is made
// from the first template when missing. Returns percorso.
QString ScriviCampioni(const QString& percorso, const std::vector<Istante>& istanti,
                       const CampioneLog& modello = {});
// Every column of every sample of the database at percorso, in time order;
// a failed expectation when the engine cannot read them all.
std::vector<CampioneLog> LeggiCampioni(const QString& percorso);

}  // namespace quarvel
