#include "Localizzazione.h"

#include <QDate>
#include <QTime>

namespace quarvel {

namespace {
QLocale& Locale() {
  static QLocale locale = QLocale::system();
  return locale;
}

QString TestoSenzaGruppi(double valore, int cifre) {
  QLocale l = Locale();
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  if (valore == 0) return QStringLiteral("0");  // never "-0"
  return l.toString(valore, 'g', cifre);
}
}  // namespace

QString FormatoDataBreve() {
  QString f = Locale().dateFormat(QLocale::ShortFormat);
  if (!f.contains(QLatin1String("yyyy"))) f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  // Two-digit day and month keep the columns of reports aligned.
  if (!f.contains(QLatin1String("dd"))) f.replace(QLatin1String("d"), QLatin1String("dd"));
  if (!f.contains(QLatin1String("MM"))) f.replace(QLatin1String("M"), QLatin1String("MM"));
  return f;
}

QLocale LocaleUtente() { return Locale(); }
void ImpostaLocaleUtente(const QLocale& locale) { Locale() = locale; }

QString TestoNumero(double valore) { return TestoSenzaGruppi(valore, 15); }
QString TestoSingolo(float valore) { return TestoSenzaGruppi(double(valore), 7); }

QString TestoDataBreve(Istante istante) {
  return Locale().toString(InDateTime(istante).date(), FormatoDataBreve());
}

QString TestoDataGenerale(Istante istante) {
  const QString ora = InDateTime(istante).time().toString(QStringLiteral("HH:mm:ss"));
  if (istante >= IstanteZero && istante < IstanteZero + 86400) return ora;
  return TestoDataBreve(istante) + QLatin1Char(' ') + ora;
}

}  // namespace quarvel
