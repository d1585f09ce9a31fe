// The analysis period: span of a database, proposal, building from the boxes.
#include "CursoreVettore.h"
#include "PeriodoAnalisi.h"
#include "StampaTesto.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

TEST(PeriodoAnalisi, EstremiEPropostaDelDatabase) {
  const Istante primo = *IstanteDa(2026, 12, 3, 6, 5, 9);
  const Istante ultimo = *IstanteDa(2026, 12, 4, 18, 40, 0);
  std::vector<CampioneLog> campioni(3);
  for (std::size_t i = 0; i < 3; ++i) campioni[i].TimeDate = i < 2 ? primo + Istante(i) : ultimo;
  CursoreVettore db(campioni);
  const std::optional<EstremiCampioni> e = EstraiEstremi(db);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->primo, primo);
  EXPECT_EQ(e->ultimo, ultimo);

  const PropostaPeriodo p = ProponiPeriodo(e->primo, e->ultimo);
  EXPECT_EQ(QStringList({p.oraInizio, p.minutoInizio, p.oraFine, p.minutoFine}),
            QStringList({"6", "5", "18", "40"}));
  // The boxes as proposed cover 06:05:00 to 18:40:59.
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
