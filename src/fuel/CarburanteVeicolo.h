#pragma once
// What the fuel analysis needs to know of a vehicle: its tank from the
// registry (the CapacitaSerbatoio setting for a vehicle not registered) and
// the smallest refuel and loss of the settings.
#include "Connessione.h"
#include "RilevatoreCarburante.h"

#include <QString>

namespace quarvel {

ParametriCarburante ParametriCarburanteVeicolo(const QString& targa);

// The refuels and losses of the vehicle database at percorso over the
// closed period, with the parameters of the plate in its name. esito says
// why the database could not be read (nothing found then); campioni whether
// the period held any sample.
struct EventiPeriodo {
  Esito esito;
  bool campioni = false;
  RisultatoCarburante risultato;
};
EventiPeriodo EventiCarburantePeriodo(const QString& percorso, Istante inizio, Istante fine);

// The plate in a vehicle database's file name ("AB123CD_ 2026.mdb" gives
// AB123CD); empty when the name has no such form.
QString TargaDelDatabase(const QString& percorso);

}  // namespace quarvel
