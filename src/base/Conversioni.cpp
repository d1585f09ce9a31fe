#include "Conversioni.h"

#include "Localizzazione.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quarvel {

namespace {
bool Cifra(char c) { return c >= '0' && c <= '9'; }
}  // namespace

NumeroLetto LeggiNumeroDettagli(std::string_view t, Esponente ammesso) {
  NumeroLetto r;
  std::size_t i = 0;
  const std::size_t n = t.size();
  while (i < n && (t[i] == ' ' || t[i] == '\t')) ++i;
  bool negativo = false;
  if (i < n && (t[i] == '+' || t[i] == '-')) {
    negativo = t[i] == '-';
    ++i;
  }
  // Integer part accumulated exactly while it fits; the slow path below
  // handles anything longer or with decimals so no precision is lost.
  const std::size_t inizioNumero = i;
  uint64_t intero = 0;
  int cifreIntere = 0;
  while (i < n && Cifra(t[i])) {
    if (cifreIntere < 18) intero = intero * 10 + uint64_t(t[i] - '0');
    ++cifreIntere;
    ++i;
  }
  bool decimali = false;
  if (i < n && t[i] == '.') {
    std::size_t j = i + 1;
    while (j < n && Cifra(t[j])) ++j;
    if (j > i + 1 || cifreIntere > 0) {
      decimali = j > i + 1;
      i = j;
    }
  }
  r.cifre = cifreIntere > 0 || decimali;
  if (!r.cifre) {
    r.fine = 0;
    return r;
  }
  bool esponente = false;
  if (ammesso == Esponente::Accettato && i < n && (t[i] == 'e' || t[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (t[j] == '+' || t[j] == '-')) ++j;
    if (j < n && Cifra(t[j])) {
      while (j < n && Cifra(t[j])) ++j;
      i = j;
      esponente = true;
    }
  }
  r.fine = i;
  if (!decimali && !esponente && cifreIntere <= 18) {
    r.valore = negativo ? -double(intero) : double(intero);
    return r;
  }
  // from_chars rounds as strtod does without copying the text (the import
  // reads millions of decimals); out of range, strtod gives inf or 0.
  double v = 0;
  const char* inizio = t.data() + inizioNumero;
  if (std::from_chars(inizio, t.data() + i, v).ec != std::errc()) {
    const std::string copia(inizio, i - inizioNumero);
    v = std::strtod(copia.c_str(), nullptr);
  }
  r.valore = negativo ? -v : v;
  return r;
}

double LeggiNumero(std::string_view testo, Esponente esponente) {
  return LeggiNumeroDettagli(testo, esponente).valore;
}

double LeggiNumero(QStringView testo, Esponente esponente) {
  // Only ASCII can belong to a number: anything else ends it.
  std::string ascii;
  ascii.reserve(std::size_t(testo.size()));
  for (QChar c : testo) {
    if (c.unicode() > 127) break;
    ascii.push_back(char(c.unicode()));
  }
  return LeggiNumero(std::string_view(ascii), esponente);
}

std::optional<int16_t> Intero16(double valore) {
  if (!std::isfinite(valore)) return std::nullopt;
  const double r = std::nearbyint(valore);  // default rounding: halves to even
  if (r < -32768.0 || r > 32767.0) return std::nullopt;
  return int16_t(r);
}

std::optional<int32_t> Intero32(double valore) {
  if (!std::isfinite(valore)) return std::nullopt;
  const double r = std::nearbyint(valore);
  if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
  return int32_t(r);
}

QString TestoConSegno(long long numero) {
  return numero < 0 ? QString::number(numero) : QLatin1Char(' ') + QString::number(numero);
}

std::optional<double> ValoreTesto(const QString& testo) {
  const QString t = testo.trimmed();
  if (t.isEmpty()) return std::nullopt;
  bool ok = false;
  // A group separator is refused by both readings: in Italian "1.234" is
  // read with the point as a decimal point, and in English "0,500" is no
  // number at all; neither is ever a thousand or five hundred.
  QLocale locale = LocaleUtente();
  locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  double v = locale.toDouble(t, &ok);
  if (!ok) {
    QLocale punto = QLocale::c();
    punto.setNumberOptions(QLocale::RejectGroupSeparator);
    v = punto.toDouble(t, &ok);
  }
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

bool TestoNumerico(const QString& testo) { return ValoreTesto(testo).has_value(); }

double Arrotonda(double valore, int cifre) {
  const double scala = std::pow(10.0, cifre);
  return std::floor(valore * scala + 0.5) / scala;
}

}  // namespace quarvel
