#pragma once
// The consumption analysis as the benchmarks run it from the packed hours,
// and the check that two runs gave the same figures. Link
// quarvel_consumption.
#include "AnalisiConsumi.h"
#include "LetturePeriodo.h"

#include <algorithm>

namespace quarvel::bench {

// The analysis of the period from the source the window gets; whether that
// was the packed hours in `compatte`.
inline RisultatoAnalisi AnalisiScelta(const QString& percorso, Istante inizio, Istante fine,
                                      const ParametriAnalisi& p, bool* compatte) {
  LetturePeriodo letture;
  letture.Apri(percorso, inizio, fine);
  *compatte = letture.Compatte();
  return AnalisiTotale(letture, p);
}

// Every reading of the period from that source, and nothing else: the rate
// at which the columns come out of the blobs. The samples read.
inline int64_t SoloLettura(const QString& percorso, Istante inizio, Istante fine, bool* compatte) {
  LetturePeriodo letture;
  letture.Apri(percorso, inizio, fine);
  *compatte = letture.Compatte();
  int64_t n = 0;
  for (auto blocco = letture.Prossime(); !blocco.empty(); blocco = letture.Prossime())
    n += int64_t(blocco.size());
  return n;
}

// The same captions and lists.
inline bool StesseCifre(const RisultatoAnalisi& a, const RisultatoAnalisi& b) {
  return a.carichi == b.carichi && a.anomalie == b.anomalie && a.didascalie.size() == b.didascalie.size() &&
         std::equal(a.didascalie.begin(), a.didascalie.end(), b.didascalie.begin(),
                    [](const Didascalia& x, const Didascalia& y) { return x.testo == y.testo; });
}

}  // namespace quarvel::bench
