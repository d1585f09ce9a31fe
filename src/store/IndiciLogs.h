#pragma once
// The small tables kept beside Logs so that a reader need not walk the
// samples: LogsOrdinali (the TimeDate of every 7,200th record, for the
// chart's pages, OrdinaliLogs.h) and LogsAttivita (the quarter-hours of each
// day that hold samples, for the month track, AttivitaLogs.h).
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

// Brings the tables of the vehicle database at percorso up to date. The
// import calls it after its last commit, so that the first reader after an
// import costs no rebuild. A failure is harmless: the next reader rebuilds.
Esito AggiornaIndiciLogs(const QString& percorso);

}  // namespace quarvel
