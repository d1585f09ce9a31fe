#pragma once
// The reading cursor over the table Logs of an open vehicle database, on a
// closed period of TimeDate. Walking forward steps one SQLite statement that
// scans the key range; any other move finds its record with a keyed query on
// TimeDate and starts the scan again there. Memory stays constant whatever
// the period.
#include "Connessione.h"
#include "Logs.h"

namespace quarvel {

class CursoreSqlite : public CursoreLogs {
 public:
  // Valido() is false when the statements could not be prepared (no table
  // Logs, a file that is no database): the connection's error says why.
  CursoreSqlite(Connessione& connessione, Istante inizio, Istante fine);
  CursoreSqlite(const CursoreSqlite&) = delete;
  CursoreSqlite& operator=(const CursoreSqlite&) = delete;
  bool Valido() const { return bool(flusso_); }
  // Once per connection, before its first cursor: the SQL function that
  // hands a whole row to the cursor.
  static bool Registra(Connessione& connessione);

  bool AllaFine() const override;
  bool AllInizio() const override;
  void Primo() override;
  void Ultimo() override;
  void Successivo() override;
  void Sposta(int64_t n) override;
  void PrimoDa(Istante chiave) override;
  int64_t Intero(int posizione) const override;
  double Reale(int posizione) const override;
  CampioneLog Campione() const override;
  QString Errore() const override { return errore_; }

  // Ends the running scan, keeping the position, so that writes and commits
  // on the connection are not held up; the next read starts it again.
  void Sospendi() const;
  bool InScansione() const { return inScansione_; }

 private:
  enum class Stato { DaAprire, Prima, Su, Dopo };
  void Apri() const;
  // Starts the scan at the first key >= chiave; false when there is none.
  bool Scansione(Istante chiave) const;
  // The key `salto` records past `da` (forward, or backward); nothing when
  // there is no such record in the period.
  bool Cerca(bool avanti, Istante da, int64_t salto, Istante& trovata) const;
  void Fuori(Stato stato) const;
  // sqlite3_step: true on a row; a failure is kept in errore_.
  bool Passo(sqlite3_stmt* s) const;

  Istante inizio_, fine_;
  Istruzione flusso_, avanti_, indietro_;
  mutable CampioneLog campione_;  // the current record, filled by the scan
  mutable Stato stato_ = Stato::DaAprire;
  mutable Istante chiave_ = 0;
  mutable bool vuoto_ = false;
  mutable bool inScansione_ = false;
  mutable QString errore_;
};

}  // namespace quarvel
