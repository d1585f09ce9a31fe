#include "TabelleConsumi.h"

#include "Conversioni.h"
#include "Lingua.h"
#include "TestiCarburante.h"

namespace quarvel {

namespace {
using Cella = CellaEsportata;

Cella Litri(int64_t decimi) { return Cella::DiNumero(double(decimi) / 10, 1); }

// "Litri iniziali: %1" without its value: the name of a line of the balance.
QString Voce(long long numero, const char* riserva) {
  QString t = TestoLingua(numero, QString::fromUtf8(riserva));
  t.remove(QStringLiteral("%1"));
  t = t.trimmed();
  if (t.endsWith(QLatin1Char(':'))) t.chop(1);
  return t;
}
}  // namespace

TabellaEsportata TabellaViaggi(const std::vector<ViaggioAnalisi>& viaggi, int16_t soglia) {
  TabellaEsportata t;
  t.titolo = TestoLingua(5135, QStringLiteral("Viaggi"));
  t.intestazioni = {TestoLingua(5126, QStringLiteral("Viaggio")),
                    TestoLingua(5127, QStringLiteral("Dal")),
                    TestoLingua(5128, QStringLiteral("Al")),
                    TestoLingua(5129, QStringLiteral("Ore motore")),
                    TestoLingua(5130, QStringLiteral("Ore di marcia")),
                    TestoLingua(5131, QStringLiteral("Km")),
                    TestoLingua(5132, QStringLiteral("Velocità media")),
                    TestoLingua(5133, QStringLiteral("Velocità massima")),
                    ConValore(TestoLingua(5134, QStringLiteral("Volte sopra %1 km/h")),
                              QString::number(soglia))};
  for (const ViaggioAnalisi& v : viaggi) {
    t.righe.push_back({Cella::DiNumero(v.numero, 0), Cella::DiIstante(v.inizio), Cella::DiIstante(v.fine),
                       Cella::DiNumero(Arrotonda(v.secondiAcceso / 3600, 2), 2),
                       Cella::DiNumero(Arrotonda(v.secondiMarcia / 3600, 2), 2),
                       Cella::DiNumero(Arrotonda(v.sommaVelocita / 3600, 3), 3),
                       v.secondiMarcia > 0 ? Cella::DiNumero(Arrotonda(v.sommaVelocita / v.secondiMarcia, 3), 3)
                                           : Cella(),
                       Cella::DiNumero(v.velocitaMax, 0), Cella::DiNumero(v.superamenti, 0)});
  }
  return t;
}

std::vector<TabellaEsportata> TabelleCarburante(const RisultatoCarburante& r) {
  const TabellaCarburante testi = TabellaEventi(r);
  TabellaEsportata eventi;
  eventi.titolo = testi.titolo;
  eventi.intestazioni = testi.intestazioni;
  for (std::size_t i = 0; i < r.eventi.size(); ++i) {
    const EventoCarburante& e = r.eventi[i];
    // The words of the kind and of the engine as the panel shows them.
    eventi.righe.push_back({Cella::DiTesto(testi.righe[i].value(0)), Cella::DiIstante(e.inizio),
                            Cella::DiIstante(e.fine), Litri(Decimi(e.litriPrima)),
                            Litri(Decimi(e.litriDopo)), Litri(Decimi(e.litri)),
                            Cella::DiTesto(testi.righe[i].value(6))});
  }
  TabellaEsportata bilancio;
  bilancio.titolo = TestoLingua(5136, QStringLiteral("Bilancio"));
  bilancio.intestazioni = {bilancio.titolo, testi.intestazioni.value(5)};
  const BilancioDecimi b = BilancioArrotondato(r);
  const auto riga = [&bilancio](const QString& voce, int64_t decimi) {
    bilancio.righe.push_back({Cella::DiTesto(voce), Litri(decimi)});
  };
  if (b.estremi) riga(Voce(5512, "Litri iniziali: %1"), b.iniziali);
  riga(Voce(5518, "Riforniti: %1"), b.riforniti);
  riga(Voce(5519, "Consumati (flussimetro): %1"), b.consumati);
  riga(Voce(5520, "Prelevati: %1"), b.prelevati);
  if (b.estremi) {
    riga(Voce(5521, "Litri finali: %1"), b.finali);
    riga(Voce(5513, "Litri non spiegati: %1"), b.Scarto());
  }
  return {eventi, bilancio};
}

}  // namespace quarvel
