#pragma once
// Refuels and losses in litres, found in one pass over a period's samples.
//
// The level sensor is trusted only where the fuel has settled: the truck
// standing still for some tens of seconds (slosh after braking dies out),
// and then only through medians (vibration, wild single readings). Settled
// readings are compared only within one stay at one place, so the slope the
// truck stands on never shows as fuel. Within a stay the net level (litres
// read plus litres the flow meter says the engine burnt since the period
// began) is flat but for what entered or left the tank: a flat stretch is a
// plateau, and the difference between two plateaus is an event, either
// while the engine idled or, across the pause between two recordings,
// while it was off.
#include "EventiCarburante.h"
#include "LettureCampioni.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

struct ParametriCarburante {
  double capacita = 250;           // litres of the tank
  double minimoRifornimento = 20;  // litres
  double minimoPerdita = 10;       // litres
  // Read the fuel-sensor litres (Dato14) instead of the level in percent.
  bool sensoreLitri = false;
};

class RilevatoreCarburante {
 public:
  explicit RilevatoreCarburante(const ParametriCarburante& parametri);
  void Aggiungi(const LetturaCampione& c);
  // After the last sample.
  RisultatoCarburante Concludi();

  // Seconds after the truck stopped before its level is trusted.
  static constexpr int kAssestamento = 20;

 private:
  // A trusted net level: litres read plus litres burnt since the period
  // began, at an instant, in a stretch of recording without pauses.
  struct Riferimento {
    Istante t = 0;
    double netto = 0, bruciati = 0;
    int64_t tratto = 0;
  };
  // A few values kept in arrival order; their median on demand.
  template <int N>
  struct Ultimi {
    std::array<double, N> valori{};
    std::array<Istante, N> istanti{};
    int n = 0, prossimo = 0;
    void Aggiungi(Istante t, double v);
    bool Pieno() const { return n == N; }
    // The median of `quanti` values from the `da`-th oldest.
    double Mediana(int da, int quanti) const;
    double Mediana() const { return Mediana(0, n); }
    Istante Primo() const { return istanti[Pieno() ? prossimo : 0]; }
    double Valore(int i) const { return valori[((Pieno() ? prossimo : 0) + i) % N]; }  // the i-th oldest
  };
  static constexpr int kMediana = 15;   // raw readings in a median
  static constexpr int kFinestra = 60;  // medians that must agree for a plateau
  static constexpr int kAncora = 9;     // readings that fix a stretch's moving ends
  static constexpr int kAncoraFerma = 30;  // and its still ones

  void Assestato(Istante t, double netto);
  void ChiudiTratto();
  void ChiudiSosta();
  // A reference where the level was flat since the last one (a plateau
  // starts, or a stretch begins): what changed since the last plateau ended
  // is an event when large enough.
  void Arrivo(const Riferimento& r);
  // A reference after which the level may change (a plateau ends, a stretch
  // ends).
  void Partenza(const Riferimento& r);
  Riferimento Rif(Istante t, double netto) const { return {t, netto, bruciati_, tratto_}; }

  ParametriCarburante p_;
  double soglia_;    // largest spread of medians on a plateau, litres
  double pendenza_;  // largest trend on a plateau, litres a second
  double bruciati_ = 0;
  bool primo_ = true, fermo_ = false;
  Istante precedente_ = 0, ultimoMoto_ = 0;

  // The stay under way and its stretch of recording.
  bool inSosta_ = false, trattoAperto_ = false;
  int64_t tratto_ = 0;
  // The net level at one end of a stretch.
  double Ancora(const Ultimi<kAncoraFerma>& letture, bool inizio) const;
  Ultimi<kAncoraFerma> inizioTratto_, fineTratto_;
  Ultimi<kAncora> quasiAssestati_;
  bool inizioDato_ = false;
  // The median of the last kMediana readings, kept sorted as they come and go.
  struct MedianaMobile {
    Ultimi<kMediana> ultimi;
    std::array<double, kMediana> ordinati{};
    void Aggiungi(Istante t, double v);
    double Mediana() const { return ordinati[kMediana / 2]; }
  } grezzi_;
  // The last kFinestra medians: their sum, their least-squares trend (oldest
  // first) and their spread, each brought up to date as one comes and one
  // goes.
  struct Finestra {
    std::array<double, kFinestra> valori{};
    std::array<Istante, kFinestra> istanti{};
    int64_t visti = 0;  // medians added since the stretch began
    double somma = 0, tendenza = 0;
    // Positions (in `visti` counts) of the candidates for the least and the
    // greatest, in a ring.
    std::array<int64_t, kFinestra> minimi{}, massimi{};
    int primoMinimo = 0, nMinimi = 0, primoMassimo = 0, nMassimi = 0;
    void Aggiungi(Istante t, double v);
    bool Piena() const { return visti >= kFinestra; }
    double Media() const { return somma / kFinestra; }
    double Pendenza() const;  // per reading
    double Ampiezza() const;
    Istante PiuVecchio() const { return istanti[visti % kFinestra]; }
    double Valore(int64_t posizione) const { return valori[posizione % kFinestra]; }
  } finestra_;
  bool sulPianoro_ = false;
  Riferimento fineCandidata_;
  std::optional<Riferimento> ultimaPartenza_;

  // Fuel shrinks as it cools while the engine is off (it warmed while the
  // engine ran): the steps across pauses without an event tell how much,
  // per litre in the tank, for pauses of each length; the steps that may be
  // events are put right with it at the end.
  struct Raffreddamento {
    static constexpr int kClassi = 3, kCaselle = 400;
    static constexpr double kPasso = 0.0001;  // of a litre per litre
    std::array<std::array<int, kCaselle>, kClassi> conteggi{};
    static int Classe(Istante durata);  // -1: too short to count
    void Aggiungi(Istante durata, double perLitro);
    double Stima(Istante durata) const;  // litres per litre; 0 when unknown
  } raffreddamento_;
  struct DaCorreggere {
    std::size_t evento;
    Istante durata;
    double delta;
  };
  std::vector<DaCorreggere> daCorreggere_;

  RisultatoCarburante r_;
  std::optional<Riferimento> primoRif_, ultimoRif_;
};

}  // namespace quarvel
