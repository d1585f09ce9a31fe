#pragma once
// A month's activity both ways: from the table beside the samples, as the
// usage window and quarvel-batch read it, and by seeking the samples
// themselves. Only the store shows whether either skips a slot.
#include "TracciaMese.h"

#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace quarvel {

using Slot = std::tuple<int, int, int>;
inline std::set<Slot> Attivi(const AttivitaMese& attivita) {
  std::set<Slot> a;
  for (int g = 0; g < AttivitaMese::kGiorni; ++g)
    for (int h = 0; h < AttivitaMese::kOre; ++h)
      for (int q = 0; q < AttivitaMese::kQuarti; ++q)
        if (attivita.Attivo(g, h, q)) a.insert({g, h, q});
  return a;
}

// Both ways must agree in everything; the table's result is returned, with
// the slots it reported in order and whether it was up to date.
inline RisultatoTraccia TracciaVerificata(const QString& percorso, const PeriodoMese& p, AttivitaMese& attivita,
                                          std::vector<SlotAttivita>* riportati = nullptr,
                                          bool* aggiornato = nullptr) {
  std::vector<SlotAttivita> daiCampioni, dallaTabella;
  AttivitaMese cercata;
  DatabaseLogs campioni;
  EXPECT_TRUE(campioni.Apri(percorso, p.InizioMese, p.FineMese));
  const RisultatoTraccia rc =
      AnalisiTrackmese2(campioni.Cursore(), cercata, [&](const SlotAttivita& s) { daiCampioni.push_back(s); });
  campioni.Chiudi();
  AttivitaLogs tabella;
  EXPECT_TRUE(tabella.Apri(percorso));
  if (aggiornato) *aggiornato = tabella.Aggiornato();
  const RisultatoTraccia rt =
      AnalisiTrackmese2(tabella, p, attivita, [&](const SlotAttivita& s) { dallaTabella.push_back(s); });
  EXPECT_EQ(rt.esito, rc.esito);
  EXPECT_EQ(rt.slotAttivi, rc.slotAttivi);
  EXPECT_EQ(Attivi(attivita), Attivi(cercata));
  EXPECT_EQ(dallaTabella, daiCampioni);
  if (riportati) *riportati = dallaTabella;
  return rt;
}

}  // namespace quarvel
