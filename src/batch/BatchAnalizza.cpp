// quarvel-batch analizza PERCORSO_DB INIZIO FINE [TARGA]
#include "CarburanteVeicolo.h"
#include "Impostazioni.h"
#include "LetturePeriodo.h"
#include "Logs.h"
#include "SupportoBatch.h"

#include <QFileInfo>

namespace quarvel {

AnalisiBatch AnalizzaPeriodo(const QString& percorso, const QString& inizioTesto,
                             const QString& fineTesto, const QString& targa, bool carburante) {
  AnalisiBatch esito;
  const auto inizio = LeggiMinuto(inizioTesto), fineMinuto = LeggiMinuto(fineTesto);
  if (!inizio || !fineMinuto) {
    esito.stato = Uso(QStringLiteral("Le date vanno scritte \"YYYY-MM-DD HH:MM\"."));
    return esito;
  }
  if (!QFileInfo(percorso).isFile()) {
    esito.stato = Uso(QStringLiteral("Database inesistente: %1").arg(percorso));
    return esito;
  }
  DatabaseLogs db;
  const Esito aperto = db.Apri(percorso, *inizio, *fineMinuto + 59);
  if (!aperto) {
    Errore(aperto.messaggio);
    esito.stato = 1;
    return esito;
  }
  if (const std::optional<EstremiCampioni> estremi = EstraiEstremi(db.Cursore()))
    esito.estremi = *estremi;
  db.Chiudi();
  // The samples from the packed hours beside Logs when they are current.
  LetturePeriodo letture;
  if (const Esito e = letture.Apri(percorso, *inizio, *fineMinuto + 59); !e) {
    Errore(e.messaggio);
    esito.stato = 1;
    return esito;
  }
  ParametriAnalisi p;
  p.targa = targa;
  p.sogliaVelocita = Imp().LivelloAllertVelocita;
  p.sogliaGasolio = Imp().LivelloAllertGasolio;
  p.istanteAnalisi = Adesso();
  if (carburante) p.carburante = ParametriCarburanteVeicolo(TargaDelDatabase(percorso));
  esito.risultato = AnalisiTotale(letture, p);
  const RisultatoAnalisi& r = esito.risultato;
  switch (r.esito) {
    case EsitoAnalisi::PeriodoVuoto:
      Errore(QStringLiteral("Record non presenti, controllare date selezionate"));
      esito.stato = 1;
      return esito;
    case EsitoAnalisi::ErroreLettura:
      Errore(r.erroreDatabase);
      esito.stato = 1;
      return esito;
    case EsitoAnalisi::ReportNonCreato:
      Errore(QStringLiteral("Impossibile creare il report %1: %2").arg(r.percorsoReport, r.erroreFile));
      esito.stato = 1;
      return esito;
    case EsitoAnalisi::ReportIncompleto:
      Errore(QStringLiteral("Report incompleto %1: %2").arg(r.percorsoReport, r.erroreFile));
      esito.stato = 1;
      break;
    case EsitoAnalisi::Completa: break;
  }
  esito.figure = true;
  return esito;
}

namespace {
int Analizza(const QStringList& a) {
  const AnalisiBatch esito =
      AnalizzaPeriodo(a[1], a[2], a[3], a.size() > 4 ? a[4] : QStringLiteral("- - -"));
  if (!esito.figure) return esito.stato;
  const RisultatoAnalisi& r = esito.risultato;
  for (const Didascalia& d : r.didascalie) Stampa(d.testo);
  StampaRighe(QStringLiteral("Possibili carichi:"), r.carichi);
  StampaRighe(QStringLiteral("Possibili anomalie :"), r.anomalie);
  return esito.stato;
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
