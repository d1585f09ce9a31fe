#include "CarburanteVeicolo.h"

#include "Anagrafica.h"
#include "Impostazioni.h"
#include "ImpostazioniAggiunte.h"
#include "LetturePeriodo.h"

#include <QFileInfo>

namespace quarvel {

ParametriCarburante ParametriCarburanteVeicolo(const QString& targa) {
  ParametriCarburante p;
  p.capacita = Imp().CapacitaSerbatoio;
  // A registry of its own: the shared one may stand open in a window.
  DatabaseAnagrafica registro;
  if (!targa.isEmpty() && QFileInfo(Imp().PercorsoAnagrafica).isFile() &&
      registro.Apri(Imp().PercorsoAnagrafica) && registro.Posiziona(targa) &&
      registro.Corrente()->Capacita > 0)
    p.capacita = registro.Corrente()->Capacita;
  p.minimoRifornimento = Agg().MinimoRifornimento;
  p.minimoPerdita = Agg().MinimoPerdita;
  return p;
}

EventiPeriodo EventiCarburantePeriodo(const QString& percorso, Istante inizio, Istante fine) {
  EventiPeriodo r;
  LetturePeriodo letture;
  if (r.esito = letture.Apri(percorso, inizio, fine); !r.esito) return r;
  RilevatoreCarburante rilevatore(ParametriCarburanteVeicolo(TargaDelDatabase(percorso)));
  for (auto blocco = letture.Prossime(); !blocco.empty(); blocco = letture.Prossime()) {
    r.campioni = true;
    for (const LetturaCampione& c : blocco) rilevatore.Aggiungi(c);
  }
  if (const QString errore = letture.Errore(); !errore.isEmpty()) {
    r.esito = Esito::Fallito(kErroreDatabase + errore);
    r.campioni = false;
    return r;
  }
  r.risultato = rilevatore.Concludi();
  return r;
}

QString TargaDelDatabase(const QString& percorso) {
  const QString nome = QFileInfo(percorso).completeBaseName();
  const qsizetype separatore = nome.lastIndexOf(QStringLiteral("_ "));
  return separatore > 0 ? nome.left(separatore) : QString();
}

}  // namespace quarvel
