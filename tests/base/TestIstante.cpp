#include "Istante.h"
#include "Localizzazione.h"

#include <gtest/gtest.h>

using namespace quarvel;

TEST(Istanti, CalendarioEScomposizione) {
  const Istante i = *IstanteDa(2026, 12, 4, 22, 12, 5);
  const DataOra d = Scomponi(i);
  EXPECT_EQ((std::vector{d.anno, d.mese, d.giorno, d.ora, d.minuto, d.secondo}),
            (std::vector{2026, 12, 4, 22, 12, 5}));
  EXPECT_EQ(*IstanteDa(2026, 3, 1) - *IstanteDa(2026, 2, 28, 23, 59, 59), 1);
  for (auto [anno, bisestile] : {std::pair{2026, false}, {2028, true}, {1900, false}, {2000, true}})
    EXPECT_EQ(IstanteDa(anno, 2, 29).has_value(), bisestile) << anno;
  EXPECT_FALSE(IstanteDa(2026, 1, 1, 24, 0, 0).has_value());
  EXPECT_EQ(InDateTime(i), QDateTime(QDate(2026, 12, 4), QTime(22, 12, 5)));
  EXPECT_EQ(DaDateTime(InDateTime(i)), i);
  // The zero date shows its time alone.
  EXPECT_EQ(Scomponi(IstanteZero).anno, 1899);
  EXPECT_EQ(TestoDataGenerale(*IstanteDa(2026, 1, 9)), "09/01/2026 00:00:00");
  EXPECT_EQ(TestoDataGenerale(IstanteZero), "00:00:00");
}
