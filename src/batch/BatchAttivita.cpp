// quarvel-batch attivita PERCORSO_DB ANNO MESE
#include "Logs.h"
#include "SupportoBatch.h"
#include "TracciaMese.h"

#include <QFileInfo>

namespace quarvel {

namespace {
// The day right-aligned in two characters, a blank, then one character per
// quarter-hour from 00:00 to 23:45: '#' where it holds a sample.
QString RigaGiorno(const AttivitaMese& attivita, int giorno) {
  QString riga = QString::asprintf("%2d ", giorno);
  for (int ora = 0; ora < 24; ++ora)
    for (int quarto = 0; quarto < 4; ++quarto)
      riga += QLatin1Char(attivita.Attivo(giorno, ora, quarto) ? '#' : '.');
  return riga;
}

int Attivita(const QStringList& a) {
  const QString percorso = a[1];
  bool annoLetto = false, meseLetto = false;
  const int anno = a[2].toInt(&annoLetto), mese = a[3].toInt(&meseLetto);
  const std::optional<PeriodoMese> periodo =
      annoLetto && meseLetto ? CalcolaPeriodoMese(anno, mese) : std::nullopt;
  if (!periodo) return Uso(QStringLiteral("ANNO e MESE vanno scritti in cifre, MESE da 1 a 12."));
  if (!QFileInfo(percorso).isFile())
    return Uso(QStringLiteral("Database inesistente: %1").arg(percorso));
  DatabaseLogs db;
  if (const Esito aperto = db.Apri(percorso, periodo->InizioMese, periodo->FineMese); !aperto) {
    Errore(aperto.messaggio);
    return 1;
  }
  AttivitaMese attivita;
  const RisultatoTraccia r = AnalisiTrackmese2(db.Cursore(), attivita);
  db.Chiudi();
  switch (r.esito) {
    case EsitoTraccia::Vuota:
      Errore(QStringLiteral("Non ci sono dati disponibili per il perido selezionato"));
      return 1;
    case EsitoTraccia::ErroreDatabase:
      Errore(kErroreDatabase + r.errore);
      return 1;
    case EsitoTraccia::Completa:
      break;
  }
  for (int giorno = 1; giorno <= periodo->giorni; ++giorno) Stampa(RigaGiorno(attivita, giorno));
  return 0;
}
}  // namespace

ComandoBatch ComandoAttivita() {
  return {"attivita", 3, 3,
          "  quarvel-batch attivita PERCORSO_DB ANNO MESE\n"
          "      i quarti d'ora del mese con almeno un campione, come la finestra Analisi\n"
          "      Utilizzo: una riga per giorno, '#' dove il quarto d'ora ha dati\n",
          Attivita};
}

}  // namespace quarvel
