#include "RigheSimulate.h"

#include "Simulatore.h"

#include <cstdio>

namespace quarvel {

namespace {
class InMemoria : public simulatore::Destinazione {
 public:
  std::string testo;
  bool NuovoFile(const std::string&) override { return true; }
  bool Riga(std::string_view riga) override {
    testo.append(riga);
    testo.append("\r\n");
    return true;
  }
  bool ChiudiFile() override { return true; }
  std::string Errore() const override { return {}; }
};
}  // namespace

std::string GeneraRighe(int giorni, unsigned seme) {
  simulatore::Opzioni o;
  o.dal = *IstanteDa(2026, 12, 1);
  o.giorni = giorni;
  o.seme = seme;
  o.ore = 24;
  o.tuttiIGiorni = true;
  InMemoria destinazione;
  destinazione.testo.reserve(std::size_t(giorni) * 9'000'000);
  const auto esito = simulatore::Simula(o, destinazione);
  if (!esito.errore.empty()) std::fprintf(stderr, "%s\n", esito.errore.c_str());
  return std::move(destinazione.testo);
}

}  // namespace quarvel
