#include "Camion.h"

#include <algorithm>

namespace quarvel::simulatore {

namespace {
// Engine rpm per km/h in each of twelve gears (top gear: 1300 rpm at 85 km/h).
constexpr double kGiriPerKmh[13] = {0,    240,  186.9, 145.6, 113.4, 88.3, 68.8,
                                    53.6, 41.7, 32.5,  25.3,  19.7,  15.3};
constexpr double kPotenzaMax = 330;  // kW
}  // namespace

Camion::Camion(double capacita, Casuale& caso)
    : caso_(caso),
      capacita_(capacita),
      giriMinimo_(caso.Tra(610, 700)),
      litriMinimo_(caso.Tra(2.1, 2.8)),
      fattoreOdometro_(caso.Tra(1.0, 1.02)),
      fattoreContalitri_(caso.Tra(0.98, 1.03)),
      litri_(capacita * caso.Tra(0.45, 0.9)),
      odometroMetri_(caso.Tra(80000, 600000) * 1000),
      contalitri_(odometroMetri_ / 1000 * caso.Tra(0.30, 0.34)) {}

void Camion::Parcheggia(int64_t secondi, double temperaturaAria) {
  // The coolant drifts towards the air temperature while the engine is off.
  temperatura_ = temperaturaAria +
                 (temperatura_ - temperaturaAria) * 1800.0 / (1800.0 + double(secondi));
  fase_ = Fase::Spegnimento;
  velocita_ = accelerazione_ = onda_ = ondaPrima_ = 0;
}

void Camion::Avvia(int durata) {
  rimanenti_ = durata;
  finale_ = sollevatore_ = false;
  massa_ = caso_.Tra(14000, 40000);
  const double u = caso_.Uniforme();
  strada_ = u < 0.5 ? Citta : u < 0.85 ? Extraurbana : Autostrada;
  fase_ = Fase::Sosta;
  attesa_ = caso_.Intero(30, 200);  // warming up before moving off
  minimoFinale_ = caso_.Intero(10, 90);
  marcia_ = 0;
  velocita_ = accelerazione_ = 0;
}

void Camion::NuovoTratto() {
  if (caso_.Probabile(0.25)) {
    const double u = caso_.Uniforme();
    strada_ = u < 0.5 ? Citta : u < 0.85 ? Extraurbana : Autostrada;
  }
  switch (strada_) {
    case Citta:
      obiettivo_ = caso_.Tra(28, 52);
      durataTratto_ = caso_.Intero(20, 120);
      break;
    case Extraurbana:
      obiettivo_ = caso_.Tra(55, 80);
      durataTratto_ = caso_.Intero(60, 400);
      break;
    case Autostrada:
      // Trucks are limited to 90 km/h; now and then traffic slows them.
      obiettivo_ = caso_.Probabile(0.1) ? caso_.Tra(40, 70) : caso_.Tra(80, 89);
      durataTratto_ = caso_.Intero(300, 1500);
      break;
  }
}

void Camion::Fermata() {
  fase_ = Fase::Sosta;
  const double u = caso_.Uniforme();
  switch (strada_) {
    case Citta:
      if (u < 0.1) {  // a delivery with the engine running and the tail lift on
        attesa_ = caso_.Intero(60, 300);
        sollevatore_ = true;
      } else {
        attesa_ = u < 0.3 ? caso_.Intero(5, 20) : caso_.Intero(15, 75);  // queue, lights
      }
      break;
    case Extraurbana: attesa_ = caso_.Intero(10, 60); break;
    case Autostrada: attesa_ = caso_.Intero(30, 180); break;
  }
}

void Camion::AggiornaVelocita() {
  // A loaded truck pulls less, and less at speed.
  const double spinta =
      std::clamp((2.1 - 0.022 * velocita_) * 26000 / massa_, 0.3, 2.5);  // km/h per s
  const double scarto = obiettivo_ - velocita_;
  if (scarto > 1) velocita_ += std::min(scarto, spinta);
  else if (scarto < -1) velocita_ += std::max(scarto, -1.5);
  else velocita_ += 0.25 * caso_.Gauss() + 0.2 * scarto;
  velocita_ = std::max(velocita_, 0.0);
}

double Camion::Potenza() const {
  const double v = velocita_ / 3.6, a = accelerazione_ / 3.6;
  const double forza = massa_ * 9.81 * (0.0065 + pendenza_) + 0.5 * 1.2 * 6.0 * v * v + massa_ * a;
  return forza * v / 1000 / 0.92;
}

Lettura Camion::Passo() {
  --rimanenti_;
  // Leave time to brake and idle a little before the key is turned.
  if (!finale_ && rimanenti_ <= velocita_ / 3.5 + minimoFinale_ + 2) {
    finale_ = true;
    if (fase_ == Fase::Marcia) {
      fase_ = Fase::Frenata;
      decelerazione_ = 3.5;
    } else if (fase_ == Fase::Sosta) {
      fase_ = Fase::Spegnimento;
    }
  }
  const double prima = velocita_;
  switch (fase_) {
    case Fase::Sosta:
      if (--attesa_ <= 0) {
        sollevatore_ = false;
        NuovoTratto();
        fase_ = Fase::Marcia;
      }
      break;
    case Fase::Marcia:
      AggiornaVelocita();
      if (--durataTratto_ <= 0) {
        const double fermarsi = strada_ == Citta ? 0.55 : strada_ == Extraurbana ? 0.2 : 0.03;
        if (caso_.Probabile(fermarsi)) {
          fase_ = Fase::Frenata;
          decelerazione_ = caso_.Tra(2.5, 5);
        } else {
          NuovoTratto();
        }
      }
      break;
    case Fase::Frenata:
      velocita_ = std::max(velocita_ - decelerazione_, 0.0);
      if (velocita_ < 0.5) {
        velocita_ = 0;
        if (finale_) fase_ = Fase::Spegnimento;
        else Fermata();
      }
      break;
    case Fase::Spegnimento: break;
  }
  accelerazione_ = velocita_ - prima;
  if (velocita_ > 0) {
    pendenza_ = std::clamp(pendenza_ + 0.0003 * caso_.Gauss() - pendenza_ / 400, -0.05, 0.05);
  }

  // Gears: shift up late when pulling, early when cruising; down below 1100.
  if (velocita_ < 1) {
    marcia_ = 0;
  } else {
    if (marcia_ == 0) marcia_ = 1;
    const double alto = accelerazione_ > 0.2 ? 1750 : 1450;
    while (marcia_ < 12 && velocita_ * kGiriPerKmh[marcia_] > alto) ++marcia_;
    while (marcia_ > 1 && velocita_ * kGiriPerKmh[marcia_] < 1100) --marcia_;
  }
  const bool freddo = temperatura_ < 40;
  const double giriMinimo = giriMinimo_ + (freddo ? 80 : 0);
  const double giri =
      (marcia_ == 0 ? giriMinimo : std::max(velocita_ * kGiriPerKmh[marcia_], 900.0)) +
      10 * caso_.Gauss();

  // Fuel: idle when standing, the road's power when pulling, nothing on the
  // overrun (the injection cuts off).
  const double potenza = velocita_ < 1 ? 0 : Potenza();
  const double litriMinimo = litriMinimo_ + (freddo ? 0.4 : 0);
  double litriOra = litriMinimo;
  if (velocita_ >= 1) {
    if (potenza <= 0) litriOra = velocita_ > 12 ? 0 : litriMinimo;
    else litriOra = std::min(0.6 * litriMinimo + 0.245 * potenza, 85.0);
  }
  litriOra = std::max(litriOra * (1 + 0.015 * caso_.Gauss()), 0.0);

  litri_ = std::max(litri_ - litriOra / 3600, 0.0);
  odometroMetri_ += velocita_ / 3.6 * fattoreOdometro_;
  contalitri_ += litriOra / 3600 * fattoreContalitri_;
  temperatura_ += (82 + 0.03 * std::max(potenza, 0.0) - temperatura_) / 300;
  const double onda = 1.2 * onda_ - 0.5 * ondaPrima_ + 0.12 * accelerazione_ + 0.1 * caso_.Gauss();
  ondaPrima_ = onda_;
  onda_ = onda;

  Lettura l;
  l.velocita = velocita_;
  l.giri = int(giri + 0.5);
  l.litriOra = litriOra;
  l.livello = std::clamp(Percento() + onda_ + 0.3 * caso_.Gauss(), 0.0, 100.0);
  l.sensoreLitri = std::max(litri_ + onda_ * capacita_ / 100 * 1.3 + 1.5 * caso_.Gauss(), 0.0);
  l.odometroMetri = odometroMetri_;
  l.contalitri = contalitri_;
  l.temperatura = temperatura_;
  l.batteria = 27.9 + 0.05 * caso_.Gauss();
  const double quota = std::clamp(potenza / kPotenzaMax * 100, 0.0, 100.0);
  l.pedale = fase_ == Fase::Marcia ? int(quota + 0.5) : 0;
  l.caricoMotore = int(quota + 8.5);
  l.marcia = marcia_;
  l.ingressi = sollevatore_ ? 1 : 0;
  l.stato = 1 | (velocita_ > 0 ? 2 : 0) | (fase_ == Fase::Frenata ? 4 : 0) | (freddo ? 8 : 0);
  return l;
}

}  // namespace quarvel::simulatore
