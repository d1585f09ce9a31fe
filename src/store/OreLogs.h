#pragma once
// The table LogsOre beside Logs: one row per hour that holds samples, the
// hour's start (Ora) and its samples packed column by column (Dati, see
// CodificaOre.h). An analysis of a year then reads about 3,000 blobs at
// memory speed instead of walking eleven million rows.
//
// It is kept with the other tables beside Logs (IndiciLogs.h), with one
// difference: the writers of samples keep it themselves, hour by hour, in
// the same transactions as the samples (OreInScrittura), so that bringing
// it up to date after an import costs nothing and a kill loses nothing. Only
// a write that is not ours (another program, a database of an older
// version) makes it be packed anew, by the next reader of whole periods.
#include "CodificaOre.h"
#include "Connessione.h"
#include "LettureCampioni.h"

#include <QString>
#include <vector>

namespace quarvel {

// The samples of a period read from LogsOre: the hours inside it whole, the
// two end hours cut at its bounds. It runs inside the read transaction in
// which the caller found the table current, and ends it when the period is
// walked (or when it goes).
class LettureOre final : public SorgenteLetture {
 public:
  LettureOre(Connessione& connessione, Istante inizio, Istante fine);
  ~LettureOre() override;
  LettureOre(const LettureOre&) = delete;
  LettureOre& operator=(const LettureOre&) = delete;
  std::span<const LetturaCampione> Prossime() override;
  QString Errore() const override { return errore_; }

 private:
  // The next hour of the period with samples in it; false at the end.
  bool ProssimaOra();
  void Fine();
  Connessione& c_;
  Istante inizio_, fine_;
  Istruzione ore_;
  OraCompatta ora_;
  std::size_t prossimo_ = 0, dopo_ = 0;  // the samples of the hour still to give
  std::vector<LetturaCampione> blocco_;
  Istante ultimaOra_;
  bool finito_ = false;
  QString errore_;
};

// What a writer of samples keeps of LogsOre in its transaction: the hour it
// is writing, as the table held it plus the samples stored since, written
// back when the writer moves to another hour and before it commits.
class OreInScrittura {
 public:
  // Right after the transaction began: keeps the table only when it
  // describes Logs, and counts the commit only when no one else wrote (see
  // InizioScritturaPropria in IndiciLogs.h).
  void Inizio(Connessione& c);
  // Before storing a sample at that instant. False when the table could not
  // be written (a full disk): the transaction is to be given up like a
  // failed insert.
  bool Prepara(Connessione& c, Istante timeDate);
  // The sample Prepara was called for, now stored.
  void Aggiunto(const CampioneLog& campione);
  // Before the commit: the hour written back and the commit counted as ours.
  bool PrimaDellaConferma(Connessione& c);
  // The transaction was rolled back, or the connection closed.
  void Annullata();

 private:
  bool Scrivi(Connessione& c);
  // The hour's samples as the table holds them; false when its blob cannot
  // be read (the table is then left to the next update).
  bool Carica(Connessione& c, Istante ora);

  bool attivo_ = false;
  bool conta_ = false;  // the commit is still to be counted as ours
  bool aperta_ = false, modificata_ = false, ordinata_ = true;
  Istante ora_ = 0;
  std::vector<LetturaCampione> campioni_;
  Istruzione leggi_, scrivi_;
};

// For IndiciLogs.cpp: packs LogsOre anew from every sample of Logs, inside
// the transaction of the rebuild.
bool RicostruisciOreLogs(Connessione& connessione);
// Makes the table, empty, when it is missing.
bool CreaOreLogs(Connessione& connessione);

}  // namespace quarvel
