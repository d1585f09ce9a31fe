#pragma once
// A truck's morning as the logger records it, for the tests that compare
// whole analyses: idling at the depot, a drive, a stop; a pause of an hour
// in which fuel enters or leaves the tank; a second recording. Every column
// the analyses read varies, and a few readings are missing.
#include "Logs.h"

#include <QString>
#include <vector>

namespace quarvel {

// variante shifts the speeds and the fuel rate; an even one refuels 80
// litres of a 400-litre tank in the pause, an odd one loses 20.
std::vector<CampioneLog> MattinaCamion(Istante inizio, int variante);

// Appends the samples to the vehicle database at percorso, made from the
// first template when missing; returns percorso.
QString ScriviMattina(const QString& percorso, const std::vector<CampioneLog>& campioni);

}  // namespace quarvel
