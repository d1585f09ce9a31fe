#include "ValutaCarburante.h"

#include "DecodificaRiga.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace quarvel::bench {

namespace sim = quarvel::simulatore;

bool Confronto::VolumeBuono() const {
  return trovato && std::abs(litriTrovati - vero.litri) <= std::max(3.0, 0.05 * vero.litri);
}

namespace {
// The logger's lines straight into the detector, as the import decodes them.
class AlRilevatore : public sim::Destinazione {
 public:
  explicit AlRilevatore(RilevatoreCarburante& r) : r_(r) {}
  bool NuovoFile(const std::string&) override { return true; }
  bool ChiudiFile() override { return true; }
  std::string Errore() const override { return {}; }
  bool Riga(std::string_view riga) override {
    const RigaDecodificata d = DecodificaRigaCSV(riga, 0);
    if (d.tipo == TipoRiga::PrimaRiga) contatore_ = 0;
    if (d.tipo != TipoRiga::Dati) return true;
    CampioneLog c = d.campione;
    c.DatoPT = OrdinaleRegistrazione(contatore_++);
    r_.Aggiungi(Lettura(c));
    ++campioni;
    return true;
  }
  int64_t campioni = 0;

 private:
  RilevatoreCarburante& r_;
  double contatore_ = 0;
};

// A found event answers a real one of its kind when their spans come within
// ten minutes of each other; the closer in time, the better.
bool Risponde(const EventoCarburante& e, const sim::EventoCarburante& v) {
  const bool tipo = (e.tipo == TipoEventoCarburante::Rifornimento) == v.rifornimento;
  return tipo && e.inizio <= v.fine + 600 && e.fine >= v.inizio - 600;
}
Istante Distanza(const EventoCarburante& e, const sim::EventoCarburante& v) {
  return std::abs(e.inizio - v.inizio) + std::abs(e.fine - v.fine);
}
}  // namespace

Valutazione Valuta(const sim::Opzioni& o, bool sensoreLitri) {
  ParametriCarburante p;
  p.capacita = o.capacita;
  p.sensoreLitri = sensoreLitri;
  RilevatoreCarburante rilevatore(p);
  AlRilevatore destinazione(rilevatore);
  const sim::Esito esito = sim::Simula(o, destinazione);
  Valutazione v;
  v.errore = esito.errore;
  if (!v.errore.empty()) return v;
  RisultatoCarburante trovato = rilevatore.Concludi();
  v.campioni = destinazione.campioni;
  v.giorni = o.giorni;
  std::vector<bool> usato(trovato.eventi.size());
  // Each found event to the real one nearest in time, the closest pairs
  // first.
  const auto& veri = esito.verita.eventi;
  std::vector<std::tuple<Istante, std::size_t, std::size_t>> coppie;
  for (std::size_t j = 0; j < veri.size(); ++j)
    for (std::size_t i = 0; i < trovato.eventi.size(); ++i)
      if (Risponde(trovato.eventi[i], veri[j]))
        coppie.emplace_back(Distanza(trovato.eventi[i], veri[j]), j, i);
  std::sort(coppie.begin(), coppie.end());
  for (const sim::EventoCarburante& vero : veri) v.veri.push_back(Confronto{vero});
  for (const auto& [distanza, j, i] : coppie) {
    if (usato[i] || v.veri[j].trovato) continue;
    usato[i] = true;
    v.veri[j].trovato = true;
    v.veri[j].litriTrovati = trovato.eventi[i].litri;
  }
  for (std::size_t i = 0; i < trovato.eventi.size(); ++i)
    if (!usato[i]) v.falsi.push_back(trovato.eventi[i]);
  v.tutti = trovato.eventi;
  v.bilancio = trovato.bilancio.estremi;
  v.scarto = trovato.bilancio.Scarto();
  v.trovato = trovato.bilancio;
  v.scartoVero = esito.verita.ScartoVero();
  v.litriIniziali = esito.verita.litriVeriIniziali;
  v.litriFinali = esito.verita.litriVeriFinali;
  v.bruciati = esito.verita.totale.Litri();
  return v;
}

}  // namespace quarvel::bench
