#include "TracciaMese.h"

namespace quarvel {

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

namespace {
// SlotDi with the calendar worked out once a day: the slots of a busy month
// come 96 a day, and the calendar costs more than reading them.
class SlotDelGiorno {
 public:
  SlotAttivita operator()(Istante istante) {
    Istante secondi = istante - mezzanotte_;
    if (giorno_ == 0 || secondi < 0 || secondi >= kSecondiGiorno) {
      const DataOra d = Scomponi(istante);
      giorno_ = d.giorno;
      secondi = d.ora * 3600 + d.minuto * 60 + d.secondo;
      mezzanotte_ = istante - secondi;
    }
    return {giorno_, int(secondi / 3600), int(secondi % 3600 / kSecondiQuarto)};
  }

 private:
  Istante mezzanotte_ = 0;
  int giorno_ = 0;
};

// Marks and reports the quarter-hours that `cerca` finds.
RisultatoTraccia Traccia(AttivitaMese& attivita, const NuovoSlot& nuovoSlot,
                         const std::function<QString(const QuartoAttivo&)>& cerca) {
  attivita.Azzera();
  RisultatoTraccia r;
  SlotDelGiorno slotDi;
  r.errore = cerca([&](Istante inizio) {
    const SlotAttivita s = slotDi(inizio);
    attivita.Segna(s.giorno, s.ora, s.quarto);
    ++r.slotAttivi;
    if (nuovoSlot) nuovoSlot(s);
  });
  if (!r.errore.isEmpty()) {
    attivita.Azzera();
    r.esito = EsitoTraccia::ErroreDatabase;
    r.slotAttivi = 0;
  } else {
    r.esito = r.slotAttivi ? EsitoTraccia::Completa : EsitoTraccia::Vuota;
  }
  return r;
}
}  // namespace

RisultatoTraccia AnalisiTrackmese2(AttivitaLogs& db, const PeriodoMese& mese,
                                   AttivitaMese& attivita, const NuovoSlot& nuovoSlot) {
  return Traccia(attivita, nuovoSlot, [&](const QuartoAttivo& quarto) {
    return db.QuartiAttivi(mese.InizioMese, mese.FineMese, quarto);
  });
}

RisultatoTraccia AnalisiTrackmese2(CursoreLogs& campioni, AttivitaMese& attivita,
                                   const NuovoSlot& nuovoSlot) {
  return Traccia(attivita, nuovoSlot,
                 [&](const QuartoAttivo& quarto) { return CercaQuartiAttivi(campioni, quarto); });
}

}  // namespace quarvel
