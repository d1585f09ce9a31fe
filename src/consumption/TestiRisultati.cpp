#include "TestiRisultati.h"

#include "Localizzazione.h"
#include "TestiConsumi.h"

namespace quarvel {

namespace {
struct TestoItaliano {
  long long numero;  // in the language files, beside the window's others
  const char* testo;
};
// In the order of VoceRisultato.
constexpr TestoItaliano kItaliani[] = {
    {5040, "Numero accensioni = Numero Viaggi : %1"},
    {5041, "Litri gasolio consumato : %1"},
    {5042, "Litri gasolio in marcia : %1"},
    {5043, "Tempo motore acceso : %1"},
    {5044, "Tempo in marcia : %1"},
    {5045, "Kilometri percorsi calcolati: %1 Km"},
    {5046, "Velocità media in marcia : %1"},
    {5047, "Velocita Massima periodo: %1 Km/h"},
    {5048, "N° volte velocità >%1 Km/h :%2"},
    {5049, "Consumo medio in marcia : %1"},
    {5050, "Kilometri iniziali cruscotto : %1"},
    {5051, "Kilometri finali cruscotto : %1"},
    {5052, "Kilometri percorsi cruscotto : %1"},
    {5053, "Litri consumati cruscotto : %1"},
    {5054, "ContaLitri finali cruscotto : %1"},
    {5055, "ContaLitri iniziali cruscotto : %1"},
    {5056, "Non calcolabile"},
    {5008, "Data inizio analisi :"},  // the label's own caption, the instant after it
    {5009, "Data fine analisi :"},
    {5057, "%1 Iniziale:%2% Finale: %3"},
    {5058, "%1 Iniziale: %2% Finale: %3%  El:%4"},
};
static_assert(std::size(kItaliani) == std::size_t(VoceRisultato::Anomalia) + 1);
}  // namespace

TestiRisultati::TestiRisultati()
    : TestiRisultati([](long long, const QString& italiano) { return italiano; },
                     LocaleItaliano()) {}

TestiRisultati::TestiRisultati(const Cerca& cerca, const QLocale& locale) : locale_(locale) {
  for (std::size_t i = 0; i < kVoci; ++i)
    testi_[i] = cerca(kItaliani[i].numero, QString::fromUtf8(kItaliani[i].testo));
}

QString TestiRisultati::Componi(VoceRisultato voce, std::initializer_list<QString> valori) const {
  QString testo = testi_[std::size_t(voce)];
  int n = 0;
  for (const QString& valore : valori) {
    const QString segnaposto = QLatin1Char('%') + QString::number(++n);
    if (testo.contains(segnaposto)) testo.replace(segnaposto, valore);
    else testo += valore;
  }
  return testo;
}

QString TestiRisultati::Numero(double valore) const { return TestoNumero(valore, locale_); }
QString TestiRisultati::Data(Istante istante) const { return TestoDataGenerale(istante, locale_); }
QString TestiRisultati::Tempo(double secondi) const { return SecondiToTime(secondi, locale_); }

}  // namespace quarvel
