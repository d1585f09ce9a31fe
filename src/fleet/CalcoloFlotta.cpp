#include "CalcoloFlotta.h"

#include "Anagrafica.h"
#include "CarburanteVeicolo.h"
#include "DatabaseVeicolo.h"
#include "Impostazioni.h"
#include "LettureFlotta.h"

#include <algorithm>

namespace quarvel {

namespace {
// The samples of a source until the user stops the work, with the instant
// reached for the progress bar.
class LettureSorvegliate final : public SorgenteLetture {
 public:
  LettureSorvegliate(SorgenteLetture& letture, const std::atomic<bool>& fermo,
                     std::atomic<Istante>& raggiunto)
      : letture_(letture), fermo_(fermo), raggiunto_(raggiunto) {}
  std::span<const LetturaCampione> Prossime() override {
    if (fermo_.load(std::memory_order_relaxed)) return {};
    const std::span<const LetturaCampione> blocco = letture_.Prossime();
    if (!blocco.empty()) raggiunto_.store(blocco.back().TimeDate, std::memory_order_relaxed);
    return blocco;
  }
  QString Errore() const override { return letture_.Errore(); }

 private:
  SorgenteLetture& letture_;
  const std::atomic<bool>& fermo_;
  std::atomic<Istante>& raggiunto_;
};
}  // namespace

ElencoFlotta VeicoliFlotta(const QString& anno) {
  ElencoFlotta elenco;
  ElencoTarghe targhe = TargheAnagrafica(Imp().PercorsoAnagrafica);
  elenco.esito = targhe.esito;
  std::sort(targhe.targhe.begin(), targhe.targhe.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  for (const QString& targa : targhe.targhe) {
    const QString percorso = TrovaDatabaseVeicolo(targa, anno);
    if (!percorso.isEmpty())
      elenco.veicoli.push_back({targa, percorso, ParametriCarburanteVeicolo(targa)});
  }
  return elenco;
}

ParametriFlotta ParametriDalleImpostazioni(const IntervalloFlotta& periodo) {
  ParametriFlotta p;
  p.periodo = periodo;
  p.sogliaVelocita = Imp().LivelloAllertVelocita;
  p.sogliaGasolio = Imp().LivelloAllertGasolio;
  return p;
}

RigaFlotta CalcolaVeicolo(const VeicoloFlotta& v, const ParametriFlotta& p,
                          const std::atomic<bool>& fermo, std::atomic<Istante>& raggiunto) {
  LettureAperte aperte = ApriLetturePeriodo(v.percorso, p.periodo.inizio, p.periodo.fine);
  if (!aperte.esito) {
    RigaFlotta riga;
    riga.targa = v.targa;
    riga.stato = StatoRigaFlotta::Errore;
    riga.errore = aperte.esito.messaggio;
    return riga;
  }
  LettureSorvegliate letture(*aperte.letture, fermo, raggiunto);
  ParametriAnalisi a;
  a.targa = v.targa;
  a.sogliaVelocita = p.sogliaVelocita;
  a.sogliaGasolio = p.sogliaGasolio;
  a.carburante = v.carburante;
  RigaFlotta riga = RigaDaAnalisi(v.targa, PassoAnalisi(letture, a));
  if (fermo.load()) riga.stato = StatoRigaFlotta::Interrotta;
  return riga;
}

CalcoloFlotta::CalcoloFlotta(std::vector<VeicoloFlotta> veicoli, const ParametriFlotta& parametri)
    : veicoli_(std::move(veicoli)),
      parametri_(parametri),
      righe_(veicoli_.size()),
      stati_(std::make_unique<Stato[]>(veicoli_.size())) {
  for (std::size_t i = 0; i < veicoli_.size(); ++i) {
    righe_[i].targa = veicoli_[i].targa;
    righe_[i].stato = StatoRigaFlotta::Interrotta;
    stati_[i].raggiunto = parametri_.periodo.inizio;
  }
}

CalcoloFlotta::~CalcoloFlotta() { Ferma(); }

void CalcoloFlotta::Avvia(int fili) {
  if (fili <= 0) fili = int(std::max(1u, std::thread::hardware_concurrency()));
  fili = std::min<int>(fili, int(veicoli_.size()));
  for (int i = 0; i < fili; ++i) fili_.emplace_back([this] { Lavora(); });
}

void CalcoloFlotta::Lavora() {
  for (std::size_t i = prossimo_++; i < veicoli_.size() && !fermo_.load(); i = prossimo_++) {
    righe_[i] = CalcolaVeicolo(veicoli_[i], parametri_, fermo_, stati_[i].raggiunto);
    stati_[i].finito = true;
    ++finiti_;
  }
}

double CalcoloFlotta::Avanzamento() const {
  if (veicoli_.empty()) return 1;
  const double durata = double(parametri_.periodo.fine - parametri_.periodo.inizio) + 1;
  double fatto = 0;
  for (std::size_t i = 0; i < veicoli_.size(); ++i) {
    const double parte =
        stati_[i].finito ? 1 : double(stati_[i].raggiunto.load() - parametri_.periodo.inizio) / durata;
    fatto += std::clamp(parte, 0.0, 1.0);
  }
  return fatto / double(veicoli_.size());
}

void CalcoloFlotta::Ferma() {
  fermo_ = true;
  Attendi();
}

void CalcoloFlotta::Attendi() {
  for (std::thread& f : fili_)
    if (f.joinable()) f.join();
  fili_.clear();
}

}  // namespace quarvel
