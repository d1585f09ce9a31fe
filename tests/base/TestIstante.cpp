#include "Istante.h"
#include "Localizzazione.h"

#include <gtest/gtest.h>

using namespace quarvel;

TEST(Istanti, CalendarioEScomposizione) {
  const auto i = IstanteDa(2026, 12, 4, 22, 12, 5);
  ASSERT_TRUE(i.has_value());
  const DataOra d = Scomponi(*i);
  EXPECT_EQ(d.anno, 2026);
  EXPECT_EQ(d.mese, 12);
  EXPECT_EQ(d.giorno, 4);
  EXPECT_EQ(d.ora, 22);
  EXPECT_EQ(d.minuto, 12);
  EXPECT_EQ(d.secondo, 5);
  EXPECT_EQ(*IstanteDa(2026, 12, 5) - *IstanteDa(2026, 12, 4, 23, 59, 59), 1);
  EXPECT_FALSE(IstanteDa(2026, 2, 31).has_value());
  EXPECT_FALSE(IstanteDa(2026, 2, 29).has_value());
  EXPECT_TRUE(IstanteDa(2028, 2, 29).has_value());
  EXPECT_FALSE(IstanteDa(1900, 2, 29).has_value());
  EXPECT_TRUE(IstanteDa(2000, 2, 29).has_value());
  EXPECT_FALSE(IstanteDa(2026, 1, 1, 24, 0, 0).has_value());
  EXPECT_EQ(InDateTime(*i), QDateTime(QDate(2026, 12, 4), QTime(22, 12, 5)));
  EXPECT_EQ(DaDateTime(InDateTime(*i)), *i);
  EXPECT_EQ(Scomponi(IstanteZero).anno, 1899);
}

TEST(Istanti, FormatoGeneraleDellaData) {
  EXPECT_EQ(TestoDataGenerale(*IstanteDa(2026, 12, 4, 22, 12, 5)),
            QStringLiteral("04/12/2026 22:12:05"));
  EXPECT_EQ(TestoDataGenerale(*IstanteDa(2026, 1, 9, 0, 0, 0)),
            QStringLiteral("09/01/2026 00:00:00"));
  EXPECT_EQ(TestoDataGenerale(IstanteZero), QStringLiteral("00:00:00"));
}
