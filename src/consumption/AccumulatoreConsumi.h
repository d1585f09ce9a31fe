#pragma once
// The counters of one consumption pass and what each sample adds to them.
// Plain arithmetic on a handful of columns: a month is 2.6 million samples,
// so nothing here allocates or builds text.
#include "Istante.h"

#include <cstdint>

namespace quarvel {

// The columns of one sample that the analysis reads, already in the types it
// computes with.
struct LetturaCampione {
  Istante TimeDate = 0;
  bool apreViaggio = false;  // DatoPT 0: the first sample of a recording
  int16_t livello = 0;       // tank level in %, rounded halves to even; <= 0: no reading
  int16_t giriMotore = 0;    // above 0: engine on
  int16_t velocita = 0;      // km/h; -1: no reading
  double gasolio = 0;        // fuel rate in 0.05 l/h; -1: no reading
  double km = 0;             // dashboard odometer
  double litri = 0;          // dashboard litre counter
};

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
    KmFinali = c.km;
    ContaLitriFinali = c.litri;
    if (++ContatoreAvanzamento > 100) ContatoreAvanzamento = 0;

    const bool acceso = c.giriMotore > 0;
    const bool inMarcia = acceso && c.velocita > 0;
    if (c.gasolio != -1) {
      SommaGasolio += c.gasolio;
      if (inMarcia) SommaGasolioMarcia += c.gasolio;
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
};

}  // namespace quarvel
