#pragma once
// The samples of a period for a reader of whole periods (the consumption
// analysis, the fuel events): from the packed hours of LogsOre when they
// describe Logs as it is, otherwise through the cursor of Logs, the
// reference. The one place where that choice is made.
#include "Connessione.h"
#include "LettureCampioni.h"

#include <QString>
#include <memory>

namespace quarvel {

// The best source for the period from inizio to fine (both included) of a
// database opened with ApriIndiciLogs. The packed hours when the tables
// beside Logs are current (they are read in the transaction that found
// them so); otherwise the cursor. Nothing when neither can be prepared
// (the connection's error says why).
std::unique_ptr<SorgenteLetture> LettureMigliori(Connessione& connessione, Istante inizio,
                                                 Istante fine);

// A vehicle database opened on a period, with its best source.
class LetturePeriodo final : public SorgenteLetture {
 public:
  LetturePeriodo() = default;
  ~LetturePeriodo() override;
  LetturePeriodo(const LetturePeriodo&) = delete;
  LetturePeriodo& operator=(const LetturePeriodo&) = delete;

  // Opens an existing vehicle database (bringing the tables beside Logs up
  // to date when it can) on the period.
  Esito Apri(const QString& percorso, Istante inizio, Istante fine);
  // True when the samples come from the packed hours.
  bool Compatte() const { return compatte_; }

  std::span<const LetturaCampione> Prossime() override;
  QString Errore() const override;

 private:
  Connessione connessione_;
  std::unique_ptr<SorgenteLetture> sorgente_;
  bool compatte_ = false;
};

}  // namespace quarvel
