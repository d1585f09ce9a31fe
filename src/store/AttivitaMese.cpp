#include "AttivitaMese.h"

#include <algorithm>

namespace quarvel {

bool AttivitaMese::Attivo(int giorno, int ora, int quarto) const {
  if (giorno < 0 || giorno >= kGiorni || ora < 0 || ora >= kOre || quarto < 0 || quarto >= kQuarti)
    return false;
  return attivo_[Indice(giorno, ora, quarto)];
}

void AttivitaMese::Segna(int giorno, int ora, int quarto) {
  if (giorno < 1 || giorno > 31 || ora < 0 || ora > 23 || quarto < 0 || quarto > 3) return;
  attivo_[Indice(giorno, ora, quarto)] = true;
}

bool AttivitaMese::Vuota() const {
  return std::none_of(attivo_.begin(), attivo_.end(), [](bool a) { return a; });
}

}  // namespace quarvel
