#pragma once
// The small tables kept beside Logs so that a reader need not walk the
// samples: LogsOrdinali (the TimeDate of every 7,200th record, for the
// chart's pages, OrdinaliLogs.h), LogsAttivita (the quarter-hours of each
// day that hold samples, for the month track, AttivitaLogs.h) and LogsOre
// (the samples of each hour packed column by column, for the analyses,
// OreLogs.h).
//
// They are made on first use (the templates and older databases lack them)
// and rebuilt together, in one transaction, whenever anything wrote to the
// file since they were last brought up to date: an import (also one killed
// halfway, or one that added older samples in the middle), another program.
// It tells by the change counter that SQLite keeps in the file's header and
// bumps at every commit: the rebuild stores, in the one state row of
// LogsIndiciStato, the value its own commit will leave there. One row for
// all the tables, one commit for all: two tables rebuilt apart would each
// bump the counter that the other had just stored, and each would find the
// other stale forever.
//
// Our own writers of samples (DatabaseLogs) keep LogsOre up to date in each
// of their transactions, and count their commits in the state row: when the
// counter has moved by exactly the commits counted, nobody else wrote, and
// the update rebuilds only LogsOrdinali and LogsAttivita (a few seeks per
// hour of data). Any other write, or a database of another version, packs
// LogsOre anew from every sample (seconds for a year).
//
// A file that cannot be written (read-only, locked by another program) keeps
// its stale tables, and its readers go to Logs itself.
#include "Connessione.h"

#include <QString>

namespace quarvel {

// Opens an existing vehicle database (a file without Logs fails) and brings
// its tables up to date; `aggiornati` tells whether they are. The connection
// can carry cursors over Logs.
Esito ApriIndiciLogs(Connessione& connessione, const QString& percorso, bool& aggiornati);

// True when the tables describe Logs as it is. Call it inside a read
// transaction, and read the tables in the same one: nobody commits between
// the check and the reading.
bool IndiciCorrenti(Connessione& connessione);

// What bringing the tables up to date took.
enum class AggiornamentoIndici {
  Correnti,      // nothing: they were up to date
  Incrementale,  // only our own writers had written: LogsOre was kept by them
  Completo,      // somebody else had written: every table rebuilt from Logs
  Fallito,       // the file could not be written: they stay as they were
};

// Brings the tables of the vehicle database at percorso up to date. The
// import calls it after its last commit, so that the first reader after an
// import costs no rebuild. A failure is harmless: the next reader rebuilds.
Esito AggiornaIndiciLogs(const QString& percorso, AggiornamentoIndici* fatto = nullptr);

// For the writers of samples, right after their transaction began (the
// write lock held, nothing written yet): true when only writers that keep
// LogsOre have committed since the tables were last up to date, so that this
// one keeps it too. A database whose Logs is still empty counts as up to
// date (its state row is made now).
bool ScritturaPropria(Connessione& connessione);
// Counts the writer's commit among its own; inside its transaction, just
// before the COMMIT.
bool ContaScritturaPropria(Connessione& connessione);

}  // namespace quarvel
