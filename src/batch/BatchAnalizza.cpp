// quarvel-batch analizza PERCORSO_DB INIZIO FINE [TARGA]
#include "AnalisiConsumi.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "SupportoBatch.h"

#include <QFileInfo>

namespace quarvel {

namespace {
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
    case EsitoAnalisi::ErroreLettura:
      Errore(r.erroreDatabase);
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
}  // namespace

ComandoBatch ComandoAnalizza() {
  return {"analizza", 3, 4,
          "  quarvel-batch analizza PERCORSO_DB \"YYYY-MM-DD HH:MM\" \"YYYY-MM-DD HH:MM\" [TARGA]\n"
          "      analisi consumi del periodo (il minuto finale fino al secondo 59), come la\n"
          "      finestra Analisi Consumi: il report in REPORT, poi didascalie ed elenchi\n",
          Analizza};
}

}  // namespace quarvel
