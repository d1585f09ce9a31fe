// quarvel-batch registra TARGA MODELLO CAPACITA ALTEZZA KGASOLIO
#include "Anagrafica.h"
#include "Conversioni.h"
#include "Impostazioni.h"
#include "SupportoBatch.h"
#include "Targa.h"

namespace quarvel {

namespace {
int Registra(const QStringList& a) {
  VeicoloAnagrafica v;
  v.Targa = a[1].trimmed();
  v.MarcaModello = a[2];
  const auto capacita = ValoreTesto(a[3]), altezza = ValoreTesto(a[4]), k = ValoreTesto(a[5]);
  if (const QString errore = ControllaTarga(v.Targa); !errore.isEmpty()) return Uso(errore);
  if (!capacita || !altezza || !k || !Intero16(*capacita) || !Intero16(*altezza))
    return Uso(QStringLiteral("registra vuole TARGA, MODELLO e tre numeri."));
  v.Capacita = *Intero16(*capacita);
  v.Altezza = *Intero16(*altezza);
  v.KGasolio = *k;
  Esito esito = ApriAnagrafica(Imp().PercorsoAnagrafica);
  if (esito) esito = InserisciAnagrafica(v);
  ChiudiAnagrafica();
  if (!esito) {
    Errore(esito.messaggio);
    return 1;
  }
  return 0;
}
}  // namespace

ComandoBatch ComandoRegistra() {
  return {"registra", 5, 5,
          "  quarvel-batch registra TARGA MODELLO CAPACITA ALTEZZA KGASOLIO\n"
          "      inserisce un mezzo in anagrafica, come la finestra Anagrafica\n",
          Registra};
}

}  // namespace quarvel
