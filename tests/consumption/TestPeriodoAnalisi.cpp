// The analysis period: span of a database, proposal, building from the boxes.
#include "PeriodoAnalisi.h"
#include "StampaTesto.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

// The boxes as proposed for a database cover its first and last minute
// whole: 06:05:00 to 18:40:59.
TEST(PeriodoAnalisi, LaPropostaCopreIlDatabase) {
  const Istante primo = *IstanteDa(2026, 12, 3, 6, 5, 9), ultimo = *IstanteDa(2026, 12, 4, 18, 40, 0);
  const PropostaPeriodo p = ProponiPeriodo(primo, ultimo);
  const PeriodoAnalisi periodo = CostruisciPeriodo(p.dataInizio, p.oraInizio, p.minutoInizio,
                                                   p.dataFine, p.oraFine, p.minutoFine);
  ASSERT_TRUE(periodo.Valido());
  EXPECT_EQ(periodo.InizioAnalisi, primo - 9);
  EXPECT_EQ(periodo.FineAnalisi, ultimo + 59);
}

TEST(PeriodoAnalisi, OreEMinutiComeScritti) {
  const QDate d(2026, 12, 3);
  const auto errato = [&](const char* oi, const char* mi, const char* of, const char* mf) {
    return CostruisciPeriodo(d, oi, mi, d, of, mf).errato;
  };
  EXPECT_EQ(errato(" 07 ", "0", "23", "59"), CampoPeriodo::Nessuno);
  EXPECT_EQ(errato("24", "0", "23", "59"), CampoPeriodo::OraInizio);
  EXPECT_EQ(errato("7", "", "23", "59"), CampoPeriodo::MinutoInizio);
  EXPECT_EQ(errato("7", "0", "-1", "59"), CampoPeriodo::OraFine);
  EXPECT_EQ(errato("7", "0", "23", "60"), CampoPeriodo::MinutoFine);
  EXPECT_EQ(errato("7", "5a", "23", "59"), CampoPeriodo::MinutoInizio);
  EXPECT_EQ(CostruisciPeriodo(QDate(), "7", "0", d, "8", "0").errato, CampoPeriodo::DataInizio);
  // A start after the end is a period like any other: it finds nothing.
  const PeriodoAnalisi rovescio = CostruisciPeriodo(d, "10", "0", d, "9", "0");
  EXPECT_TRUE(rovescio.Valido());
  EXPECT_GT(rovescio.InizioAnalisi, rovescio.FineAnalisi);
}

}  // namespace
}  // namespace quarvel
