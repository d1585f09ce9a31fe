#pragma once
// Which quarter-hours of one month hold at least one logged sample. Indexed
// by day 0..31, hour 0..24 and quarter 0..4 so that loops over those bounds
// stay valid, but only the real slots (day 1..31, hour 0..23, quarter 0..3)
// are ever set. Filled by the month scan, painted by the usage window and
// printed by the usage report.
#include <array>

namespace quarvel {

class AttivitaMese {
 public:
  static constexpr int kGiorni = 32, kOre = 25, kQuarti = 5;

  // False outside the bounds.
  bool Attivo(int giorno, int ora, int quarto) const;
  // Marks a real slot; anything else is ignored.
  void Segna(int giorno, int ora, int quarto);
  void Azzera() { attivo_.fill(false); }
  bool Vuota() const;

 private:
  static int Indice(int giorno, int ora, int quarto) { return (giorno * kOre + ora) * kQuarti + quarto; }
  std::array<bool, kGiorni * kOre * kQuarti> attivo_{};
};

}  // namespace quarvel
