#pragma once
// Number conversions shared by every part of Quarvel. They reproduce the
// rules the logger files, the settings file and the reports have always
// followed: lenient reading, rounding halves to even, the leading-blank form.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quarvel {

// Whether a lenient reading takes an exponent. The logger's lines may carry
// one; the settings file, the language files and the alert boxes never do,
// so there "1e1" reads as 1.
enum class Esponente { Accettato, Escluso };

// Reads a number leniently from the start of a text: leading blanks are
// skipped, then an optional sign, digits, one decimal point and (when
// accepted) an exponent are taken up to the first other character. An empty
// or non-numeric text gives 0 ("12abc" gives 12, "abc" gives 0, "2,6" 2).
double LeggiNumero(std::string_view testo, Esponente esponente = Esponente::Accettato);
double LeggiNumero(QStringView testo, Esponente esponente = Esponente::Accettato);

// Same reading, also telling where the number ended (index of the first
// character not taken) and whether any digit was seen.
struct NumeroLetto {
  double valore = 0;
  std::size_t fine = 0;
  bool cifre = false;
};
NumeroLetto LeggiNumeroDettagli(std::string_view testo,
                                Esponente esponente = Esponente::Accettato);

// Rounds to the nearest integer, halves to the even neighbour, and checks
// the range: nothing when the result does not fit (or is not a number).
std::optional<int16_t> Intero16(double valore);
std::optional<int32_t> Intero32(double valore);

// The leading-blank form: a blank where a minus sign would stand (" 250",
// " 0", "-1").
QString TestoConSegno(long long numero);

// True when the whole text (blanks around it allowed) is a number, written
// with a point or with the user's decimal separator. Empty is not a number,
// and neither is a text with a group separator in any locale.
bool TestoNumerico(const QString& testo);
// The value of such a text; nothing when it is not a number.
std::optional<double> ValoreTesto(const QString& testo);

// The value rounded half up to the given number of decimals: the integer part
// of value x 10^cifre + 0.5, divided by 10^cifre.
double Arrotonda(double valore, int cifre);

}  // namespace quarvel
