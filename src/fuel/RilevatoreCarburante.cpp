#include "RilevatoreCarburante.h"

#include <algorithm>
#include <cmath>

namespace quarvel {

namespace {
// A hole inside a recording longer than this is a pause like any other.
constexpr Istante kBuco = 60;
// Seconds after the truck stopped from which a reading may stand for the
// level before a pause, when the truck was switched off too soon after
// stopping for a settled one.
constexpr Istante kQuasiAssestato = 3;
// The flow meter counts in units of 0.05 l/h, one sample a second.
constexpr double kLitriPerUnita = 0.05 / 3600;
}  // namespace

template <int N>
void RilevatoreCarburante::Ultimi<N>::Aggiungi(Istante t, double v) {
  valori[prossimo] = v;
  istanti[prossimo] = t;
  prossimo = (prossimo + 1) % N;
  n = std::min(n + 1, N);
}

template <int N>
double RilevatoreCarburante::Ultimi<N>::Mediana(int da, int quanti) const {
  std::array<double, N> copia;
  for (int i = 0; i < quanti; ++i) copia[i] = Valore(da + i);
  const auto meta = copia.begin() + quanti / 2;
  std::nth_element(copia.begin(), meta, copia.begin() + quanti);
  return *meta;
}

void RilevatoreCarburante::MedianaMobile::Aggiungi(Istante t, double v) {
  const int n = ultimi.n;
  double* fine = ordinati.data() + n;
  if (ultimi.Pieno()) {
    // Out goes the oldest reading, wherever it sits in the order.
    const double vecchio = ultimi.valori[ultimi.prossimo];
    double* dove = std::lower_bound(ordinati.data(), fine, vecchio);
    std::copy(dove + 1, fine, dove);
    --fine;
  }
  double* dove = std::upper_bound(ordinati.data(), fine, v);
  std::copy_backward(dove, fine, fine + 1);
  *dove = v;
  ultimi.Aggiungi(t, v);
}

void RilevatoreCarburante::Finestra::Aggiungi(Istante t, double v) {
  constexpr double kCentro = (kFinestra - 1) / 2.0;
  const int posto = int(visti % kFinestra);
  if (Piena()) {
    const double vecchio = valori[posto];
    tendenza += kCentro * vecchio - (somma - vecchio) + (kFinestra - 1 - kCentro) * v;
    somma += v - vecchio;
  }
  valori[posto] = v;
  istanti[posto] = t;
  const int64_t qui = visti++;
  if (visti == kFinestra || visti % 4096 == 0) {
    // Once full, and now and then against the rounding's drift: from scratch.
    somma = tendenza = 0;
    for (int i = 0; i < kFinestra; ++i) {
      const double m = Valore(visti + i);
      somma += m;
      tendenza += (i - kCentro) * m;
    }
  }
  // The candidates: older ones no better than the newest never return.
  const auto candidati = [&](std::array<int64_t, kFinestra>& ring, int& primo, int& n, auto migliore) {
    while (n > 0 && ring[primo] <= qui - kFinestra) {
      primo = (primo + 1) % kFinestra;
      --n;
    }
    while (n > 0 && !migliore(Valore(ring[(primo + n - 1) % kFinestra]), v)) --n;
    ring[(primo + n) % kFinestra] = qui;
    ++n;
  };
  candidati(minimi, primoMinimo, nMinimi, [](double a, double b) { return a < b; });
  candidati(massimi, primoMassimo, nMassimi, [](double a, double b) { return a > b; });
}

double RilevatoreCarburante::Finestra::Pendenza() const {
  constexpr double kScarti = kFinestra * (double(kFinestra) * kFinestra - 1) / 12;
  return tendenza / kScarti;
}

double RilevatoreCarburante::Finestra::Ampiezza() const {
  return Valore(massimi[primoMassimo]) - Valore(minimi[primoMinimo]);
}

double RilevatoreCarburante::Ancora(const Ultimi<kAncoraFerma>& u, bool inizio) const {
  const int n = u.n;
  // Still: every reading counts.
  if (n >= 15 && std::abs(u.Mediana(0, n / 3) - u.Mediana(n - n / 3, n / 3)) <= soglia_ / 2)
    return u.Mediana();
  // Already moving: the readings on this side of where it began to move,
  // the split that best fits a flat part and a straight one (fuel often
  // starts to flow within seconds of the ignition).
  if (!inizio || n < 6) {
    const int k = std::min(n, kAncora);
    return u.Mediana(n - k, k);
  }
  std::array<double, kAncoraFerma> x;
  for (int i = 0; i < n; ++i) x[i] = u.Valore(i);
  // A wild reading must not move the split: each reading as the median of
  // itself and its neighbours.
  std::array<double, kAncoraFerma> grezzi = x;
  for (int i = 1; i + 1 < n; ++i)
    x[i] = std::max(std::min(grezzi[i - 1], grezzi[i]),
                    std::min(std::max(grezzi[i - 1], grezzi[i]), grezzi[i + 1]));
  // Running sums over the readings and over their positions, for the flat
  // part's and the straight part's least squares.
  std::array<double, kAncoraFerma + 1> s{}, s2{}, si{}, sii{}, sxi{};
  for (int i = 0; i < n; ++i) {
    s[i + 1] = s[i] + x[i];
    s2[i + 1] = s2[i] + x[i] * x[i];
    si[i + 1] = si[i] + i;
    sii[i + 1] = sii[i] + double(i) * i;
    sxi[i + 1] = sxi[i] + i * x[i];
  }
  const auto scarti = [&](int a, int b, bool retta) {  // readings a..b-1
    const double m = b - a, sx = s[b] - s[a], sxx = s2[b] - s2[a];
    double r = sxx - sx * sx / m;
    if (retta && m > 2) {
      const double st = si[b] - si[a], stt = sii[b] - sii[a], stx = sxi[b] - sxi[a];
      const double vt = stt - st * st / m, ct = stx - st * sx / m;
      if (vt > 0) r -= ct * ct / vt;
    }
    return r;
  };
  int svolta = 3;
  double migliore = scarti(0, 3, false) + scarti(3, n, true);
  for (int k = 4; k <= n - 3; ++k)
    if (const double r = scarti(0, k, false) + scarti(k, n, true); r < migliore) {
      migliore = r;
      svolta = k;
    }
  std::array<double, kAncoraFerma> piatti;
  std::copy(grezzi.begin(), grezzi.begin() + svolta, piatti.begin());
  std::nth_element(piatti.begin(), piatti.begin() + svolta / 2, piatti.begin() + svolta);
  return piatti[svolta / 2];
}

RilevatoreCarburante::RilevatoreCarburante(const ParametriCarburante& p)
    : p_(p),
      soglia_(std::max(0.006 * p.capacita, 0.5)),
      pendenza_(0.03) {}

void RilevatoreCarburante::Aggiungi(const LetturaCampione& c) {
  const Istante t = c.TimeDate;
  // The engine was off (a new recording), or the logger lost a while.
  if (!primo_ && (c.apreViaggio || t - precedente_ > kBuco)) {
    ChiudiTratto();
    quasiAssestati_ = {};
  }
  if (c.velocita > 0) {
    fermo_ = false;
  } else if (c.velocita == 0 && !fermo_) {
    fermo_ = true;
    // Before the first sample nothing is known, but a recording that opens
    // the period opens after a switch-off, the truck standing.
    ultimoMoto_ = primo_ && c.apreViaggio ? t - kAssestamento : t;
  }
  // A missing speed keeps the state it had.
  if (!fermo_) {
    ChiudiSosta();
    quasiAssestati_ = {};
  } else {
    const double letto = p_.sensoreLitri ? (c.sensoreLitri >= 0 ? double(c.sensoreLitri) : -1)
                         : c.livelloPercento > 0 && c.livelloPercento <= 100
                             ? c.livelloPercento * p_.capacita / 100
                             : -1;
    if (letto >= 0) {
      const double netto = letto + bruciati_;
      if (t - ultimoMoto_ >= kAssestamento) Assestato(t, netto);
      else if (t - ultimoMoto_ >= kQuasiAssestato) quasiAssestati_.Aggiungi(t, netto);
    }
  }
  if (c.gasolio != -1) bruciati_ += c.gasolio * kLitriPerUnita;
  precedente_ = t;
  primo_ = false;
}

void RilevatoreCarburante::Assestato(Istante t, double netto) {
  if (!trattoAperto_) {
    trattoAperto_ = true;
    ++tratto_;
    inizioTratto_ = fineTratto_ = {};
    grezzi_ = {};
    finestra_ = {};
    inizioDato_ = sulPianoro_ = false;
  }
  inSosta_ = true;
  if (!inizioTratto_.Pieno()) {
    inizioTratto_.Aggiungi(t, netto);
    if (inizioTratto_.Pieno()) {
      const Riferimento r = Rif(inizioTratto_.istanti[0], Ancora(inizioTratto_, true));
      Arrivo(r);
      Partenza(r);
      inizioDato_ = true;
    }
  }
  fineTratto_.Aggiungi(t, netto);
  grezzi_.Aggiungi(t, netto);
  if (!grezzi_.ultimi.Pieno()) return;

  // The median of the last readings, standing for the middle one.
  finestra_.Aggiungi(t - kMediana / 2, grezzi_.Mediana());
  if (!finestra_.Piena()) return;

  // Flat: the medians stay within a band, and their trend is far below the
  // slowest siphon.
  const double media = finestra_.Media();
  const bool piatto = finestra_.Ampiezza() <= soglia_ && std::abs(finestra_.Pendenza()) <= pendenza_;
  if (piatto && !sulPianoro_) {
    // The oldest median of the window: where the level came to rest.
    Arrivo(Rif(finestra_.PiuVecchio(), media));
    sulPianoro_ = true;
  }
  if (piatto) {
    // Stamped with the oldest reading of the newest median, so that a
    // change just under way is not yet in it.
    fineCandidata_ = Rif(grezzi_.ultimi.Primo(), media);
  } else if (sulPianoro_) {
    Partenza(fineCandidata_);
    sulPianoro_ = false;
  }
}

void RilevatoreCarburante::ChiudiTratto() {
  if (trattoAperto_) {
    if (!inizioDato_) {
      const Riferimento r = Rif(inizioTratto_.Primo(), Ancora(inizioTratto_, true));
      Arrivo(r);
      Partenza(r);
    }
    if (sulPianoro_) {
      // Level to the last reading: whatever follows happens in the pause.
      Partenza(Rif(precedente_, fineCandidata_.netto));
    } else {
      const Riferimento r = Rif(precedente_, Ancora(fineTratto_, false));
      Arrivo(r);
      Partenza(r);
    }
    trattoAperto_ = false;
    return;
  }
  // Switched off before the level settled: the last readings that had a
  // few seconds to calm down stand for it, so that what happens while the
  // engine is off is still seen.
  if (quasiAssestati_.n >= 3) {
    ++tratto_;
    inSosta_ = true;
    const Riferimento r = Rif(precedente_, quasiAssestati_.Mediana());
    Arrivo(r);
    Partenza(r);
  }
}

void RilevatoreCarburante::ChiudiSosta() {
  ChiudiTratto();
  inSosta_ = false;
  ultimaPartenza_.reset();
}

int RilevatoreCarburante::Raffreddamento::Classe(Istante durata) {
  return durata < 1200 ? -1 : durata < 3600 ? 0 : durata < 4 * 3600 ? 1 : 2;
}

void RilevatoreCarburante::Raffreddamento::Aggiungi(Istante durata, double perLitro) {
  const int classe = Classe(durata);
  if (classe < 0) return;
  const int casella = int(std::lround(perLitro / kPasso)) + kCaselle / 2;
  if (casella >= 0 && casella < kCaselle) ++conteggi[classe][casella];
}

double RilevatoreCarburante::Raffreddamento::Stima(Istante durata) const {
  const int classe = Classe(durata);
  if (classe < 0) return 0;
  const auto& c = conteggi[classe];
  int n = 0;
  for (int k : c) n += k;
  // A few pauses are too few to tell the cooling from the noise.
  if (n < 3) return 0;
  for (int i = 0, visti = 0; i < kCaselle; ++i)
    if ((visti += c[i]) * 2 >= n) return (i - kCaselle / 2) * kPasso;
  return 0;
}

void RilevatoreCarburante::Arrivo(const Riferimento& r) {
  if (!primoRif_) primoRif_ = r;
  ultimoRif_ = r;
  if (!ultimaPartenza_) return;
  const Riferimento& a = *ultimaPartenza_;
  const double delta = r.netto - a.netto;
  const double litriPrima = a.netto - a.bruciati;
  const bool spento = a.tratto != r.tratto;
  // Across a pause the cooling may still move a step over or under the
  // minimum: those near it wait for the end.
  const double margine = spento ? 6 : 0;
  const bool rifornimento = delta >= p_.minimoRifornimento - margine;
  if (!rifornimento && -delta < p_.minimoPerdita - margine) {
    if (spento && litriPrima > 0) raffreddamento_.Aggiungi(r.t - a.t, delta / litriPrima);
    return;
  }
  EventoCarburante e;
  e.tipo = rifornimento ? TipoEventoCarburante::Rifornimento : TipoEventoCarburante::Prelievo;
  e.motore = spento ? MotoreEvento::Spento : MotoreEvento::AlMinimo;
  e.inizio = a.t;
  e.fine = r.t;
  e.litriPrima = litriPrima;
  e.litriDopo = r.netto - r.bruciati;
  e.litri = rifornimento ? delta : -delta;
  if (spento) daCorreggere_.push_back({r_.eventi.size(), r.t - a.t, delta});
  r_.eventi.push_back(e);
}

void RilevatoreCarburante::Partenza(const Riferimento& r) {
  ultimaPartenza_ = r;
  ultimoRif_ = r;
}

RisultatoCarburante RilevatoreCarburante::Concludi() {
  ChiudiSosta();
  // The steps across pauses, less what the fuel shrank meanwhile.
  std::vector<bool> via(r_.eventi.size());
  for (const DaCorreggere& d : daCorreggere_) {
    EventoCarburante& e = r_.eventi[d.evento];
    const double delta = d.delta - raffreddamento_.Stima(d.durata) * e.litriPrima;
    const bool rifornimento = delta >= p_.minimoRifornimento;
    via[d.evento] = !rifornimento && -delta < p_.minimoPerdita;
    e.tipo = rifornimento ? TipoEventoCarburante::Rifornimento : TipoEventoCarburante::Prelievo;
    e.litri = rifornimento ? delta : -delta;
  }
  RisultatoCarburante r;
  for (std::size_t i = 0; i < via.size(); ++i)
    if (!via[i]) r.eventi.push_back(r_.eventi[i]);
  r_ = {};
  daCorreggere_.clear();
  BilancioCarburante& b = r.bilancio;
  b.consumati = bruciati_;
  for (const EventoCarburante& e : r.eventi)
    (e.tipo == TipoEventoCarburante::Rifornimento ? b.riforniti : b.prelevati) += e.litri;
  if (primoRif_) {
    // The net levels carry the burnt litres since the period began: the
    // first is the tank at the start, the last minus all that was burnt is
    // the tank at the end.
    b.estremi = true;
    b.iniziali = primoRif_->netto;
    b.finali = ultimoRif_->netto - bruciati_;
  }
  return r;
}

}  // namespace quarvel
