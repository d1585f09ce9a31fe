#include "LettureFlotta.h"

#include "LetturePeriodo.h"

namespace quarvel {

LettureAperte ApriLetturePeriodo(const QString& percorso, Istante inizio, Istante fine) {
  auto letture = std::make_unique<LetturePeriodo>();
  LettureAperte r;
  r.esito = letture->Apri(percorso, inizio, fine);
  if (r.esito) r.letture = std::move(letture);
  return r;
}

}  // namespace quarvel
