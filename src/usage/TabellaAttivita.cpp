#include "TabellaAttivita.h"

#include "Localizzazione.h"

namespace quarvel {

TabellaEsportata TabellaAttivita(const AttivitaMese& attivita, const PeriodoMese& mese,
                                 const QString& giorno, const QString& ore) {
  TabellaEsportata t;
  t.titolo = TestoDataBreve(mese.InizioMese);
  t.intestazioni << giorno;
  for (int quarto = 0; quarto < 96; ++quarto)
    t.intestazioni << QString::asprintf("%02d:%02d", quarto / 4, quarto % 4 * 15);
  t.intestazioni << ore;
  for (int g = 1; g <= mese.giorni; ++g) {
    std::vector<CellaEsportata> riga{CellaEsportata::DiTesto(TestoDataBreve(mese.InizioMese + (g - 1) * 86400))};
    int attivi = 0;
    for (int quarto = 0; quarto < 96; ++quarto) {
      const bool attivo = attivita.Attivo(g, quarto / 4, quarto % 4);
      attivi += attivo;
      riga.push_back(CellaEsportata::DiNumero(attivo, 0));
    }
    riga.push_back(CellaEsportata::DiNumero(attivi / 4.0, 2));
    t.righe.push_back(std::move(riga));
  }
  return t;
}

}  // namespace quarvel
