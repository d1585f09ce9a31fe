#pragma once
// A cursor over samples held in memory: small crafted periods in tests, and
// any reader that already has its samples at hand.
#include "Logs.h"

#include <vector>

namespace quarvel {

class CursoreVettore : public CursoreLogs {
 public:
  explicit CursoreVettore(std::vector<CampioneLog> campioni);
  bool AllaFine() const override { return indice_ >= int64_t(campioni_.size()) || campioni_.empty(); }
  bool AllInizio() const override { return indice_ < 0 || campioni_.empty(); }
  void Primo() override { indice_ = 0; }
  void Ultimo() override { indice_ = int64_t(campioni_.size()) - 1; }
  void Successivo() override { Sposta(1); }
  void Sposta(int64_t n) override;
  int64_t Intero(int posizione) const override;
  double Reale(int posizione) const override;

 private:
  std::vector<CampioneLog> campioni_;
  int64_t indice_ = 0;
};

// The value of column `posizione` of a sample, as a double or an integer.
double ColonnaReale(const CampioneLog& c, int posizione);
int64_t ColonnaIntera(const CampioneLog& c, int posizione);

}  // namespace quarvel
