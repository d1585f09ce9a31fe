#pragma once
// What the fuel analysis needs to know of a vehicle: its tank from the
// registry (the CapacitaSerbatoio setting for a vehicle not registered) and
// the smallest refuel and loss of the settings.
#include "RilevatoreCarburante.h"

#include <QString>

namespace quarvel {

ParametriCarburante ParametriCarburanteVeicolo(const QString& targa);

// The plate in a vehicle database's file name ("AB123CD_ 2026.mdb" gives
// AB123CD); empty when the name has no such form.
QString TargaDelDatabase(const QString& percorso);

}  // namespace quarvel
