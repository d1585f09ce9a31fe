#include "Conversioni.h"
#include "Localizzazione.h"

#include <gtest/gtest.h>

using namespace quarvel;

TEST(LetturaIndulgente, PrendeIlNumeroFinoAlPrimoCarattereEstraneo) {
  const std::pair<const char*, double> casi[] = {
      {"   250 km", 250}, {"-3.75,", -3.75}, {".5", 0.5},   {"1e3x", 1000},
      {"7e", 7},          {"abc", 0},        {"-", 0},      {"2,5", 2},  // no decimal comma here
      {"12345678901234567890", 12345678901234567890.0}};  // a long integer keeps its precision
  for (const auto& [testo, valore] : casi) EXPECT_EQ(LeggiNumero(std::string_view(testo)), valore) << testo;
  // Settings, language files and alert boxes take no exponent.
  EXPECT_EQ(LeggiNumero(QStringView(u"1e1"), Esponente::Escluso), 1);
  EXPECT_EQ(LeggiNumero(QStringView(u"3€")), 3);
}

TEST(ArrotondamentoIntero, MetaAlPariEIntervallo) {
  // 32767.5 rounds to 32768.
  const std::pair<double, std::optional<int16_t>> casi[] = {
      {2.5, 2}, {3.5, 4}, {-2.5, -2}, {32767.4, 32767}, {32767.5, {}}, {-32768.5, -32768}, {0.0 / 0.0, {}}};
  for (const auto& [valore, atteso] : casi) EXPECT_EQ(Intero16(valore), atteso) << valore;
  EXPECT_EQ(Intero32(2147483647.4), 2147483647);
  EXPECT_FALSE(Intero32(2147483647.5).has_value());
}

TEST(FormeDelNumero, SegnoDavantiEArrotondaMetaVersoLAlto) {
  EXPECT_EQ(TestoConSegno(0), " 0");
  EXPECT_EQ(TestoConSegno(-1), "-1");
  EXPECT_EQ(TestoNumero(0.1 + 0.2), "0,3");
  EXPECT_EQ(TestoNumero(-0.0), "0");
  EXPECT_EQ(TestoSingolo(1.1f), "1,1");
  EXPECT_DOUBLE_EQ(Arrotonda(2.345, 2), 2.35);
  EXPECT_DOUBLE_EQ(Arrotonda(-2.5, 0), -2.0);
  // Exact binary halves, where up and to-even part ways.
  EXPECT_DOUBLE_EQ(Arrotonda(0.125, 2), 0.13);
  EXPECT_DOUBLE_EQ(Arrotonda(2.5, 0), 3.0);
}

// The user's decimal separator or a point; a group separator is no number
// in any language: "0,500" typed in English is refused, never read as 500.
TEST(TestoNumerico, NessunSeparatoreDelleMigliaiaInNessunaLingua) {
  EXPECT_EQ(ValoreTesto(" 1,2 "), 1.2);
  EXPECT_EQ(ValoreTesto("1.234"), 1.234);
  for (const char* testo : {"", "3a", "1.234,5"}) EXPECT_FALSE(TestoNumerico(testo)) << testo;
  ImpostaLocaleUtente(LocaleLingua("EN"));
  for (const char* testo : {"0,500", "1,234.5"}) EXPECT_FALSE(TestoNumerico(testo)) << testo;
  ImpostaLocaleUtente(LocaleLingua("ES"));
  EXPECT_EQ(ValoreTesto("0,5"), 0.5);
  ImpostaLocaleUtente(LocaleItaliano());
}

// Each language's format, whatever the machine's; reports ask for Italian.
TEST(FormeDelNumero, FormatoDellaLingua) {
  const Istante i = *IstanteDa(2026, 12, 4, 22, 12, 5);
  for (const auto& [codice, numero] :
       {std::pair{"IT", "123456,25"}, {"EN", "123456.25"}, {"ES", "123456,25"}}) {
    ImpostaLocaleUtente(LocaleLingua(codice));
    EXPECT_EQ(TestoNumero(123456.25), numero) << codice;
    EXPECT_EQ(TestoDataGenerale(i), "04/12/2026 22:12:05") << codice;
    EXPECT_EQ(QLocale().toString(1234567), "1234567") << codice;  // what widgets show
    EXPECT_EQ(TestoNumero(2.5, LocaleItaliano()), "2,5") << codice;
  }
  ImpostaLocaleUtente(LocaleItaliano());
}
