#include "CodificaOre.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <utility>

namespace quarvel {

namespace {
// The layout, all little-endian:
//   u8 formato, u16 samples, u16 runs, u16 recordings opened
//   runs: u16 first second in the hour, u16 length
//   recordings: u16 position of the sample with DatoPT 0
//   seven columns (level %, engine speed, road speed, sensor litres, fuel
//   rate, odometer, litre counter), each:
//     u8 kind, u8 decimals, u8 bits, i64 base, [i64 first value: differences]
//     packed integers, or the plain values
//   u64 checksum of everything before it
static_assert(std::endian::native == std::endian::little, "the blobs are read in place");
constexpr uint8_t kFormato = 1;
enum Tipo : uint8_t { kValori = 0, kDifferenze = 1, kGrezzi = 2 };
constexpr int kMassimiDecimali = 9;
constexpr unsigned kMassimiBit = 57;  // a value and its shift fit one 64-bit load
// The integers of a real's digits stay below 2^51: exact in a double, and
// turned into one two at a time (DaIntero).
constexpr double kMassimoIntero = 2251799813685248.0;  // 2^51
constexpr double kPotenze[kMassimiDecimali + 1] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// An integer below 2^51 as a double, without the scalar conversion: it
// becomes the low bits of 1.5 x 2^52, which is then taken away again. The
// compiler turns a loop of these into instructions that do two at a time.
inline double DaIntero(int64_t q) {
  constexpr double kMagia = 6755399441055744.0;  // 1.5 x 2^52
  return std::bit_cast<double>(uint64_t(q) + std::bit_cast<uint64_t>(kMagia)) - kMagia;
}

// The real written with `decimali` decimals as the integer q of its digits.
// The division (not a multiplication by 0.1...) gives for q and 10^d, both
// exact, the double nearest to the decimal number: what reading its text gave.
inline double DaDecimali(int64_t q, int decimali) {
  return decimali == 0 ? DaIntero(q) : DaIntero(q) / kPotenze[decimali];
}

// --- writing ---

class Scrittura {
 public:
  void U8(uint8_t v) { b_.push_back(v); }
  void U16(uint16_t v) { Byte(&v, 2); }
  void I64(int64_t v) { Byte(&v, 8); }
  void Byte(const void* p, std::size_t n) {
    const auto* c = static_cast<const uint8_t*>(p);
    b_.insert(b_.end(), c, c + n);
  }
  // The integers, `bit` bits each, from the lowest bit of the first byte.
  void Impacchetta(std::span<const uint64_t> valori, unsigned bit) {
    if (bit == 0 || valori.empty()) return;
    const std::size_t inizio = b_.size();
    const std::size_t byte = (valori.size() * bit + 7) / 8;
    b_.resize(inizio + byte + 8);  // room for the last 64-bit store
    uint8_t* p = b_.data() + inizio;
    uint64_t posizione = 0;
    for (uint64_t v : valori) {
      uint64_t w;
      std::memcpy(&w, p + (posizione >> 3), 8);
      w |= v << (posizione & 7);
      std::memcpy(p + (posizione >> 3), &w, 8);
      posizione += bit;
    }
    b_.resize(inizio + byte);
  }
  std::vector<uint8_t>& Dati() { return b_; }

 private:
  std::vector<uint8_t> b_;
};

// The integers of a column packed as they are, or as their differences.
void ScriviInteri(Scrittura& s, const std::vector<int64_t>& q, uint8_t decimali) {
  const auto [mn, mx] = std::minmax_element(q.begin(), q.end());
  const unsigned bitValori = unsigned(std::bit_width(uint64_t(*mx) - uint64_t(*mn)));
  int64_t dMin = 0, dMax = 0;
  for (std::size_t i = 1; i < q.size(); ++i) {
    const int64_t d = q[i] - q[i - 1];
    if (i == 1 || d < dMin) dMin = d;
    if (i == 1 || d > dMax) dMax = d;
  }
  const unsigned bitDifferenze = unsigned(std::bit_width(uint64_t(dMax) - uint64_t(dMin)));
  const std::size_t n = q.size();
  const bool differenze = n > 1 && (n - 1) * bitDifferenze + 64 < n * bitValori;
  std::vector<uint64_t> impacchettati;
  impacchettati.reserve(n);
  s.U8(differenze ? kDifferenze : kValori);
  s.U8(decimali);
  if (differenze) {
    s.U8(uint8_t(bitDifferenze));
    s.I64(dMin);
    s.I64(q[0]);
    for (std::size_t i = 1; i < n; ++i) impacchettati.push_back(uint64_t(q[i] - q[i - 1]) - uint64_t(dMin));
    s.Impacchetta(impacchettati, bitDifferenze);
  } else {
    s.U8(uint8_t(bitValori));
    s.I64(*mn);
    for (int64_t v : q) impacchettati.push_back(uint64_t(v) - uint64_t(*mn));
    s.Impacchetta(impacchettati, bitValori);
  }
}

// The fewest decimals that give every value back to the last bit; nothing
// when none do.
template <typename T>
bool Decimali(std::span<const T> valori, std::vector<int64_t>& q, uint8_t& decimali) {
  for (int d = 0; d <= kMassimiDecimali; ++d) {
    q.clear();
    bool esatti = true;
    for (T v : valori) {
      const double x = double(v) * kPotenze[d];
      if (!(std::fabs(x) < kMassimoIntero)) {  // also NaN
        esatti = false;
        break;
      }
      const auto intero = int64_t(std::nearbyint(x));
      const T ritorno = T(DaDecimali(intero, d));
      if (std::memcmp(&ritorno, &v, sizeof v) != 0) {  // -0.0 is not 0
        esatti = false;
        break;
      }
      q.push_back(intero);
    }
    if (esatti) {
      decimali = uint8_t(d);
      return true;
    }
  }
  return false;
}

template <typename T>
void ScriviReali(Scrittura& s, std::span<const T> valori) {
  std::vector<int64_t> q;
  uint8_t decimali = 0;
  if (Decimali(valori, q, decimali)) return ScriviInteri(s, q, decimali);
  s.U8(kGrezzi);
  s.U8(0);
  s.U8(0);
  s.I64(0);
  s.Byte(valori.data(), valori.size() * sizeof(T));
}

// A 64-bit checksum, four words at a time in four lanes: a few
// microseconds for the blob of an hour.
uint64_t Impronta(const uint8_t* p, std::size_t n) {
  constexpr uint64_t k = 0x9E3779B97F4A7C15ull;
  uint64_t h[4] = {n, k, ~n, 0x6A09E667F3BCC909ull};
  std::size_t i = 0;
  for (; i + 32 <= n; i += 32)
    for (int l = 0; l < 4; ++l) {
      uint64_t w;
      std::memcpy(&w, p + i + 8 * l, 8);
      h[l] = (h[l] ^ w) * k;
      h[l] ^= h[l] >> 31;
    }
  uint64_t r = 0;
  for (; i < n; ++i) r = (r ^ p[i]) * k;
  for (uint64_t x : h) {
    r = (r ^ x) * k;
    r ^= r >> 29;
  }
  return r;
}

// --- reading ---

template <typename T>
T Grezzo(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

uint16_t U16(const uint8_t* p) { return Grezzo<uint16_t>(p); }

// n integers of B bits each, from the one at position da, into out. Eight
// of them start on a byte boundary, so within such a group every load and
// shift is a constant. The packed bytes have at least 8 more after them
// (the checksum at least): every value is one unaligned 64-bit load.
template <unsigned B>
void Spacchetta(const uint8_t* p, std::size_t da, std::size_t n, uint64_t* out) {
  if constexpr (B == 0) {
    std::fill_n(out, n, uint64_t(0));
  } else {
    constexpr uint64_t m = ~uint64_t(0) >> (64 - B);
    auto uno = [p](std::size_t i) {
      const uint64_t posizione = i * B;
      uint64_t w;
      std::memcpy(&w, p + (posizione >> 3), 8);
      return (w >> (posizione & 7)) & m;
    };
    std::size_t i = 0;
    for (; i < n && ((da + i) & 7) != 0; ++i) out[i] = uno(da + i);
    for (; i + 8 <= n; i += 8) {
      const uint8_t* g = p + (da + i) / 8 * B;
      [&]<std::size_t... j>(std::index_sequence<j...>) {
        ((out[i + j] = [g] {
           uint64_t w;
           std::memcpy(&w, g + j * B / 8, 8);
           return (w >> (j * B % 8)) & m;
         }()),
         ...);
      }(std::make_index_sequence<8>());
    }
    for (; i < n; ++i) out[i] = uno(da + i);
  }
}

using FunzioneSpacchetta = void (*)(const uint8_t*, std::size_t, std::size_t, uint64_t*);
template <std::size_t... B>
constexpr std::array<FunzioneSpacchetta, sizeof...(B)> Tabella(std::index_sequence<B...>) {
  return {&Spacchetta<unsigned(B)>...};
}
// One routine for each width.
constexpr auto kSpacchetta = Tabella(std::make_index_sequence<kMassimiBit + 1>());
}  // namespace

Istante InizioOra(Istante istante) {
  Istante resto = istante % kSecondiOra;
  if (resto < 0) resto += kSecondiOra;
  return istante - resto;
}

std::vector<uint8_t> CodificaOra(Istante ora, std::span<const LetturaCampione> c) {
  const std::size_t n = c.size();
  Scrittura s;
  s.Dati().reserve(64 + n * 8);
  // The runs of consecutive seconds (start, length), and the recordings opened.
  std::vector<uint16_t> tratti, aperture;
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && c[i].TimeDate == c[i - 1].TimeDate + 1) ++tratti.back();
    else tratti.insert(tratti.end(), {uint16_t(c[i].TimeDate - ora), 1});
    if (c[i].apreViaggio) aperture.push_back(uint16_t(i));
  }
  s.U8(kFormato);
  s.U16(uint16_t(n));
  s.U16(uint16_t(tratti.size() / 2));
  s.U16(uint16_t(aperture.size()));
  for (uint16_t v : tratti) s.U16(v);
  for (uint16_t v : aperture) s.U16(v);

  auto colonna = [&](auto campo) {
    using T = std::remove_cvref_t<decltype(c[0].*campo)>;
    std::vector<T> valori(n);
    for (std::size_t i = 0; i < n; ++i) valori[i] = c[i].*campo;
    if constexpr (std::is_integral_v<T>) ScriviInteri(s, std::vector<int64_t>(valori.begin(), valori.end()), 0);
    else ScriviReali<T>(s, valori);
  };
  colonna(&LetturaCampione::livelloPercento);
  colonna(&LetturaCampione::giriMotore);
  colonna(&LetturaCampione::velocita);
  colonna(&LetturaCampione::sensoreLitri);
  colonna(&LetturaCampione::gasolio);
  colonna(&LetturaCampione::km);
  colonna(&LetturaCampione::litri);
  const uint64_t impronta = Impronta(s.Dati().data(), s.Dati().size());
  s.Byte(&impronta, 8);
  return std::move(s.Dati());
}

// The blob's fields in order, never past its end.
class OraCompatta::Lettore {
 public:
  explicit Lettore(std::span<const uint8_t> d) : p_(d.data()), fine_(d.data() + d.size()) {}
  bool Ok() const { return ok_; }
  const uint8_t* Posizione() const { return p_; }
  template <typename T>
  T Valore() {
    T v{};
    if (!Avanza(sizeof v)) return v;
    std::memcpy(&v, p_ - sizeof v, sizeof v);
    return v;
  }
  // n bytes further on; false past the end.
  bool Avanza(std::size_t n) {
    if (!ok_ || std::size_t(fine_ - p_) < n) return ok_ = false;
    p_ += n;
    return true;
  }

 private:
  const uint8_t* p_;
  const uint8_t* fine_;
  bool ok_ = true;
};

bool OraCompatta::Colonna::Apri(Lettore& l, std::size_t n, std::size_t dimensione) {
  tipo = l.Valore<uint8_t>();
  decimali = l.Valore<uint8_t>();
  bit = l.Valore<uint8_t>();
  base = l.Valore<int64_t>();
  const bool reale = dimensione != 0;
  if (!l.Ok() || tipo > kGrezzi || decimali > (reale ? kMassimiDecimali : 0) || bit > kMassimiBit)
    return false;
  primo = tipo == kDifferenze ? l.Valore<int64_t>() : 0;
  dati = l.Posizione();
  prossimo = 0;
  if (tipo == kGrezzi) return reale && decimali == 0 && bit == 0 && base == 0 && l.Avanza(n * dimensione);
  const std::size_t quanti = tipo == kDifferenze ? n - 1 : n;
  return l.Avanza((quanti * bit + 7) / 8);
}

// The integers of positions da..a-1 (at most kParte) into valori.
void OraCompatta::Colonna::Interi(std::size_t da, std::size_t a, int64_t* valori) {
  uint64_t impacchettati[kParte];
  const FunzioneSpacchetta spacchetta = kSpacchetta[bit];
  const auto u = uint64_t(base);
  if (tipo == kValori) {
    spacchetta(dati, da, a - da, impacchettati);
    for (std::size_t k = 0; k < a - da; ++k) valori[k] = int64_t(u + impacchettati[k]);
    return;
  }
  // Differences: the value at position i > 0 is the one before it plus the
  // difference packed at i - 1; the running value goes on from the last
  // part read.
  uint64_t v = q;
  std::size_t i = prossimo;
  if (i == 0) {
    v = uint64_t(primo);
    i = 1;
    if (da == 0 && a > 0) valori[0] = int64_t(v);
  }
  while (i < da) {  // a period that starts inside the hour
    const std::size_t n = std::min(da - i, kParte);
    spacchetta(dati, i - 1, n, impacchettati);
    for (std::size_t k = 0; k < n; ++k) v += u + impacchettati[k];
    i += n;
  }
  if (i < a) {
    spacchetta(dati, i - 1, a - i, impacchettati);
    for (std::size_t k = 0; i < a; ++i, ++k) {
      v += u + impacchettati[k];
      valori[i - da] = int64_t(v);
    }
  }
  q = v;
  prossimo = std::max(i, prossimo);
}

// The reals of positions da..a-1 (at most kParte) into valori, exactly as
// DaDecimali gives them (a float column's values are exact in a double).
template <typename T>
void OraCompatta::Colonna::Reali(std::size_t da, std::size_t a, double* valori) {
  if (tipo == kGrezzi) {
    for (std::size_t i = da; i < a; ++i) valori[i - da] = double(Grezzo<T>(dati + i * sizeof(T)));
    return;
  }
  int64_t interi[kParte];
  Interi(da, a, interi);
  // Loops without branches over arrays: two values per instruction.
  const std::size_t n = a - da;
  if (decimali == 0) {
    for (std::size_t k = 0; k < n; ++k) valori[k] = DaIntero(interi[k]);
    return;
  }
  const double potenza = kPotenze[decimali];
  for (std::size_t k = 0; k < n; ++k) valori[k] = DaIntero(interi[k]) / potenza;
}

bool OraCompatta::Apri(Istante ora, std::span<const uint8_t> dati) {
  n_ = 0;
  if (dati.size() < 8 + 7) return false;
  uint64_t impronta;
  std::memcpy(&impronta, dati.data() + dati.size() - 8, 8);
  if (Impronta(dati.data(), dati.size() - 8) != impronta) return false;
  Lettore l(dati.first(dati.size() - 8));
  const auto formato = l.Valore<uint8_t>();
  const auto n = l.Valore<uint16_t>();
  tratti_ = l.Valore<uint16_t>();
  aperture_ = l.Valore<uint16_t>();
  if (!l.Ok() || formato != kFormato || n == 0 || n > kSecondiOra || tratti_ == 0 || tratti_ > n ||
      aperture_ > n)
    return false;
  // The runs in increasing order, inside the hour, n seconds in all.
  inizioTratti_ = l.Posizione();
  std::size_t somma = 0;
  for (int t = 0, dopo = 0; t < tratti_; ++t) {
    const int inizio = l.Valore<uint16_t>(), lunghezza = l.Valore<uint16_t>();
    if (!l.Ok() || inizio < dopo || lunghezza == 0 || inizio + lunghezza > kSecondiOra) return false;
    somma += std::size_t(lunghezza);
    dopo = inizio + lunghezza;
  }
  // The recordings opened, at increasing positions.
  inizioAperture_ = l.Posizione();
  for (int a = 0, precedente = -1; a < aperture_; ++a) {
    const int posizione = l.Valore<uint16_t>();
    if (!l.Ok() || posizione <= precedente || posizione >= n) return false;
    precedente = posizione;
  }
  const std::size_t dimensioni[kColonne] = {sizeof(float), 0, 0, 0, sizeof(double), sizeof(double),
                                            sizeof(double)};
  for (int c = 0; c < kColonne; ++c)
    if (!colonne_[c].Apri(l, n, dimensioni[c])) return false;
  if (somma != n || l.Posizione() != dati.data() + dati.size() - 8) return false;
  ora_ = ora;
  n_ = n;
  tratto_ = apertura_ = 0;
  primoDelTratto_ = 0;
  return true;
}

std::size_t OraCompatta::Posizione(Istante t) const {
  std::size_t i = 0;
  for (int k = 0; k < tratti_; ++k) {
    const Istante inizio = ora_ + U16(inizioTratti_ + 4 * k);
    const std::size_t lunghezza = U16(inizioTratti_ + 4 * k + 2);
    if (t < inizio) return i;
    if (t < inizio + Istante(lunghezza)) return i + std::size_t(t - inizio);
    i += lunghezza;
  }
  return i;
}

void OraCompatta::Leggi(std::size_t da, std::span<LetturaCampione> blocco) {
  for (std::size_t k = 0; k < blocco.size(); k += kParte)
    LeggiParte(da + k, blocco.subspan(k, std::min(kParte, blocco.size() - k)));
}

void OraCompatta::LeggiParte(std::size_t da, std::span<LetturaCampione> c) {
  // Every column into an array of its own, then every sample written whole
  // in one pass: the part's arrays and samples stay in the nearest cache.
  const std::size_t a = da + c.size(), n = c.size();
  Istante secondi[kParte];
  bool apre[kParte] = {};
  double livelli[kParte], gasolio[kParte], km[kParte], litri[kParte];
  int64_t giri[kParte], velocita[kParte], sensore[kParte];
  // The seconds, run by run.
  for (std::size_t i = da; i < a;) {
    std::size_t lunghezza = U16(inizioTratti_ + 4 * tratto_ + 2);
    while (primoDelTratto_ + lunghezza <= i) {
      primoDelTratto_ += lunghezza;
      lunghezza = U16(inizioTratti_ + 4 * ++tratto_ + 2);
    }
    const Istante t = ora_ + U16(inizioTratti_ + 4 * tratto_) + Istante(i - primoDelTratto_);
    const std::size_t fino = std::min(a, primoDelTratto_ + lunghezza);
    for (std::size_t k = 0; k < fino - i; ++k) secondi[i - da + k] = t + Istante(k);
    i = fino;
  }
  for (; apertura_ < aperture_; ++apertura_) {
    const std::size_t posizione = U16(inizioAperture_ + 2 * apertura_);
    if (posizione >= a) break;
    if (posizione >= da) apre[posizione - da] = true;
  }
  colonne_[0].Reali<float>(da, a, livelli);
  colonne_[1].Interi(da, a, giri);
  colonne_[2].Interi(da, a, velocita);
  colonne_[3].Interi(da, a, sensore);
  colonne_[4].Reali<double>(da, a, gasolio);
  colonne_[5].Reali<double>(da, a, km);
  colonne_[6].Reali<double>(da, a, litri);
  for (std::size_t k = 0; k < n; ++k) {
    LetturaCampione& l = c[k];
    l.TimeDate = secondi[k];
    l.apreViaggio = apre[k];
    // The level as stored, and rounded as the analysis compares it.
    l.livelloPercento = float(livelli[k]);
    l.livello = LivelloIntero(l.livelloPercento);
    l.giriMotore = int16_t(giri[k]);
    l.velocita = int16_t(velocita[k]);
    l.sensoreLitri = int16_t(sensore[k]);
    l.gasolio = gasolio[k];
    l.km = km[k];
    l.litri = litri[k];
  }
}

bool DecodificaOra(Istante ora, std::span<const uint8_t> dati, std::vector<LetturaCampione>& c) {
  OraCompatta o;
  if (!o.Apri(ora, dati)) return false;
  c.resize(o.Campioni());
  o.Leggi(0, c);
  return true;
}

}  // namespace quarvel
