// quarvel-batch importa TARGA CARTELLA
#include "Anagrafica.h"
#include "CartellaProgramma.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "SupportoBatch.h"
#include "Targa.h"

#include <QDate>
#include <QFileInfo>

namespace quarvel {

namespace {
int Importa(const QStringList& a) {
  const QString targa = a[1], cartella = a[2];
  if (const QString errore = ControllaTarga(targa); !errore.isEmpty()) return Uso(errore);
  const QFileInfo info(cartella);
  if (!info.isDir()) return Uso(QStringLiteral("Cartella inesistente: %1").arg(cartella));
  // The import moves the files away: never those of the program or of DATA.
  const QString sorgente = info.canonicalFilePath();
  if (sorgente == QFileInfo(PercorsoProgramma(QStringLiteral("DATA"))).canonicalFilePath() ||
      sorgente == QFileInfo(CartellaProgramma()).canonicalFilePath())
    return Uso(QStringLiteral("Non si importa dalla cartella del programma: %1").arg(cartella));

  // Only a warning: the import does not need the registry.
  const ElencoTarghe elenco = TargheAnagrafica(Imp().PercorsoAnagrafica);
  if (!elenco.esito)
    Errore(QStringLiteral("Attenzione: ") + elenco.esito.messaggio);
  else if (!elenco.targhe.contains(targa, Qt::CaseInsensitive))
    Errore(QStringLiteral("Attenzione: il mezzo %1 non è in anagrafica.").arg(targa));

  RichiestaImport r;
  r.targa = targa;
  r.cartellaSorgente = info.absoluteFilePath();
  // The files as the import window's file list shows them.
  r.file = FileDellaCartella(r.cartellaSorgente);
  r.oggi = QDate::currentDate();
  r.tipoDB = Imp().TipoDB;
  const RisultatoImport esito = EseguiImport(r, nullptr);
  if (esito.Eseguita()) {
    Stampa(esito.didascaliaFile);
    Stampa(esito.didascaliaViaggi);
    Stampa(esito.didascaliaTempo);
    Stampa(esito.didascaliaErrori);
  }
  if (!esito.interruzione.isEmpty()) Errore(esito.interruzione);
  return esito.Riuscita() ? 0 : 1;
}
}  // namespace

ComandoBatch ComandoImporta() {
  return {"importa", 2, 2,
          "  quarvel-batch importa TARGA CARTELLA\n"
          "      importa tutti i file di CARTELLA per il mezzo TARGA, come la finestra Import;\n"
          "      prima completa le importazioni rimaste a metà\n",
          Importa};
}

}  // namespace quarvel
