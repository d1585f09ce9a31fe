#pragma once
// The columns of a sample that the analyses read, a block at a time. The
// analyses walk a period through a SorgenteLetture; the cursor of Logs is
// one source (the reference), the per-hour data kept beside Logs another.
#include "Conversioni.h"
#include "Istante.h"
#include "Logs.h"

#include <QString>
#include <cstdint>
#include <span>
#include <vector>
#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace quarvel {

// One sample, in the types the analyses compute with.
struct LetturaCampione {
  Istante TimeDate = 0;
  bool apreViaggio = false;  // DatoPT 0: the first sample of a recording
  float livelloPercento = 0; // Dato2 as stored; -1: no reading
  int16_t livello = 0;       // the same rounded halves to even; <= 0: no reading
  int16_t giriMotore = 0;    // above 0: engine on
  int16_t velocita = 0;      // km/h; -1: no reading
  int16_t sensoreLitri = 0;  // Dato14, fuel-sensor litres; -1: no reading
  double gasolio = 0;        // fuel rate in 0.05 l/h; -1: no reading
  double km = 0;             // dashboard odometer
  double litri = 0;          // dashboard litre counter
  bool operator==(const LetturaCampione&) const = default;
};

// The reading of a whole sample record.
LetturaCampione Lettura(const CampioneLog& c);

// The level rounded to an integer as Lettura does it (halves to even; 0 when
// it does not fit 16 bits or is no number), without a call into the maths
// library: the packed hours round ten million levels a year.
inline int16_t LivelloIntero(float livello) {
#if defined(__SSE2__)
  // Rounds as the processor is set to, halves to even like nearbyint; gives
  // INT32_MIN for a NaN or a value beyond 32 bits.
  const int r = _mm_cvtss_si32(_mm_set_ss(livello));
  return r >= INT16_MIN && r <= INT16_MAX ? int16_t(r) : int16_t(0);
#else
  return Intero16(livello).value_or(0);
#endif
}

// The samples of a period in time order.
class SorgenteLetture {
 public:
  virtual ~SorgenteLetture() = default;
  // The next samples; empty once the period is walked, or when the engine
  // failed (Errore() then says why, and the figures must not be shown).
  virtual std::span<const LetturaCampione> Prossime() = 0;
  virtual QString Errore() const = 0;
};

// Through a cursor, from its first record to its end (where it is left).
class LettureDaCursore final : public SorgenteLetture {
 public:
  explicit LettureDaCursore(CursoreLogs& cursore) : cursore_(cursore) {}
  std::span<const LetturaCampione> Prossime() override;
  QString Errore() const override { return cursore_.Errore(); }

 private:
  CursoreLogs& cursore_;
  std::vector<LetturaCampione> blocco_;
  bool iniziato_ = false;
};

}  // namespace quarvel
