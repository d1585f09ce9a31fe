#pragma once
// The samples of one hour, packed column by column into one blob, so that an
// analysis reads a year as a few thousand blobs instead of ten million rows.
//
// The seconds that hold a sample are runs (start, length) inside the hour;
// the samples opening a recording (DatoPT 0) are listed by position. Each
// column is a sequence of integers: the value itself (speeds, engine speed,
// sensor litres), or a real number written with a few decimals and kept as
// the integer of its digits (62.4 is 624 with one decimal). The integers are
// packed at the width their range needs, either as they are or as the
// differences from one to the next (the dashboard counters move a little
// each second), whichever is smaller. A real that no number of decimals
// gives back to the last bit (a database written by another program may
// hold any double) makes its column of that hour plain bytes. A checksum of
// the whole blob closes it: a damaged blob is refused, never read as other
// figures.
#include "Istante.h"
#include "LettureCampioni.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quarvel {

inline constexpr Istante kSecondiOra = 3600;

// The start of the hour holding the instant.
Istante InizioOra(Istante istante);

// The blob of the samples of the hour starting at `ora`: in strictly
// increasing TimeDate, all inside that hour, at least one.
std::vector<uint8_t> CodificaOra(Istante ora, std::span<const LetturaCampione> campioni);

// An hour's blob, checked whole (its checksum and its layout) and then read
// a block of samples at a time: a block small enough to stay in the
// processor's nearest cache while the analysis goes through it. The blob's
// bytes must stay in place until the hour is read.
class OraCompatta {
 public:
  // False when the blob is not one that CodificaOra made for that hour.
  bool Apri(Istante ora, std::span<const uint8_t> dati);
  std::size_t Campioni() const { return n_; }
  // The position of the first sample at or after t (Campioni() when none).
  std::size_t Posizione(Istante t) const;
  // The samples from position `da` into the block, as many as it holds.
  // Blocks are read in order: `da` is not before the end of the last one.
  void Leggi(std::size_t da, std::span<LetturaCampione> blocco);

 private:
  class Lettore;
  // One column: its packing, where its bytes are, and for differences the
  // running value at position `prossimo` - 1.
  struct Colonna {
    uint8_t tipo = 0, decimali = 0, bit = 0;
    int64_t base = 0, primo = 0;
    const uint8_t* dati = nullptr;
    uint64_t q = 0;
    std::size_t prossimo = 0;
    // Its header, and its bytes passed over; dimensione: of a plain value,
    // 0 for an integer column.
    bool Apri(Lettore& l, std::size_t n, std::size_t dimensione);
    void Interi(std::size_t da, std::size_t a, int64_t* valori);
    template <typename T>
    void Reali(std::size_t da, std::size_t a, double* valori);
  };
  static constexpr int kColonne = 7;
  static constexpr std::size_t kParte = 256;  // samples decoded in one go
  void LeggiParte(std::size_t da, std::span<LetturaCampione> parte);

  Istante ora_ = 0;
  std::size_t n_ = 0;
  const uint8_t* inizioTratti_ = nullptr;
  const uint8_t* inizioAperture_ = nullptr;
  uint16_t tratti_ = 0, aperture_ = 0;
  Colonna colonne_[kColonne];
  // Where the last block ended among the runs and the recordings opened.
  int tratto_ = 0, apertura_ = 0;
  std::size_t primoDelTratto_ = 0;
};

// Replaces the content of `campioni` with the samples of the blob. False,
// with `campioni` undefined, when the blob is not one that CodificaOra made
// for that hour.
bool DecodificaOra(Istante ora, std::span<const uint8_t> dati, std::vector<LetturaCampione>& campioni);

}  // namespace quarvel
