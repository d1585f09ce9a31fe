#include "CursoreVettore.h"

#include <cmath>

namespace quarvel {

double ColonnaReale(const CampioneLog& c, int p) {
  switch (p) {
    case kTimeDate: return double(c.TimeDate);
    case kTimeDateLH: return double(c.TimeDateLH);
    case kDatoPT: return c.DatoPT;
    case kDato0: return c.Dato0;
    case kDato1: return c.Dato1;
    case kDato2: return c.Dato2;
    case kDato3: return c.Dato3;
    case kDato4: return c.Dato4;
    case kDato5: return c.Dato5;
    case kDato6: return c.Dato6;
    case kDato7: return c.Dato7;
    case kDato8: return c.Dato8;
    case kDato9: return c.Dato9;
    case kDato10: return c.Dato10;
    case kDato11: return c.Dato11;
    case kDato12: return c.Dato12;
    case kDato13: return c.Dato13;
    case kDato14: return c.Dato14;
    case kDato15: return c.Dato15;
    case kDato16: return c.Dato16;
    default: return 0;
  }
}

int64_t ColonnaIntera(const CampioneLog& c, int p) {
  switch (p) {
    case kTimeDate: return c.TimeDate;
    case kTimeDateLH: return c.TimeDateLH;
    case kDatoPT: return c.DatoPT;
    case kDato0: return c.Dato0;
    case kDato1: return c.Dato1;
    case kDato3: return c.Dato3;
    case kDato4: return c.Dato4;
    case kDato5: return c.Dato5;
    case kDato7: return c.Dato7;
    case kDato8: return c.Dato8;
    case kDato9: return c.Dato9;
    case kDato12: return c.Dato12;
    case kDato14: return c.Dato14;
    case kDato16: return c.Dato16;
    default: return int64_t(std::llround(ColonnaReale(c, p)));  // the float columns
  }
}

CursoreVettore::CursoreVettore(std::vector<CampioneLog> campioni)
    : campioni_(std::move(campioni)) {}

void CursoreVettore::Sposta(int64_t n) {
  indice_ += n;
  if (indice_ < -1) indice_ = -1;
  if (indice_ > int64_t(campioni_.size())) indice_ = int64_t(campioni_.size());
}

int64_t CursoreVettore::Intero(int posizione) const {
  return ColonnaIntera(campioni_[std::size_t(indice_)], posizione);
}

double CursoreVettore::Reale(int posizione) const {
  return ColonnaReale(campioni_[std::size_t(indice_)], posizione);
}

void CursoreLogs::PrimoDa(Istante chiave) {
  Primo();
  while (!AllaFine() && TimeDate() < chiave) Successivo();
}

CampioneLog CursoreLogs::Campione() const {
  CampioneLog c;
  c.TimeDate = Intero(kTimeDate);
  c.TimeDateLH = Intero(kTimeDateLH);
  c.DatoPT = int16_t(Intero(kDatoPT));
  c.Dato0 = int16_t(Intero(kDato0));
  c.Dato1 = int16_t(Intero(kDato1));
  c.Dato2 = float(Reale(kDato2));
  c.Dato3 = int16_t(Intero(kDato3));
  c.Dato4 = int16_t(Intero(kDato4));
  c.Dato5 = int16_t(Intero(kDato5));
  c.Dato6 = float(Reale(kDato6));
  c.Dato7 = int16_t(Intero(kDato7));
  c.Dato8 = int32_t(Intero(kDato8));
  c.Dato9 = int32_t(Intero(kDato9));
  c.Dato10 = Reale(kDato10);
  c.Dato11 = Reale(kDato11);
  c.Dato12 = int16_t(Intero(kDato12));
  c.Dato13 = float(Reale(kDato13));
  c.Dato14 = int16_t(Intero(kDato14));
  c.Dato15 = float(Reale(kDato15));
  c.Dato16 = int16_t(Intero(kDato16));
  return c;
}

}  // namespace quarvel
