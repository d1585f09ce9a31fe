#include "CampioniProva.h"
#include "CartellaProva.h"
#include "CursoreVettore.h"

#include <random>

using namespace quarvel;

namespace {
class CursoreProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    // 300 seconds with gaps of up to two seconds between them.
    std::vector<Istante> istanti;
    for (Istante t = *IstanteDa(2026, 12, 4); istanti.size() < 300; t += 1 + int(gen_() % 3)) {
      istanti.push_back(t);
      campioni_.push_back({.TimeDate = t, .TimeDateLH = t});
    }
    ASSERT_TRUE(db_.Apri(ScriviCampioni(Percorso("DATA/prova.mdb"), istanti)));
  }
  std::vector<CampioneLog> Tra(Istante a, Istante b) const {
    std::vector<CampioneLog> v;
    for (const auto& c : campioni_)
      if (c.TimeDate >= a && c.TimeDate <= b) v.push_back(c);
    return v;
  }

  std::mt19937 gen_{20261204};
  DatabaseLogs db_;
  std::vector<CampioneLog> campioni_;
};
}  // namespace

// Every move, past either end too, lands where the in-memory cursor lands.
TEST_F(CursoreProva, OgniSpostamentoComeNelCursoreInMemoria) {
  const Istante primo = campioni_.front().TimeDate, ultimo = campioni_.back().TimeDate;
  const std::pair<Istante, Istante> periodi[] = {{kInizioTabella, kFineTabella}, {primo + 100, primo + 200},
                                                 {primo, primo}, {ultimo + 1, ultimo + 9}, {ultimo, primo}};
  for (auto [a, b] : periodi) {
    std::unique_ptr<CursoreLogs> sql = db_.NuovoCursore(a, b);
    CursoreVettore memoria(Tra(a, b));
    std::string storia;
    for (int passo = 0; passo < 300; ++passo) {
      const int mossa = int(gen_() % 9);
      int64_t n = int64_t(gen_() % 21) - 10;
      if (mossa == 7) n = (gen_() % 2 ? 1 : -1) * (int64_t(1) << 62);
      for (CursoreLogs* c : std::initializer_list<CursoreLogs*>{sql.get(), &memoria}) {
        if (mossa == 0) c->Primo();
        else if (mossa == 1) c->Ultimo();
        else if (mossa <= 3) c->Successivo();
        else if (mossa == 8) c->PrimoDa(primo + n * 70);  // a key before, inside or after the period
        else c->Sposta(n);
      }
      storia += std::to_string(mossa) + ":" + std::to_string(n) + " ";
      ASSERT_EQ(sql->AllaFine(), memoria.AllaFine()) << storia;
      ASSERT_EQ(sql->AllInizio(), memoria.AllInizio()) << storia;
      if (!memoria.AllaFine() && !memoria.AllInizio()) {
        ASSERT_EQ(sql->Campione(), memoria.Campione()) << storia;
      }
    }
  }
}
