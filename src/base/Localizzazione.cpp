#include "Localizzazione.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace quarvel {

namespace {
QLocale SenzaGruppi(QLocale locale) {
  locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  return locale;
}

QLocale& Utente() {
  static QLocale locale = SenzaGruppi(LocaleItaliano());
  return locale;
}

QString TestoSenzaGruppi(double valore, int cifre, const QLocale& locale) {
  if (valore == 0) return QStringLiteral("0");  // never "-0"
  return SenzaGruppi(locale).toString(valore, 'g', cifre);
}
}  // namespace

QLocale LocaleLingua(const QString& codice) {
  if (codice == QLatin1String("EN")) return QLocale(QLocale::English, QLocale::UnitedKingdom);
  if (codice == QLatin1String("ES")) return QLocale(QLocale::Spanish, QLocale::Spain);
  return LocaleItaliano();
}

QLocale LocaleItaliano() { return QLocale(QLocale::Italian, QLocale::Italy); }

QLocale LocaleUtente() { return Utente(); }

void ImpostaLocaleUtente(const QLocale& locale) {
  Utente() = SenzaGruppi(locale);
  QLocale::setDefault(Utente());
}

QString FormatoDataBreve(const QLocale& locale) {
  QString f = locale.dateFormat(QLocale::ShortFormat);
  if (!f.contains(QLatin1String("yyyy"))) f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  // Two-digit day and month keep the columns of reports aligned.
  if (!f.contains(QLatin1String("dd"))) f.replace(QLatin1String("d"), QLatin1String("dd"));
  if (!f.contains(QLatin1String("MM"))) f.replace(QLatin1String("M"), QLatin1String("MM"));
  return f;
}

QString TestoNumero(double valore, const QLocale& locale) {
  return TestoSenzaGruppi(valore, 15, locale);
}
QString TestoSingolo(float valore, const QLocale& locale) {
  return TestoSenzaGruppi(double(valore), 7, locale);
}

QString TestoDecimali(double valore, int decimali, const QLocale& locale) {
  // What rounds to zero is written without its sign.
  if (std::abs(valore) < 0.5 * std::pow(10.0, -decimali)) valore = 0;
  return SenzaGruppi(locale).toString(valore, 'f', decimali);
}

QString TestoDataBreve(Istante istante, const QLocale& locale) {
  return locale.toString(InDateTime(istante).date(), FormatoDataBreve(locale));
}

QString TestoDataGenerale(Istante istante, const QLocale& locale) {
  const QString ora = InDateTime(istante).time().toString(QStringLiteral("HH:mm:ss"));
  if (istante >= IstanteZero && istante < IstanteZero + 86400) return ora;
  return TestoDataBreve(istante, locale) + QLatin1Char(' ') + ora;
}

}  // namespace quarvel
