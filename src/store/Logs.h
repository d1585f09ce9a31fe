#pragma once
// The vehicle database: one SQLite file per vehicle and year holding the
// table Logs, one row per logged second, keyed by TimeDate.
//
// This header is the contract the import, the analyses and the chart rely
// on; the implementation lives in Logs.cpp and CursoreSqlite.cpp.
#include "Connessione.h"
#include "Istante.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace quarvel {

// One log sample record, in column order (positions 0..19).
struct CampioneLog {
  Istante TimeDate = 0;
  Istante TimeDateLH = 0;
  int16_t DatoPT = 0;
  int16_t Dato0 = 0, Dato1 = 0;
  float Dato2 = 0;
  int16_t Dato3 = 0, Dato4 = 0, Dato5 = 0;
  float Dato6 = 0;
  int16_t Dato7 = 0;
  int32_t Dato8 = 0, Dato9 = 0;
  double Dato10 = 0, Dato11 = 0;
  int16_t Dato12 = 0;
  float Dato13 = 0;
  int16_t Dato14 = 0;
  float Dato15 = 0;
  int16_t Dato16 = 0;
  bool operator==(const CampioneLog&) const = default;
};

// Column positions as the reading queries return them.
enum ColonnaLogs : int {
  kTimeDate = 0, kTimeDateLH, kDatoPT, kDato0, kDato1, kDato2, kDato3, kDato4, kDato5,
  kDato6, kDato7, kDato8, kDato9, kDato10, kDato11, kDato12, kDato13, kDato14,
  kDato15, kDato16, kNumeroColonne
};

// A reading cursor over the samples of a period in ascending TimeDate order.
// It never holds more than the current row: a year at one sample per second
// is over ten million rows.
class CursoreLogs {
 public:
  virtual ~CursoreLogs() = default;
  // True past the last record / before the first; both true on no records.
  virtual bool AllaFine() const = 0;
  virtual bool AllInizio() const = 0;
  virtual void Primo() = 0;
  virtual void Ultimo() = 0;
  virtual void Successivo() = 0;
  // Moves by n records (negative: backwards); past either end it stops at
  // end or beginning.
  virtual void Sposta(int64_t n) = 0;
  // Moves to the first record whose TimeDate is at or after `chiave`; at the
  // end when the period has none. The SQLite cursor seeks it on the key; the
  // others walk from the first record.
  virtual void PrimoDa(Istante chiave);
  // Column by position of the current record (undefined at end/beginning).
  virtual int64_t Intero(int posizione) const = 0;
  virtual double Reale(int posizione) const = 0;
  Istante TimeDate() const { return Intero(kTimeDate); }
  // The whole current record (undefined at end/beginning).
  virtual CampioneLog Campione() const;
  // Why the records ended early (a disk that failed while reading, a file
  // damaged halfway), as the engine describes it; empty when they did not.
  virtual QString Errore() const { return {}; }
};

// Period bounds that take in the whole table (far beyond any real date).
inline constexpr Istante kInizioTabella = -(Istante(1) << 62);
inline constexpr Istante kFineTabella = Istante(1) << 62;

// What became of a sample handed to the database.
enum class EsitoScrittura { Salvato, Duplicato, Errore };

// One open vehicle database: the cursor of a period for the readers, and
// the writing of samples for the import.
//
// Writes go through one prepared statement inside transactions, committed
// every kLotto samples (ConfermaOgni) and at Chiudi, or only when the caller
// says (Conferma) for a writer that commits its own progress with the
// samples. The file keeps a rollback journal (journal_mode=DELETE) with
// synchronous=EXTRA: every commit, the journal's deletion included, reaches
// the disk before it returns, so a crash or a power cut loses at most the
// open transaction and never damages the file. WAL would leave two more files beside the .mdb and fails on
// network folders.
class DatabaseLogs {
 public:
  DatabaseLogs();
  ~DatabaseLogs();  // closes, committing what was written
  DatabaseLogs(const DatabaseLogs&) = delete;
  DatabaseLogs& operator=(const DatabaseLogs&) = delete;

  // Opens an existing vehicle database (never creates one); the cursor
  // covers the whole table, or the closed period from inizio to fine, both
  // to the second. An open database is closed first.
  Esito Apri(const QString& percorso);
  Esito Apri(const QString& percorso, Istante inizio, Istante fine);
  // Commits and closes; the failure of the last commit, if any (its batch is
  // lost). Closing a closed database succeeds.
  Esito Chiudi();
  bool Aperto() const;
  const QString& Percorso() const;

  // Appends one sample. A second already present is Duplicato; anything else
  // that goes wrong is Errore, with the reason in UltimoErrore().
  EsitoScrittura Scrivi(const CampioneLog& campione);
  // sqlite3_errmsg of the last Errore.
  const QString& UltimoErrore() const;
  // The DatoPT stored for that second; nothing when there is no such sample
  // or the read failed (UltimoErrore() then says why).
  std::optional<int16_t> DatoPTPresente(Istante timeDate);
  // Opens the transaction now, if none is open (Scrivi does it itself).
  Esito Inizia();
  // Commits the open transaction now.
  Esito Conferma();
  // Drops what the open transaction wrote.
  void Annulla();
  // Commits by itself every n samples written; 0: only on Conferma and
  // Chiudi.
  void ConfermaOgni(int n);
  // The connection, for the few statements of other tables that must share
  // the samples' transaction.
  Connessione& connessione();

  // The cursor of the period given to Apri; the same object for the life of
  // the DatabaseLogs, with no records while closed.
  CursoreLogs& Cursore();
  // A further cursor of its own on another period of this database; destroy
  // it before Chiudi. Null when closed.
  std::unique_ptr<CursoreLogs> NuovoCursore(Istante inizio, Istante fine);

  static constexpr int kLotto = 100000;

 private:
  struct Dati;
  std::unique_ptr<Dati> d_;
};

// The shared vehicle database of the program: only one is open at a time,
// and an open while one is open closes it and takes its place. The caller
// shows the message of a failed open.
Esito ApriLogs(const QString& percorso);
Esito ApriLogsPeriodo(const QString& percorso, Istante inizio, Istante fine);
// Commits and closes; a failed commit is shown as a database error.
void ChiudiLogs();
// 0 when the sample was stored, 1 when it was not: a second already present
// silently, any other failure after the message "Errore Database, comunicare
// Err: " + the engine's description.
int ScriviRecordLogs(const CampioneLog& campione);
// The same, telling a second already present from a failure of the
// database (already shown to the user).
EsitoScrittura ScriviCampione(const CampioneLog& campione);
// The cursor of the shared database (empty when none is open), and the
// database itself for the few who need more.
CursoreLogs& RecordsetLogs();
DatabaseLogs& DatabaseLogsCondiviso();

}  // namespace quarvel
