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
constexpr Istante kQuasiAssestato = 8;
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
  const int primo = Pieno() ? prossimo : 0;
  for (int i = 0; i < quanti; ++i) copia[i] = valori[(primo + da + i) % N];
  const auto meta = copia.begin() + quanti / 2;
  std::nth_element(copia.begin(), meta, copia.begin() + quanti);
  return *meta;
}

double RilevatoreCarburante::Ancora(const Ultimi<kAncoraFerma>& u, bool inizio) const {
  const int n = u.n;
  // Still: every reading counts. Already moving: only the nearest few, and
  // fewer at the start, where fuel often begins to flow within seconds of
  // the ignition.
  if (n >= 15 && std::abs(u.Mediana(0, n / 3) - u.Mediana(n - n / 3, n / 3)) <= soglia_ / 2)
    return u.Mediana();
  const int k = std::min(n, inizio ? kAncora / 2 + 1 : kAncora);
  return u.Mediana(inizio ? 0 : n - k, k);
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
    inizioDato_ = sulPianoro_ = false;
    nMediane_ = prossimaMediana_ = 0;
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
  if (!grezzi_.Pieno()) return;

  // The median of the last readings, standing for the middle one.
  mediane_[prossimaMediana_] = grezzi_.Mediana();
  istantiMediane_[prossimaMediana_] = t - kMediana / 2;
  prossimaMediana_ = (prossimaMediana_ + 1) % kFinestra;
  nMediane_ = std::min(nMediane_ + 1, kFinestra);
  if (nMediane_ < kFinestra) return;

  // Flat: the medians stay within a band, and their trend (least squares
  // over the window, oldest first) is far below the slowest siphon.
  const auto [minimo, massimo] = std::minmax_element(mediane_.begin(), mediane_.end());
  double somma = 0, tendenza = 0;
  for (int i = 0; i < kFinestra; ++i) {
    const double m = mediane_[(prossimaMediana_ + i) % kFinestra];
    somma += m;
    tendenza += (i - (kFinestra - 1) / 2.0) * m;
  }
  constexpr double kScarti = kFinestra * (double(kFinestra) * kFinestra - 1) / 12;
  const double media = somma / kFinestra;
  const bool piatto = *massimo - *minimo <= soglia_ && std::abs(tendenza / kScarti) <= pendenza_;
  if (piatto && !sulPianoro_) {
    // The oldest median of the window: where the level came to rest.
    Arrivo(Rif(istantiMediane_[prossimaMediana_], media));
    sulPianoro_ = true;
  }
  if (piatto) {
    // Stamped with the oldest reading of the newest median, so that a
    // change just under way is not yet in it.
    fineCandidata_ = Rif(grezzi_.Primo(), media);
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
