#pragma once
// The values of the registry window's boxes: how a vehicle's numbers are
// shown, how they are read back, and the fuel-sensor factor. Plain
// functions, no widgets.
#include <QString>
#include <cstdint>
#include <optional>

namespace quarvel {

// The window keeps at most this many vehicles in its list.
inline constexpr int kMezziInElenco = 16;

// A factor as shown in its box: the leading-blank form with a point,
// whatever the user's locale (" 1.2", " 0", "-0.5").
QString TestoFattore(double valore);

// A factor read back from its box: the whole text must be a number, written
// with a point or with the user's decimal separator. Group separators are
// refused, so " 1.234" is never read as 1234 nor "0,500" as 500. Nothing
// when the text is not a number.
std::optional<double> LeggiFattore(const QString& testo);

// A capacity or a height: the number at the start of the text (" 250 litri"
// gives 250, "abc" gives 0) rounded to 16 bits; nothing when it does not fit.
std::optional<int16_t> LeggiMisura(const QString& testo);

// The fuel-sensor factor K = capacity / height / fuel factor, unless a
// divisor is 0 or the fuel factor is so small that K is beyond any number.
enum class ProblemaK { Nessuno, AltezzaZero, FattoreZero, NonFinito };
struct RisultatoK {
  double k = 0;
  ProblemaK problema = ProblemaK::Nessuno;
};
RisultatoK CalcolaKSensore(int16_t capacita, int16_t altezza, double kGasolio);

// K as the window shows it: three decimals in the user's number format,
// without group separators ("0,500" in Italian).
QString TestoK(double k);

}  // namespace quarvel
