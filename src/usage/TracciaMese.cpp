#include "TracciaMese.h"

namespace quarvel {

namespace {
constexpr Istante kQuarto = 15 * 60;

// The start of the quarter-hour holding the instant. Instants are wall-clock
// seconds without a time zone, so every quarter-hour lasts 900 seconds.
Istante InizioQuarto(Istante istante) {
  Istante resto = istante % kQuarto;
  if (resto < 0) resto += kQuarto;
  return istante - resto;
}
}  // namespace

std::optional<PeriodoMese> CalcolaPeriodoMese(int anno, int mese) {
  const int giorni = GiorniNelMese(anno, mese);
  const std::optional<Istante> inizio = IstanteDa(anno, mese, 1);
  const std::optional<Istante> fine = IstanteDa(anno, mese, giorni, 23, 59, 59);
  if (!inizio || !fine) return std::nullopt;
  return PeriodoMese{*inizio, *fine, giorni};
}

SlotAttivita SlotDi(Istante istante) {
  const DataOra d = Scomponi(istante);
  return {d.giorno, d.ora, d.minuto / 15};
}

RisultatoTraccia AnalisiTrackmese2(CursoreLogs& campioni, AttivitaMese& attivita,
                                   const NuovoSlot& nuovoSlot) {
  attivita.Azzera();
  RisultatoTraccia r;
  for (campioni.Primo(); !campioni.AllaFine();
       campioni.PrimoDa(InizioQuarto(campioni.TimeDate()) + kQuarto)) {
    const SlotAttivita s = SlotDi(campioni.TimeDate());
    attivita.Segna(s.giorno, s.ora, s.quarto);
    ++r.slotAttivi;
    if (nuovoSlot) nuovoSlot(s);
  }
  r.errore = campioni.Errore();
  if (!r.errore.isEmpty()) {
    attivita.Azzera();
    r.esito = EsitoTraccia::ErroreDatabase;
    r.slotAttivi = 0;
  } else {
    r.esito = r.slotAttivi ? EsitoTraccia::Completa : EsitoTraccia::Vuota;
  }
  return r;
}

}  // namespace quarvel
