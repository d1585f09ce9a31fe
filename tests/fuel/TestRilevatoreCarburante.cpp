// The detector on traces built second by second as a truck's logger writes
// them: a level sensor that sloshes after braking, shakes, now and then
// reads wildly, and reads the slope of the place as fuel; fuel burnt at
// idle; pauses with the engine off between recordings.
#include "RilevatoreCarburante.h"

#include <gtest/gtest.h>

using namespace quarvel;

namespace {
constexpr Istante kInizio = 1796371200;  // 2026-12-04 08:00:00

class Traccia {
 public:
  explicit Traccia(double litri, double capacita = 400) : litri_(litri), capacita_(capacita) {}

  // Drives, then brakes hard to a stop: the fuel sloshes.
  void Guida(int secondi) {
    for (int s = 0; s < secondi; ++s) Campione(60, 900, 600);
    onda_ = 5;  // percent, dying out
    pendenza_ = prossimaPendenza_;
  }
  // Stands with the engine idling; fuel enters (+) or leaves (-) at
  // litriAlSecondo for `flusso` seconds after `prima` seconds.
  void Minimo(int secondi, double litriAlSecondo = 0, int prima = 0, int flusso = 0) {
    for (int s = 0; s < secondi; ++s) {
      if (s >= prima && s < prima + flusso) litri_ += litriAlSecondo;
      Campione(0, 650, 50);  // 2.5 l/h
    }
  }
  // The engine is off for that long; `litri` enter or leave meanwhile. The
  // next sample opens a recording.
  void Spento(int secondi, double litri = 0) {
    t_ += secondi;
    litri_ += litri - raffreddamento_ * litri_;
    nuova_ = true;
  }
  // The share of its volume the fuel loses as it cools in each pause.
  void Raffreddamento(double quota) { raffreddamento_ = quota; }
  // The slope of the next place the truck stops at, in percent of the tank.
  void ProssimaPendenza(double percento) { prossimaPendenza_ = percento; }

  RisultatoCarburante Rileva() {
    ParametriCarburante p;
    p.capacita = capacita_;
    RilevatoreCarburante r(p);
    for (const LetturaCampione& c : campioni_) r.Aggiungi(c);
    return r.Concludi();
  }
  double Litri() const { return litri_; }

 private:
  // A number between -1 and 1, the same on every run.
  double Caso() {
    stato_ = stato_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return double(stato_ >> 11) / double(1ULL << 52) - 1;
  }
  void Campione(int16_t velocita, int16_t giri, int gasolio) {
    LetturaCampione c;
    c.TimeDate = t_++;
    c.apreViaggio = nuova_;
    nuova_ = false;
    c.velocita = velocita;
    c.giriMotore = giri;
    c.gasolio = gasolio;
    litri_ -= gasolio * 0.05 / 3600;
    onda_ *= -0.8;  // a wave of two seconds, losing a fifth each
    double livello = litri_ / capacita_ * 100 + (velocita ? 0 : pendenza_) + onda_ +
                     0.4 * (Caso() + Caso() + Caso());
    if (Caso() > 0.995) livello += 30;  // a wild reading now and then
    c.livelloPercento = float(livello);
    campioni_.push_back(c);
  }

  std::vector<LetturaCampione> campioni_;
  Istante t_ = kInizio;
  bool nuova_ = true;
  double litri_, capacita_, raffreddamento_ = 0, onda_ = 0, pendenza_ = 0, prossimaPendenza_ = 0;
  uint64_t stato_ = 12345;
};

void AttesoEvento(const EventoCarburante& e, TipoEventoCarburante tipo, MotoreEvento motore,
                  double litri) {
  EXPECT_EQ(e.tipo, tipo);
  EXPECT_EQ(e.motore, motore);
  EXPECT_NEAR(e.litri, litri, 2.0);
}
}  // namespace

// At the pump with the engine idling, and at the pump with the engine off.
TEST(RilevatoreCarburante, RifornimentoAlMinimoEASpento) {
  Traccia t(60);
  t.Guida(300);
  t.Minimo(600, 0.9, 120, 300);  // 270 l in five minutes
  t.Guida(600);
  t.Minimo(40);
  t.Spento(900, 50);
  t.Minimo(120);
  t.Guida(200);
  const RisultatoCarburante r = t.Rileva();
  ASSERT_EQ(r.eventi.size(), 2u);
  AttesoEvento(r.eventi[0], TipoEventoCarburante::Rifornimento, MotoreEvento::AlMinimo, 270);
  AttesoEvento(r.eventi[1], TipoEventoCarburante::Rifornimento, MotoreEvento::Spento, 50);
  // The readings either side of the change, and the tank in litres there.
  EXPECT_LT(r.eventi[0].inizio, kInizio + 300 + 120);
  EXPECT_GT(r.eventi[0].fine, kInizio + 300 + 420);
  EXPECT_NEAR(r.eventi[0].litriDopo - r.eventi[0].litriPrima, 270, 2.5);
  EXPECT_LT(r.eventi[1].inizio, kInizio + 1540);
  EXPECT_GE(r.eventi[1].fine, kInizio + 1540 + 900);
}

// Siphoned slowly while idling, and taken during a stop with the engine off.
// The tank is large: its level moves little for each litre.
TEST(RilevatoreCarburante, PrelievoAlMinimoEDuranteUnaSosta) {
  Traccia t(600, 800);
  t.Guida(300);
  t.Minimo(900, -0.1, 90, 500);  // 50 l, slower than any pump
  t.Guida(400);
  t.Minimo(60);
  t.Spento(3600, -25);
  t.Minimo(100);
  t.Guida(100);
  const RisultatoCarburante r = t.Rileva();
  ASSERT_EQ(r.eventi.size(), 2u);
  AttesoEvento(r.eventi[0], TipoEventoCarburante::Prelievo, MotoreEvento::AlMinimo, 50);
  AttesoEvento(r.eventi[1], TipoEventoCarburante::Prelievo, MotoreEvento::Spento, 25);
}

// Fuel taken while the engine was off, then more siphoned from the moment it
// idles again: two losses, each with its own litres.
TEST(RilevatoreCarburante, GradinoNellaPausaPoiPrelievoSubitoDopoLAccensione) {
  Traccia t(300);
  t.Guida(300);
  t.Minimo(60);
  t.Spento(1800, -30);
  t.Minimo(400, -0.3, 5, 100);  // 30 l more, starting 5 s after the ignition
  t.Guida(100);
  const RisultatoCarburante r = t.Rileva();
  ASSERT_EQ(r.eventi.size(), 2u);
  AttesoEvento(r.eventi[0], TipoEventoCarburante::Prelievo, MotoreEvento::Spento, 30);
  AttesoEvento(r.eventi[1], TipoEventoCarburante::Prelievo, MotoreEvento::AlMinimo, 30);
  EXPECT_LE(r.eventi[0].fine, r.eventi[1].inizio);
}

// Fuel warmed while driving shrinks overnight: the nights without an event
// tell how much, and a theft in another night is not made larger by it.
TEST(RilevatoreCarburante, IlRaffreddamentoNotturnoNonGonfiaIPrelievi) {
  Traccia t(350);
  t.Raffreddamento(0.008);  // 2.8 l of 350
  for (int notte = 0; notte < 6; ++notte) {
    t.Guida(600);
    t.Minimo(60);
    t.Spento(10 * 3600, notte == 4 ? -12 : 0);
    t.Minimo(60);
  }
  const RisultatoCarburante r = t.Rileva();
  ASSERT_EQ(r.eventi.size(), 1u);
  EXPECT_NEAR(r.eventi[0].litri, 12, 1.2);
}

// Slosh after hard braking, wild readings, the slope of each place: nothing
// entered or left, nothing is listed, and the tank at both ends is read.
TEST(RilevatoreCarburante, OndaPendenzaELettureMattNonSonoEventi) {
  Traccia t(250);
  t.Minimo(200);
  for (const double pendenza : {3.0, -3.0, 0.0, 4.0, -2.0}) {
    t.ProssimaPendenza(pendenza);  // 12 or 16 l of level on a slope
    t.Guida(400);
    t.Minimo(300);
    t.Spento(1200);
    t.Minimo(200);
  }
  const double fine = t.Litri();
  t.Guida(10);
  const RisultatoCarburante r = t.Rileva();
  EXPECT_TRUE(r.eventi.empty());
  ASSERT_TRUE(r.bilancio.estremi);
  EXPECT_NEAR(r.bilancio.iniziali, 250, 2);
  EXPECT_NEAR(r.bilancio.finali, fine - 8, 2);  // the last place's slope: -2 % of 400 l
}

// The balance: what the flow meter saw burnt plus the events explain the
// level at both ends; a leak while driving is what is left unexplained.
TEST(RilevatoreCarburante, IlBilancioLasciaInspiegataSoloLaPerditaInMarcia) {
  Traccia t(200);
  t.Minimo(120);
  t.Guida(1200);
  t.Spento(0, -15);  // a tapped fuel line: gone while moving, no pause
  t.Guida(1200);
  t.Minimo(120, 1.0, 30, 60);
  t.Minimo(120);
  const RisultatoCarburante r = t.Rileva();
  ASSERT_EQ(r.eventi.size(), 1u);
  const BilancioCarburante& b = r.bilancio;
  EXPECT_NEAR(b.consumati, (2400 * 600 + 360 * 50) * 0.05 / 3600, 1e-6);
  EXPECT_NEAR(b.riforniti, 60, 2);
  EXPECT_NEAR(b.Scarto(), 15, 2.5);
}
