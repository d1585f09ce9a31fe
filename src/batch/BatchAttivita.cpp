// quarvel-batch attivita PERCORSO_DB ANNO MESE
#include "SupportoBatch.h"
#include "TracciaMese.h"

#include <QFileInfo>

namespace quarvel {

MeseBatch ScansioneMese(const QString& percorso, const QString& annoTesto,
                        const QString& meseTesto) {
  MeseBatch m;
  bool annoLetto = false, meseLetto = false;
  m.anno = annoTesto.toInt(&annoLetto);
  m.mese = meseTesto.toInt(&meseLetto);
  const std::optional<PeriodoMese> periodo =
      annoLetto && meseLetto ? CalcolaPeriodoMese(m.anno, m.mese) : std::nullopt;
  if (!periodo) {
    m.stato = Uso(QStringLiteral("ANNO e MESE vanno scritti in cifre, MESE da 1 a 12."));
    return m;
  }
  m.periodo = *periodo;
  if (!QFileInfo(percorso).isFile()) {
    m.stato = Uso(QStringLiteral("Database inesistente: %1").arg(percorso));
    return m;
  }
  AttivitaLogs db;
  if (const Esito aperto = db.Apri(percorso); !aperto) {
    Errore(aperto.messaggio);
    m.stato = 1;
    return m;
  }
  const RisultatoTraccia r = AnalisiTrackmese2(db, *periodo, m.attivita);
  db.Chiudi();
  switch (r.esito) {
    case EsitoTraccia::Vuota:
      Errore(QStringLiteral("Non ci sono dati disponibili per il perido selezionato"));
      m.stato = 1;
      break;
    case EsitoTraccia::ErroreDatabase:
      Errore(kErroreDatabase + r.errore);
      m.stato = 1;
      break;
    case EsitoTraccia::Completa:
      break;
  }
  return m;
}

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
  const MeseBatch m = ScansioneMese(a[1], a[2], a[3]);
  if (m.stato) return m.stato;
  for (int giorno = 1; giorno <= m.periodo.giorni; ++giorno) Stampa(RigaGiorno(m.attivita, giorno));
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
