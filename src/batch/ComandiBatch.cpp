#include "ComandiBatch.h"

#include "AnalisiConsumi.h"
#include "Anagrafica.h"
#include "Conversioni.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "Logs.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <optional>

namespace quarvel {

namespace {
const char* const kUso =
    "Uso:\n"
    "  quarvel-batch importa TARGA CARTELLA\n"
    "      importa tutti i file di CARTELLA per il mezzo TARGA, come la finestra Import\n"
    "  quarvel-batch analizza PERCORSO_DB \"YYYY-MM-DD HH:MM\" \"YYYY-MM-DD HH:MM\" [TARGA]\n"
    "      analisi consumi del periodo (il minuto finale fino al secondo 59), come la\n"
    "      finestra Analisi Consumi: il report in REPORT, poi didascalie ed elenchi\n"
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
// "YYYY-MM-DD HH:MM" at second 0 of that minute; nothing when it is no
// such instant.
std::optional<Istante> LeggiMinuto(const QString& testo) {
  const QDateTime t = QDateTime::fromString(testo.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm"));
  if (!t.isValid()) return std::nullopt;
  return DaDateTime(t);
}

void StampaRighe(const QString& titolo, const QStringList& righe) {
  Stampa(titolo);
  for (QString riga : righe) {
    while (riga.endsWith(QLatin1Char('\n')) || riga.endsWith(QLatin1Char('\r'))) riga.chop(1);
    Stampa(riga);
  }
}

int Analizza(const QStringList& a) {
  const QString percorso = a[1];
  const auto inizio = LeggiMinuto(a[2]), fineMinuto = LeggiMinuto(a[3]);
  if (!inizio || !fineMinuto)
    return Uso(QStringLiteral("Le date vanno scritte \"YYYY-MM-DD HH:MM\"."));
  if (!QFileInfo(percorso).isFile())
    return Uso(QStringLiteral("Database inesistente: %1").arg(percorso));
  DatabaseLogs db;
  const Esito aperto = db.Apri(percorso, *inizio, *fineMinuto + 59);
  if (!aperto) {
    Errore(aperto.messaggio);
    return 1;
  }
  ParametriAnalisi p;
  p.targa = a.size() > 4 ? a[4] : QStringLiteral("- - -");
  p.sogliaVelocita = Imp().LivelloAllertVelocita;
  p.sogliaGasolio = Imp().LivelloAllertGasolio;
  p.istanteAnalisi = Adesso();
  const RisultatoAnalisi r = AnalisiTotale(db.Cursore(), p);
  db.Chiudi();
  switch (r.esito) {
    case EsitoAnalisi::PeriodoVuoto:
      Errore(QStringLiteral("Record non presenti, controllare date selezionate"));
      return 1;
    case EsitoAnalisi::ReportNonCreato:
      Errore(QStringLiteral("Impossibile creare il report %1: %2").arg(r.percorsoReport, r.erroreFile));
      return 1;
    case EsitoAnalisi::ReportIncompleto:
      Errore(QStringLiteral("Report incompleto %1: %2").arg(r.percorsoReport, r.erroreFile));
      break;
    case EsitoAnalisi::Completa: break;
  }
  for (const Didascalia& d : r.didascalie) Stampa(d.testo);
  StampaRighe(QStringLiteral("Possibili carichi:"), r.carichi);
  StampaRighe(QStringLiteral("Possibili anomalie :"), r.anomalie);
  return r.esito == EsitoAnalisi::Completa ? 0 : 1;
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
  if (comando == QLatin1String("analizza")) {
    if (a.size() != 4 && a.size() != 5)
      return Uso(QStringLiteral("analizza vuole PERCORSO_DB, inizio, fine e, se si vuole, TARGA."));
    return Analizza(a);
  }
  if (comando == QLatin1String("registra")) {
    if (a.size() != 6) return Uso(QStringLiteral("registra vuole cinque argomenti."));
    return Registra(a);
  }
  return Uso(QStringLiteral("Comando sconosciuto: %1").arg(comando));
}

}  // namespace quarvel
