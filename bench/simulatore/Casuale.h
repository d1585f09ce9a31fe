#pragma once
// The simulator's own random numbers: xoshiro256** seeded through
// splitmix64. The std distributions are avoided on purpose: their output
// differs between library versions, and a seed must give the same logger
// files on every machine.
#include <cstdint>

namespace quarvel::simulatore {

class Casuale {
 public:
  explicit Casuale(uint64_t seme) {
    for (uint64_t& parola : s_) {
      seme += 0x9E3779B97F4A7C15ULL;
      uint64_t z = seme;
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
      parola = z ^ (z >> 31);
    }
  }

  uint64_t Prossimo() {
    const uint64_t risultato = Ruota(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Ruota(s_[3], 45);
    return risultato;
  }

  // Uniform in [0, 1), 53 bits.
  double Uniforme() { return double(Prossimo() >> 11) * (1.0 / 9007199254740992.0); }
  // Uniform in [a, b).
  double Tra(double a, double b) { return a + (b - a) * Uniforme(); }
  // Uniform whole number in [a, b].
  int Intero(int a, int b) { return a + int(Uniforme() * double(b - a + 1)); }
  bool Probabile(double p) { return Uniforme() < p; }
  // About normal with mean 0 and deviation 1: four uniforms summed (bounded
  // at +-3.46, which keeps every noise term within known limits).
  double Gauss() {
    const double somma = Uniforme() + Uniforme() + Uniforme() + Uniforme();
    return (somma - 2.0) * 1.7320508075688772;
  }

 private:
  static uint64_t Ruota(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  uint64_t s_[4];
};

}  // namespace quarvel::simulatore
