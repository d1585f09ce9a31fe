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
      contalitri_(odometroMetri_ / 1000 * caso.Tra(0.30, 0.34)) {
  pendenzaSosta_ = pendenzaDeposito_ = caso.Tra(-0.02, 0.02);  // the yard where the truck sleeps
}

void Camion::Scalda(double temperatura) {
  // Diesel swells by 0.083 % a degree.
  const double prima = litri_;
  litri_ += litri_ * 0.00083 * (temperatura - temperaturaGasolio_);
  dilatazione_ += litri_ - prima;
  temperaturaGasolio_ = temperatura;
}

void Camion::CambiaLitri(double delta) { litri_ = std::clamp(litri_ + delta, 0.0, capacita_); }

bool Camion::EventoAlMinimo(double litri, double litriAlSecondo) {
  if (EventoInAttesa() || litri == 0 || litriAlSecondo <= 0) return false;
  evento_ = {litri, litriAlSecondo, 0, false};
  return true;
}

void Camion::IniziaEvento(int attesaPrima) {
  if (!EventoInAttesa() || evento_.attivo) return;
  const int durata = int((evento_.litri < 0 ? -evento_.litri : evento_.litri) /
                         evento_.litriAlSecondo) + 1;
  const int sosta = attesaPrima + durata + caso_.Intero(20, 90);
  // The recording must outlast the stop, with time to drive off and stop.
  if (rimanenti_ < sosta + 300) return;
  evento_.ritardo = attesaPrima;
  evento_.attivo = true;
  attesa_ = std::max(attesa_, sosta);
}

double Camion::LivelloLetto(double rumore) {
  const double pendenza = fermo_ ? pendenzaSosta_ : pendenza_;
  double livello = litri_ / capacita_ * 100 + 55 * pendenza + onda_ + rumore * caso_.Gauss();
  if (caso_.Probabile(1.0 / 4000)) livello += (caso_.Probabile(0.5) ? 1 : -1) * caso_.Tra(3, 40);
  return std::clamp(livello, 0.0, 100.0);
}

void Camion::Parcheggia(int64_t secondi, double temperaturaAria) {
  // The coolant drifts towards the air temperature while the engine is off.
  temperatura_ = temperaturaAria +
                 (temperatura_ - temperaturaAria) * 1800.0 / (1800.0 + double(secondi));
  Scalda(temperaturaAria + (temperaturaGasolio_ - temperaturaAria) * 10800.0 /
                                (10800.0 + double(secondi)));
  aria_ = temperaturaAria;
  fase_ = Fase::Spegnimento;
  velocita_ = accelerazione_ = onda_ = ondaPrima_ = 0;
}

void Camion::Avvia(int durata, bool ultimaDelGiorno) {
  rimanenti_ = durata;
  rientro_ = ultimaDelGiorno;
  finale_ = sollevatore_ = false;
  massa_ = caso_.Tra(14000, 40000);
  const double u = caso_.Uniforme();
  strada_ = u < 0.5 ? Citta : u < 0.85 ? Extraurbana : Autostrada;
  fase_ = Fase::Sosta;
  attesa_ = caso_.Intero(30, 200);  // warming up before moving off
  minimoFinale_ = caso_.Intero(10, 90);
  marcia_ = 0;
  velocita_ = accelerazione_ = 0;
  IniziaEvento(caso_.Intero(3, 20));  // just after the ignition
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
  IniziaEvento(caso_.Intero(20, 120));
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
    fermo_ = false;
  } else if (!fermo_) {
    fermo_ = true;  // a new place, on its own slope, but for the yard at the day's end
    const double pendenza = std::clamp(0.012 * caso_.Gauss(), -0.035, 0.035);
    pendenzaSosta_ = finale_ && rientro_ ? pendenzaDeposito_ : pendenza;
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
  double flusso = 0, perdita = 0;
  if (evento_.attivo && fase_ == Fase::Sosta) {
    if (evento_.ritardo > 0) {
      --evento_.ritardo;
    } else {
      const double passo = std::min(evento_.litriAlSecondo, evento_.litri < 0 ? -evento_.litri
                                                                               : evento_.litri);
      flusso = evento_.litri < 0 ? -passo : passo;
      const double prima = litri_;
      CambiaLitri(flusso);
      flusso = litri_ - prima;  // a full or empty tank takes no more
      evento_.litri -= evento_.litri < 0 ? -passo : passo;
      if (passo < evento_.litriAlSecondo || flusso == 0) evento_ = {};
    }
  }
  if (velocita_ > 0 && perditaOra_ > 0) {
    perdita = std::min(perditaOra_ / 3600, litri_);
    litri_ -= perdita;
  }
  // The fuel the injectors send back warms the tank while the engine runs.
  Scalda(temperaturaGasolio_ + (aria_ + 8 - temperaturaGasolio_) / 5400);
  odometroMetri_ += velocita_ / 3.6 * fattoreOdometro_;
  contalitri_ += litriOra / 3600 * fattoreContalitri_;
  temperatura_ += (82 + 0.03 * std::max(potenza, 0.0) - temperatura_) / 300;
  // A wave of about five seconds that loses a tenth of its height a
  // second, pushed by every change of speed and by the road's bumps.
  const double onda = 0.556 * onda_ - 0.81 * ondaPrima_ + 0.35 * accelerazione_ +
                      0.004 * velocita_ * caso_.Gauss();
  ondaPrima_ = onda_;
  onda_ = onda;

  Lettura l;
  l.velocita = velocita_;
  l.giri = int(giri + 0.5);
  l.litriOra = litriOra;
  l.flusso = flusso;
  l.perdita = perdita;
  // Road vibration shakes the float; the engine at idle a little.
  l.livello = LivelloLetto(0.25 + 0.006 * velocita_);
  l.sensoreLitri = std::max(litri_ + (onda_ * 1.3 + 40 * (fermo_ ? pendenzaSosta_ : pendenza_)) *
                                         capacita_ / 100 +
                                1.5 * caso_.Gauss(),
                            0.0);
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
