// Development check: the detector on a few seeds, every event listed.
#include "Istante.h"
#include "ValutaCarburante.h"

#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <string>

using namespace quarvel;

static std::string T(Istante t) {
  const DataOra d = Scomponi(t);
  char s[32];
  std::snprintf(s, sizeof s, "%02d/%02d %02d:%02d:%02d", d.giorno, d.mese, d.ora, d.minuto, d.secondo);
  return s;
}

int main(int argc, char** argv) {
  const int da = argc > 1 ? std::atoi(argv[1]) : 1001;
  const int a = argc > 2 ? std::atoi(argv[2]) : da;
  const int giorni = argc > 3 ? std::atoi(argv[3]) : 30;
  const bool sensore = argc > 4 && std::string(argv[4]) == "s";
  const bool dettagli = std::getenv("DETTAGLI") != nullptr;
  int tot = 0, trovati = 0, volumi = 0, falsi = 0;
  double peggiore = 0, peggioreScarto = 0;
  for (int seme = da; seme <= a; ++seme) {
    simulatore::Opzioni o;
    o.giorni = giorni;
    o.seme = uint64_t(seme);
    if (const char* e = std::getenv("ORE")) o.ore = std::atof(e);
    if (const char* e = std::getenv("CAPACITA")) o.capacita = std::atof(e);
    if (const char* e = std::getenv("PERDITA")) o.perditaMarcia = std::atof(e);
    o.tuttiIGiorni = std::getenv("TUTTI") != nullptr;
    const bench::Valutazione v = bench::Valuta(o, sensore);
    std::printf("seme %d: %lld campioni, scarto %.1f (vero %.1f)\n", seme, (long long)v.campioni,
                v.scarto, v.scartoVero);
    double r = 0, pr = 0;
    for (const auto& c : v.veri) (c.vero.rifornimento ? r : pr) += c.vero.litri;
    std::printf("  verita chiusa a %.2f L\n", v.litriFinali - (v.litriIniziali + r - pr - v.bruciati - v.scartoVero));
    std::printf("  iniziali %.1f (%.1f) finali %.1f (%.1f) consumati %.1f (%.1f) riforniti %.1f prelevati %.1f\n",
                v.trovato.iniziali, v.litriIniziali, v.trovato.finali, v.litriFinali,
                v.trovato.consumati, v.bruciati, v.trovato.riforniti, v.trovato.prelevati);
    for (const auto& c : v.veri) {
      ++tot;
      trovati += c.trovato;
      volumi += c.VolumeBuono();
      if (c.trovato) peggiore = std::max(peggiore, std::abs(c.litriTrovati - c.vero.litri));
    }
    falsi += int(v.falsi.size());
    peggioreScarto = std::max(peggioreScarto, std::abs(v.scarto - v.scartoVero));
    for (const auto& c : v.veri)
      if (dettagli || !c.VolumeBuono()) std::printf("  %s %s %s..%s %.1f -> %s %.1f\n", c.vero.rifornimento ? "RIF" : "PRE",
                  c.vero.motoreSpento ? "spento" : "minimo", T(c.vero.inizio).c_str(),
                  T(c.vero.fine).c_str(), c.vero.litri, c.trovato ? (c.VolumeBuono() ? "ok" : "VOLUME") : "MANCA",
                  c.litriTrovati);
    if (std::getenv("TUTTI_TROVATI"))
      for (const auto& f : v.tutti)
        std::printf("  TROVATO %s %s %s..%s %.1f (%.1f -> %.1f)\n",
                    f.tipo == TipoEventoCarburante::Rifornimento ? "RIF" : "PRE",
                    f.motore == MotoreEvento::Spento ? "spento" : "minimo", T(f.inizio).c_str(),
                    T(f.fine).c_str(), f.litri, f.litriPrima, f.litriDopo);
    for (const auto& f : v.falsi)
      std::printf("  FALSO %s %s %s..%s %.1f (%.1f -> %.1f)\n",
                  f.tipo == TipoEventoCarburante::Rifornimento ? "RIF" : "PRE",
                  f.motore == MotoreEvento::Spento ? "spento" : "minimo", T(f.inizio).c_str(),
                  T(f.fine).c_str(), f.litri, f.litriPrima, f.litriDopo);
  }
  std::printf("trovati %d/%d, volume buono %d, falsi %d, errore peggiore %.1f L, scarto peggiore %.1f L\n",
              trovati, tot, volumi, falsi, peggiore, peggioreScarto);
}
