#pragma once
// One simulated truck, second by second: a driver who warms up, drives
// through town, country roads and motorway, stops at lights and deliveries
// and switches off; an engine with idle and gears; fuel burnt from the power
// the road asks for; a tank whose level sensors see what real ones see:
// slosh after every acceleration and braking, road vibration and now and
// then a wild reading, the slope of the place the truck stands on, and the
// fuel swelling as it warms. Fuel can also enter or leave the tank while
// the engine idles at a stop (a pump, a siphon).
//
// Only +, -, *, / and sqrt are used on doubles (exactly rounded everywhere),
// so a seed gives the same truck on every machine.
#include "Casuale.h"

#include <algorithm>

namespace quarvel::simulatore {

// One second of the truck as its channels would read it.
struct Lettura {
  double velocita = 0;     // km/h
  int giri = 0;            // rpm
  double litriOra = 0;     // fuel rate, L/h
  double livello = 0;      // tank level reading, percent
  double sensoreLitri = 0; // fuel-sensor reading, litres
  double odometroMetri = 0;  // dashboard odometer, metres
  double contalitri = 0;     // dashboard litre counter, litres
  double temperatura = 0;  // coolant, degrees
  double flusso = 0;       // litres that entered (+) or left (-) the tank this second
  double perdita = 0;      // litres lost this second through a leak while moving
  double batteria = 0;     // volts
  int pedale = 0, caricoMotore = 0, marcia = 0, ingressi = 0, stato = 0;
};

class Camion {
 public:
  Camion(double capacita, Casuale& caso);

  // The engine stays off for that many seconds (the logger writes nothing).
  void Parcheggia(int64_t secondi, double temperaturaAria);
  // At the next stop long enough for it (or the warm-up after the next
  // ignition), litri enter (+) or leave (-) the tank at litriAlSecondo while
  // the engine idles. False while another is waiting or under way.
  bool EventoAlMinimo(double litri, double litriAlSecondo);
  bool EventoInAttesa() const { return evento_.litri != 0; }
  // Litres per hour that leak from the fuel line while the truck moves.
  void Perdita(double litriOra) { perditaOra_ = litriOra; }
  // A recording of exactly that many seconds begins: the engine starts. The
  // last of the day ends back in the yard.
  void Avvia(int durata, bool ultimaDelGiorno = false);
  Lettura Passo();

  double Litri() const { return litri_; }
  double Percento() const { return litri_ / capacita_ * 100; }
  double Capacita() const { return capacita_; }
  void CambiaLitri(double delta);
  // Litres the fuel gained (+) or lost (-) by warming and cooling so far.
  double Dilatazione() const { return dilatazione_; }

 private:
  enum class Fase { Sosta, Marcia, Frenata, Spegnimento };
  enum Strada { Citta, Extraurbana, Autostrada };
  void NuovoTratto();
  void Fermata();
  void AggiornaVelocita();
  double Potenza() const;  // kW at the wheels
  // The level the sensor reads, percent, and the fuel-sensor litres.
  double LivelloLetto(double rumore);
  void Scalda(double temperatura);
  // Starts the waiting idle event at this stop, if the stop can hold it.
  void IniziaEvento(int attesaPrima);

  Casuale& caso_;
  // The truck's own constants.
  const double capacita_;
  const double giriMinimo_, litriMinimo_, fattoreOdometro_, fattoreContalitri_;
  // Slowly changing state.
  double litri_, odometroMetri_, contalitri_, temperatura_ = 15;
  // The recording under way.
  Fase fase_ = Fase::Spegnimento;
  Strada strada_ = Citta;
  int rimanenti_ = 0, attesa_ = 0, durataTratto_ = 0, minimoFinale_ = 0;
  bool finale_ = false, sollevatore_ = false, rientro_ = false;
  double massa_ = 25000, velocita_ = 0, accelerazione_ = 0, obiettivo_ = 0;
  double decelerazione_ = 3, pendenza_ = 0;
  int marcia_ = 0;
  // Fuel sloshing in the tank: a damped oscillation driven by acceleration.
  double onda_ = 0, ondaPrima_ = 0;
  // The level sensor's view: the grade under the truck (the place it stands
  // on, the road while it moves), the fuel's temperature, the air's.
  double pendenzaSosta_ = 0, pendenzaDeposito_ = 0, temperaturaGasolio_ = 15, aria_ = 15, dilatazione_ = 0;
  bool fermo_ = true;
  // An idle event: litres still to move (signed), at litriAlSecondo, after
  // `ritardo` seconds of the stop; attivo once the stop has taken it on.
  struct EventoMinimo {
    double litri = 0, litriAlSecondo = 0;
    int ritardo = 0;
    bool attivo = false;
  } evento_;
  double perditaOra_ = 0;
};

}  // namespace quarvel::simulatore
