#include "CampiAnagrafica.h"

#include "Conversioni.h"
#include "Localizzazione.h"

#include <cmath>

namespace quarvel {

QString TestoFattore(double valore) {
  if (valore == 0) return QStringLiteral(" 0");  // never "-0"
  const QString testo = QString::number(valore, 'g', 15);
  return valore < 0 ? testo : QLatin1Char(' ') + testo;
}

std::optional<double> LeggiFattore(const QString& testo) { return ValoreTesto(testo); }

std::optional<int16_t> LeggiMisura(const QString& testo) { return Intero16(LeggiNumero(testo)); }

RisultatoK CalcolaKSensore(int16_t capacita, int16_t altezza, double kGasolio) {
  if (altezza == 0) return {0, ProblemaK::AltezzaZero};
  if (kGasolio == 0) return {0, ProblemaK::FattoreZero};
  const double k = double(capacita) / double(altezza) / kGasolio;
  if (!std::isfinite(k)) return {0, ProblemaK::NonFinito};
  return {k, ProblemaK::Nessuno};
}

QString TestoK(double k) {
  QLocale formato = LocaleUtente();
  formato.setNumberOptions(QLocale::OmitGroupSeparator);
  return formato.toString(k, 'f', 3);
}

}  // namespace quarvel
