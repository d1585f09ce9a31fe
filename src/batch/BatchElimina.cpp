// quarvel-batch elimina TARGA
#include "Anagrafica.h"
#include "CartellaProgramma.h"
#include "DatabaseVeicolo.h"
#include "Impostazioni.h"
#include "SupportoBatch.h"

#include <QDir>

namespace quarvel {

namespace {
int Elimina(const QStringList& a) {
  const QString targa = a[1].trimmed();
  if (const Esito e = EliminaVeicolo(Imp().PercorsoAnagrafica, targa); !e) {
    Errore(e.messaggio);
    return 1;
  }
  // What the vehicle left in DATA stays there.
  const QStringList dati = DatiDelVeicolo(targa);
  if (!dati.isEmpty())
    StampaRighe(QStringLiteral("I dati del mezzo restano nella cartella %1:")
                    .arg(QDir::toNativeSeparators(PercorsoDati(QStringLiteral("DATA")))),
                dati);
  return 0;
}
}  // namespace

ComandoBatch ComandoElimina() {
  return {"elimina", 1, 1,
          "  quarvel-batch elimina TARGA\n"
          "      toglie il mezzo dall'anagrafica; i suoi database e le cartelle di archivio restano\n",
          Elimina};
}

}  // namespace quarvel
