#include "LettureCampioni.h"

#include "Conversioni.h"

namespace quarvel {

LetturaCampione Lettura(const CampioneLog& c) {
  LetturaCampione l;
  l.TimeDate = c.TimeDate;
  l.apreViaggio = c.DatoPT == 0;
  l.livelloPercento = c.Dato2;
  // A level that does not fit 16 bits is as good as no reading.
  l.livello = Intero16(c.Dato2).value_or(0);
  l.giriMotore = c.Dato3;
  l.velocita = c.Dato5;
  l.sensoreLitri = c.Dato14;
  l.gasolio = c.Dato8;
  l.km = c.Dato10;
  l.litri = c.Dato11;
  return l;
}

std::span<const LetturaCampione> LettureDaCursore::Prossime() {
  // A block small enough to stay in the cache, large enough that the
  // virtual call is nothing beside the samples.
  constexpr std::size_t kBlocco = 1024;
  if (!iniziato_) {
    cursore_.Primo();
    iniziato_ = true;
    blocco_.reserve(kBlocco);
  }
  blocco_.clear();
  for (; !cursore_.AllaFine() && blocco_.size() < kBlocco; cursore_.Successivo())
    blocco_.push_back(Lettura(cursore_.Campione()));
  return blocco_;
}

}  // namespace quarvel
