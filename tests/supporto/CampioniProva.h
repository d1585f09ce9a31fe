#pragma once
// Vehicle databases holding samples at chosen seconds, for the tests of
// their readers.
#include "LettureCampioni.h"
#include "Logs.h"

#include <QString>
#include <ostream>
#include <vector>

namespace quarvel {

// A reading as a failed comparison shows it.
inline void PrintTo(const LetturaCampione& l, std::ostream* os) {
  *os << l.TimeDate << (l.apreViaggio ? " apre" : "") << " livello " << l.livelloPercento << "/"
      << l.livello << " giri " << l.giriMotore << " vel " << l.velocita << " sensore "
      << l.sensoreLitri << " gasolio " << l.gasolio << " km " << l.km << " litri " << l.litri;
}

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

// The readings of a period through the cursor of Logs, the reference.
std::vector<LetturaCampione> LettureDiRiferimento(const QString& percorso, Istante inizio,
                                                  Istante fine);
// The same from the source the analyses get (LetturePeriodo), and whether it
// was the packed hours; a failed expectation when it reports an error.
std::vector<LetturaCampione> LettureScelte(const QString& percorso, Istante inizio, Istante fine,
                                           bool* compatte = nullptr);

}  // namespace quarvel
