#include "TestiCarburante.h"

#include "Istante.h"
#include "Lingua.h"
#include "Localizzazione.h"

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

TabellaCarburante TabellaEventi(const RisultatoCarburante& r) {
  TabellaCarburante t;
  t.titolo = TestoLingua(5500, QStringLiteral("Rifornimenti e perdite (litri)"));
  t.intestazioni = {TestoLingua(5501, QStringLiteral("Tipo")),
                    TestoLingua(5502, QStringLiteral("Inizio")),
                    TestoLingua(5503, QStringLiteral("Fine")),
                    TestoLingua(5504, QStringLiteral("Litri prima")),
                    TestoLingua(5505, QStringLiteral("Litri dopo")),
                    TestoLingua(5506, QStringLiteral("Litri")),
                    TestoLingua(5507, QStringLiteral("Motore"))};
  const QLocale locale = LocaleUtente();
  const auto litri = [&locale](int64_t decimi) { return locale.toString(decimi / 10.0, 'f', 1); };
  for (const EventoCarburante& e : r.eventi)
    t.righe.push_back(
        {e.tipo == TipoEventoCarburante::Rifornimento ? TestoLingua(5508, QStringLiteral("Rifornimento"))
                                                      : TestoLingua(5509, QStringLiteral("Prelievo")),
         TestoDataGenerale(e.inizio), TestoDataGenerale(e.fine), litri(Decimi(e.litriPrima)),
         litri(Decimi(e.litriDopo)), litri(Decimi(e.litri)),
         e.motore == MotoreEvento::Spento ? TestoLingua(5510, QStringLiteral("Spento"))
                                          : TestoLingua(5511, QStringLiteral("Al minimo"))});
  const BilancioDecimi b = BilancioArrotondato(r);
  const auto voce = [&litri](long long numero, const char* riserva, int64_t decimi) {
    return TestoLingua(numero, QString::fromUtf8(riserva)).arg(litri(decimi));
  };
  if (b.estremi) t.bilancio << voce(5512, "Litri iniziali: %1", b.iniziali);
  t.bilancio << voce(5518, "Riforniti: %1", b.riforniti)
             << voce(5519, "Consumati (flussimetro): %1", b.consumati)
             << voce(5520, "Prelevati: %1", b.prelevati);
  if (b.estremi) {
    t.bilancio << voce(5521, "Litri finali: %1", b.finali);
    t.scarto = voce(5513, "Litri non spiegati: %1", b.Scarto());
    t.nota = TestoLingua(5514, QStringLiteral("Una perdita durante la marcia (un tubo forato) "
                                              "compare solo tra i litri non spiegati."));
  } else {
    t.nota = TestoLingua(5516, QStringLiteral("Il mezzo non è mai rimasto fermo abbastanza da "
                                              "leggere il serbatoio: litri iniziali, finali e "
                                              "non spiegati non calcolabili."));
  }
  return t;
}

}  // namespace quarvel
