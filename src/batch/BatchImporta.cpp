// quarvel-batch importa TARGA CARTELLA
#include "Anagrafica.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "SupportoBatch.h"

#include <QDate>
#include <QFileInfo>

namespace quarvel {

namespace {
int Importa(const QStringList& a) {
  const QString targa = a[1], cartella = a[2];
  if (targa.trimmed().isEmpty()) return Uso(QStringLiteral("Targa mancante."));
  const QFileInfo info(cartella);
  if (!info.isDir()) return Uso(QStringLiteral("Cartella inesistente: %1").arg(cartella));

  const ElencoTarghe elenco = TargheAnagrafica(Imp().PercorsoAnagrafica);
  if (!elenco.targhe.contains(targa, Qt::CaseInsensitive))
    Errore(QStringLiteral("Attenzione: il mezzo %1 non è in anagrafica.").arg(targa));

  RichiestaImport r;
  r.targa = targa;
  r.cartellaSorgente = info.absoluteFilePath();
  // The files as the import window's file list shows them.
  r.file = FileDellaCartella(r.cartellaSorgente);
  r.oggi = QDate::currentDate();
  r.tipoDB = Imp().TipoDB;
  const RisultatoImport esito = EseguiImport(r, nullptr);
  if (!esito.eseguito) return 1;
  Stampa(esito.didascaliaFile);
  Stampa(esito.didascaliaViaggi);
  Stampa(esito.didascaliaTempo);
  Stampa(esito.didascaliaErrori);
  return esito.fileRimastiSulSupporto.isEmpty() ? 0 : 1;
}
}  // namespace

ComandoBatch ComandoImporta() {
  return {"importa", 2, 2,
          "  quarvel-batch importa TARGA CARTELLA\n"
          "      importa tutti i file di CARTELLA per il mezzo TARGA, come la finestra Import\n",
          Importa};
}

}  // namespace quarvel
