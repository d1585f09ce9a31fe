#include "TestiCarburante.h"

#include "Istante.h"

#include <cmath>

namespace quarvel {

namespace {
QString TestoIstante(Istante t) {
  return InDateTime(t).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
}  // namespace

int64_t Decimi(double litri) { return std::llround(litri * 10); }

BilancioDecimi BilancioArrotondato(const RisultatoCarburante& r) {
  BilancioDecimi b;
  b.estremi = r.bilancio.estremi;
  b.iniziali = Decimi(r.bilancio.iniziali);
  b.finali = Decimi(r.bilancio.finali);
  b.consumati = Decimi(r.bilancio.consumati);
  for (const EventoCarburante& e : r.eventi)
    (e.tipo == TipoEventoCarburante::Rifornimento ? b.riforniti : b.prelevati) += Decimi(e.litri);
  return b;
}

QString TestoDecimi(int64_t decimi) {
  const int64_t assoluto = decimi < 0 ? -decimi : decimi;
  return QStringLiteral("%1%2.%3")
      .arg(decimi < 0 ? QStringLiteral("-") : QString())
      .arg(assoluto / 10)
      .arg(assoluto % 10);
}

QStringList RigheRifornimenti(const RisultatoCarburante& r) {
  QStringList righe;
  for (const EventoCarburante& e : r.eventi)
    righe << QStringList{e.tipo == TipoEventoCarburante::Rifornimento ? QStringLiteral("RIFORNIMENTO")
                                                                      : QStringLiteral("PRELIEVO"),
                         TestoIstante(e.inizio), TestoIstante(e.fine),
                         TestoDecimi(Decimi(e.litriPrima)), TestoDecimi(Decimi(e.litriDopo)),
                         TestoDecimi(Decimi(e.litri))}
                 .join(QLatin1Char(';'));
  const BilancioDecimi b = BilancioArrotondato(r);
  // Without a settled reading the tank's ends are unknown: those fields stay
  // empty.
  const auto estremo = [&b](int64_t v) { return b.estremi ? TestoDecimi(v) : QString(); };
  righe << QStringList{QStringLiteral("BILANCIO"), estremo(b.iniziali), TestoDecimi(b.riforniti),
                       TestoDecimi(b.consumati), TestoDecimi(b.prelevati), estremo(b.finali),
                       estremo(b.Scarto())}
               .join(QLatin1Char(';'));
  return righe;
}

}  // namespace quarvel
