#pragma once
// The counters of one consumption pass and what each sample adds to them.
// Plain arithmetic on a handful of columns: a month is 2.6 million samples,
// so nothing here allocates or builds text.
#include "Istante.h"
#include "LettureCampioni.h"

#include <cstdint>

namespace quarvel {

// A jump of the tank level seen on one sample; both can happen only with a
// negative alert level.
struct SaltoLivello {
  bool calo = false;
  bool aumento = false;
  int16_t precedente = 0;
};

struct AccumulatoreConsumi {
  // Fuel.
  double SommaGasolio = 0;
  double SommaGasolioMarcia = 0;
  // With the engine on and the truck not in motion: idling.
  double SommaGasolioMinimo = 0;
  double ContaLitriIniziali = 0;
  double ContaLitriFinali = 0;
  // Ignitions, time, distance, speed; the ...Viaggio values start again at
  // every recording.
  double NumeroAccensioni = 0;
  Istante InizioViaggio = IstanteZero;
  Istante UltimoIstante = IstanteZero;
  double SecondiAcceso = 0, SecondiAccesoViaggio = 0;
  double SecondiMarcia = 0, SecondiMarciaViaggio = 0;
  double SommaVelocita = 0, SommaVelocitaViaggio = 0;
  int16_t VelocitaMax = 0, VelocitaMaxViaggio = 0;
  int16_t ContaSuperamenti = 0, ContaSuperamentiViaggio = 0;
  bool SopraSoglia = false;
  double KmIniziali = 0;
  double KmFinali = 0;
  // Tank level jumps; the previous level survives a new recording.
  int16_t LivelloPrecedente = 0;
  double NumeroCampione = 0;
  // Counts samples modulo 101 for the "running" bar: the length of the
  // period is not known before the pass.
  int16_t ContatoreAvanzamento = 0;

  // Everything one sample adds, in the order the report relies on.
  SaltoLivello Aggiungi(const LetturaCampione& c, int16_t sogliaVelocita, int16_t sogliaGasolio) {
    if (c.apreViaggio) {
      NumeroAccensioni += 1;
      InizioViaggio = c.TimeDate;
      SecondiMarciaViaggio = SecondiAccesoViaggio = SommaVelocitaViaggio = 0;
      VelocitaMaxViaggio = ContaSuperamentiViaggio = 0;
      SopraSoglia = false;
    }
    UltimoIstante = c.TimeDate;
    NumeroCampione += 1;
    // The first dashboard readings that are not 0 (1 when all are: see
    // Concludi).
    if (KmIniziali == 0) KmIniziali = c.km;
    if (ContaLitriIniziali == 0) ContaLitriIniziali = c.litri;
    KmFinali = c.km;
    ContaLitriFinali = c.litri;
    if (++ContatoreAvanzamento > 100) ContatoreAvanzamento = 0;

    const bool acceso = c.giriMotore > 0;
    const bool inMarcia = acceso && c.velocita > 0;
    if (c.gasolio != -1) {
      SommaGasolio += c.gasolio;
      if (inMarcia) SommaGasolioMarcia += c.gasolio;
      else if (acceso) SommaGasolioMinimo += c.gasolio;
    }
    if (acceso) {
      SecondiAcceso += 1;
      SecondiAccesoViaggio += 1;
      if (inMarcia) {
        SecondiMarcia += 1;
        SecondiMarciaViaggio += 1;
      }
    }
    if (c.velocita > VelocitaMaxViaggio) VelocitaMaxViaggio = c.velocita;
    if (c.velocita > VelocitaMax) VelocitaMax = c.velocita;
    if (c.velocita > sogliaVelocita) {
      if (!SopraSoglia) {
        ++ContaSuperamenti;
        ++ContaSuperamentiViaggio;
        SopraSoglia = true;
      }
    } else {
      SopraSoglia = false;
    }

    SaltoLivello salto;
    if (c.livello > 0) {
      salto.precedente = LivelloPrecedente;
      salto.calo = c.livello < LivelloPrecedente - sogliaGasolio;
      salto.aumento = c.livello > LivelloPrecedente + sogliaGasolio;
      LivelloPrecedente = c.livello;
    }

    // A speed of -1 (no reading) is summed as it stands.
    SommaVelocita += c.velocita;
    SommaVelocitaViaggio += c.velocita;
    return salto;
  }

  // After the last sample: a dashboard counter that read 0 throughout
  // starts from 1, so that a difference is never taken from nothing.
  void Concludi() {
    if (KmIniziali == 0) KmIniziali = 1;
    if (ContaLitriIniziali == 0) ContaLitriIniziali = 1;
  }
};

}  // namespace quarvel
