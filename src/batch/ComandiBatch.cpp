#include "ComandiBatch.h"

#include "Anagrafica.h"
#include "Conversioni.h"
#include "ImportaLog.h"
#include "Impostazioni.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace quarvel {

namespace {
const char* const kUso =
    "Uso:\n"
    "  quarvel-batch importa TARGA CARTELLA\n"
    "      importa tutti i file di CARTELLA per il mezzo TARGA, come la finestra Import\n"
    "  quarvel-batch registra TARGA MODELLO CAPACITA ALTEZZA KGASOLIO\n"
    "      inserisce un mezzo in anagrafica, come la finestra Anagrafica\n";

void Errore(const QString& testo) { std::fprintf(stderr, "%s\n", qPrintable(testo)); }
void Stampa(const QString& testo) { std::printf("%s\n", testo.toLocal8Bit().constData()); }

int Uso(const QString& motivo) {
  Errore(motivo);
  std::fputs(kUso, stderr);
  return 2;
}

int Importa(const QString& targa, const QString& cartella) {
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
  r.file = QDir(r.cartellaSorgente).entryList(QDir::Files | QDir::Hidden,
                                               QDir::Name | QDir::IgnoreCase);
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
int Registra(const QStringList& a) {
  VeicoloAnagrafica v;
  v.Targa = a[1].trimmed();
  v.MarcaModello = a[2];
  const auto capacita = ValoreTesto(a[3]), altezza = ValoreTesto(a[4]), k = ValoreTesto(a[5]);
  if (v.Targa.isEmpty() || !capacita || !altezza || !k || !Intero16(*capacita) || !Intero16(*altezza))
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

int EseguiComandoBatch(const QStringList& a) {
  if (a.isEmpty()) return Uso(QStringLiteral("Comando mancante."));
  InizializzaDefault();
  const EsitoLetturaIni ini = LeggiIni();
  if (ini.Difettoso()) Errore(ini.Descrizione());
  const QString comando = a.front();
  if (comando == QLatin1String("importa")) {
    if (a.size() != 3) return Uso(QStringLiteral("importa vuole TARGA e CARTELLA."));
    return Importa(a[1], a[2]);
  }
  if (comando == QLatin1String("registra")) {
    if (a.size() != 6) return Uso(QStringLiteral("registra vuole cinque argomenti."));
    return Registra(a);
  }
  return Uso(QStringLiteral("Comando sconosciuto: %1").arg(comando));
}

}  // namespace quarvel
