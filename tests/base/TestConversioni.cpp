#include "Conversioni.h"
#include "Localizzazione.h"

#include <gtest/gtest.h>

using namespace quarvel;

TEST(LetturaIndulgente, PrendeIlNumeroFinoAlPrimoCarattereEstraneo) {
  EXPECT_EQ(LeggiNumero(std::string_view("250")), 250);
  EXPECT_EQ(LeggiNumero(std::string_view("   250")), 250);
  EXPECT_EQ(LeggiNumero(std::string_view("250 km")), 250);
  EXPECT_EQ(LeggiNumero(std::string_view("12abc")), 12);
  EXPECT_EQ(LeggiNumero(std::string_view("-3.75,")), -3.75);
  EXPECT_EQ(LeggiNumero(std::string_view(".5")), 0.5);
  EXPECT_EQ(LeggiNumero(std::string_view("1e3x")), 1000);
  EXPECT_EQ(LeggiNumero(std::string_view("7e")), 7);
  EXPECT_EQ(LeggiNumero(std::string_view("")), 0);
  EXPECT_EQ(LeggiNumero(std::string_view("abc")), 0);
  EXPECT_EQ(LeggiNumero(std::string_view("-")), 0);
  EXPECT_EQ(LeggiNumero(std::string_view("2,5")), 2);  // the comma is no decimal point here
  // Settings, language files and alert boxes take no exponent.
  EXPECT_EQ(LeggiNumero(QStringView(u"1e1"), Esponente::Escluso), 1);
  EXPECT_EQ(LeggiNumero(QStringView(u" -2.5E3"), Esponente::Escluso), -2.5);
  EXPECT_EQ(LeggiNumero(QStringView(u"  26214.5")), 26214.5);
  EXPECT_EQ(LeggiNumero(QStringView(u"3€")), 3);
  // A long integer keeps its precision.
  EXPECT_EQ(LeggiNumero(std::string_view("12345678901234567890")), 12345678901234567890.0);
}

TEST(ArrotondamentoIntero, MetaAlPariEIntervallo) {
  EXPECT_EQ(Intero16(2.5), 2);
  EXPECT_EQ(Intero16(3.5), 4);
  EXPECT_EQ(Intero16(-2.5), -2);
  EXPECT_EQ(Intero16(55.5), 56);
  EXPECT_EQ(Intero16(54.5), 54);
  EXPECT_EQ(Intero16(32767.4), 32767);
  EXPECT_FALSE(Intero16(32767.5).has_value());  // rounds to 32768
  EXPECT_EQ(Intero16(-32768.5), -32768);
  EXPECT_FALSE(Intero16(-32769).has_value());
  EXPECT_FALSE(Intero16(0.0 / 0.0).has_value());
  EXPECT_EQ(Intero32(65535), 65535);
  EXPECT_EQ(Intero32(2147483647.4), 2147483647);
  EXPECT_FALSE(Intero32(2147483647.5).has_value());
}

TEST(FormeDelNumero, SegnoDavantiETestoLocale) {
  EXPECT_EQ(TestoConSegno(250), QStringLiteral(" 250"));
  EXPECT_EQ(TestoConSegno(0), QStringLiteral(" 0"));
  EXPECT_EQ(TestoConSegno(-1), QStringLiteral("-1"));
  EXPECT_EQ(TestoNumero(10), QStringLiteral("10"));
  EXPECT_EQ(TestoNumero(2.5), QStringLiteral("2,5"));
  EXPECT_EQ(TestoNumero(-1), QStringLiteral("-1"));
  EXPECT_EQ(TestoNumero(123456.789), QStringLiteral("123456,789"));
  EXPECT_EQ(TestoNumero(0.1 + 0.2), QStringLiteral("0,3"));
  EXPECT_EQ(TestoNumero(-0.0), QStringLiteral("0"));
  EXPECT_EQ(TestoSingolo(1.1f), QStringLiteral("1,1"));
}

TEST(FormeDelNumero, ArrotondaMetaVersoLAlto) {
  EXPECT_DOUBLE_EQ(Arrotonda(10.0, 2), 10.0);
  EXPECT_DOUBLE_EQ(Arrotonda(2.345, 2), 2.35);
  EXPECT_DOUBLE_EQ(Arrotonda(-2.5, 0), -2.0);
  EXPECT_DOUBLE_EQ(Arrotonda(-2.51, 0), -3.0);
  EXPECT_DOUBLE_EQ(Arrotonda(0.5555, 3), 0.556);
  // Exact binary halves, where up and to-even part ways.
  EXPECT_DOUBLE_EQ(Arrotonda(0.125, 2), 0.13);
  EXPECT_DOUBLE_EQ(Arrotonda(2.5, 0), 3.0);
}

TEST(TestoNumerico, PuntoOSeparatoreDellUtente) {
  EXPECT_TRUE(TestoNumerico(QStringLiteral("300")));
  EXPECT_TRUE(TestoNumerico(QStringLiteral(" 1.2 ")));
  EXPECT_EQ(ValoreTesto(QStringLiteral("1,2")), 1.2);
  EXPECT_EQ(ValoreTesto(QStringLiteral("1.2")), 1.2);
  EXPECT_FALSE(TestoNumerico(QStringLiteral("")));
  EXPECT_FALSE(TestoNumerico(QStringLiteral("3a")));
  EXPECT_FALSE(TestoNumerico(QStringLiteral("a")));
  EXPECT_EQ(ValoreTesto(QStringLiteral("1.234")), 1.234);  // never a thousand
  EXPECT_FALSE(TestoNumerico(QStringLiteral("1.234,5")));
}

// A group separator is no number in any language: "0,500" typed in English
// is refused, never read as 500.
TEST(TestoNumerico, NessunSeparatoreDelleMigliaiaInNessunaLingua) {
  ImpostaLocaleUtente(LocaleLingua("EN"));
  EXPECT_FALSE(TestoNumerico(QStringLiteral("0,500")));
  EXPECT_FALSE(TestoNumerico(QStringLiteral("1,234.5")));
  EXPECT_EQ(ValoreTesto(QStringLiteral("0.5")), 0.5);
  ImpostaLocaleUtente(LocaleLingua("ES"));
  EXPECT_EQ(ValoreTesto(QStringLiteral("1.234")), 1.234);
  EXPECT_EQ(ValoreTesto(QStringLiteral("0,5")), 0.5);
  ImpostaLocaleUtente(LocaleItaliano());
}

// Each language's format, whatever the machine's; reports ask for Italian.
TEST(FormeDelNumero, FormatoDellaLingua) {
  const Istante i = *IstanteDa(2026, 12, 4, 22, 12, 5);
  const std::tuple<const char*, const char*, const char*> attesi[] = {
      {"IT", "123456,25", "04/12/2026 22:12:05"},
      {"EN", "123456.25", "04/12/2026 22:12:05"},
      {"ES", "123456,25", "04/12/2026 22:12:05"},
  };
  for (const auto& [codice, numero, data] : attesi) {
    ImpostaLocaleUtente(LocaleLingua(codice));
    EXPECT_EQ(TestoNumero(123456.25), numero) << codice;
    EXPECT_EQ(TestoDataGenerale(i), data) << codice;
    EXPECT_EQ(QLocale().toString(1234567), "1234567") << codice;  // what widgets show
    EXPECT_EQ(TestoNumero(2.5, LocaleItaliano()), "2,5") << codice;
  }
  ImpostaLocaleUtente(LocaleItaliano());
}
