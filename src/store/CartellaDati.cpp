#include "CartellaDati.h"

#include "CartellaProgramma.h"
#include "DatabaseVeicolo.h"
#include "FileDati.h"
#include "FileDurevoli.h"

#include <QDir>

namespace quarvel {

QString PercorsoModelloAnagrafica() {
  return PercorsoProgramma(QStringLiteral("DB/protoAnagrafica.mdb"));
}

namespace {
Esito Prepara() {
  for (const char* parte : {"DATA", "REPORT", "DB"}) {
    const QString cartella = PercorsoDati(QString::fromLatin1(parte));
    if (!QDir().mkpath(cartella))
      return Esito::Fallito(QStringLiteral("impossibile creare la cartella %1 (%2)")
                                .arg(QDir::toNativeSeparators(cartella), ErroreDiSistema()));
  }
  const QString registro = PercorsoDati(QStringLiteral("DB/Anagrafica97.mdb"));
  if (!TrovaFile(registro).isEmpty()) return {};
  return CreaDaModello(registro, PercorsoModelloAnagrafica());
}
}  // namespace

Esito PreparaCartellaDati() {
  Esito esito = Prepara();
  if (!esito)
    esito.messaggio = QStringLiteral("Impossibile preparare la cartella dei dati %1: %2")
                          .arg(QDir::toNativeSeparators(CartellaDati()), esito.messaggio);
  return esito;
}

}  // namespace quarvel
