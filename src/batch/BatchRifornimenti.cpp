// quarvel-batch rifornimenti PERCORSO_DB INIZIO FINE
#include "CarburanteVeicolo.h"
#include "SupportoBatch.h"
#include "TestiCarburante.h"

#include <QFileInfo>

namespace quarvel {

namespace {
int Rifornimenti(const QStringList& a) {
  const auto inizio = LeggiMinuto(a[2]), fineMinuto = LeggiMinuto(a[3]);
  if (!inizio || !fineMinuto) return Uso(QStringLiteral("Le date vanno scritte \"YYYY-MM-DD HH:MM\"."));
  if (*inizio > *fineMinuto) return Uso(QStringLiteral("Il periodo finisce prima di cominciare."));
  if (!QFileInfo(a[1]).isFile()) return Uso(QStringLiteral("Database inesistente: %1").arg(a[1]));
  const EventiPeriodo eventi = EventiCarburantePeriodo(a[1], *inizio, *fineMinuto + 59);
  if (!eventi.esito) {
    Errore(eventi.esito.messaggio);
    return 1;
  }
  if (!eventi.campioni) {
    Errore(QStringLiteral("Record non presenti, controllare date selezionate"));
    return 1;
  }
  for (const QString& riga : RigheRifornimenti(eventi.risultato)) Stampa(riga);
  return 0;
}
}  // namespace

ComandoBatch ComandoRifornimenti() {
  return {"rifornimenti", 3, 3,
          "  quarvel-batch rifornimenti PERCORSO_DB \"YYYY-MM-DD HH:MM\" \"YYYY-MM-DD HH:MM\"\n"
          "      rifornimenti e perdite di gasolio in litri nel periodo, uno per riga, poi il\n"
          "      bilancio del serbatoio: BILANCIO;iniziali;riforniti;consumati;prelevati;\n"
          "      finali;scarto\n",
          Rifornimenti};
}

}  // namespace quarvel
