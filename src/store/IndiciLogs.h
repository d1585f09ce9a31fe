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
// hour of data). After any other write (or in a database of another
// version) LogsOre no longer describes Logs: the state row says so, the
// writers stop keeping it, and it is packed anew from every sample (seconds
// for a year) only by an update that asks for it, a reader of whole periods's
// or the import's: the chart and the month track do not wait for it.
//
// A file that cannot be written (read-only, locked by another program) keeps
// its stale tables, and its readers go to Logs itself.
#include "Connessione.h"

#include <QString>

namespace quarvel {

// Whether an update packs LogsOre anew when it no longer describes Logs.
enum class OreCompatte { Lasciate, Comprese };

// Opens an existing vehicle database (a file without Logs fails) and brings
// its tables up to date (LogsOre too, or not); `aggiornati` tells whether
// they are. The connection can carry cursors over Logs.
Esito ApriIndiciLogs(Connessione& connessione, const QString& percorso, bool& aggiornati,
                     OreCompatte ore = OreCompatte::Lasciate);

// True when the tables describe Logs as it is (LogsOre too, when asked).
// Call it inside a read transaction, and read the tables in the same one:
// nobody commits between the check and the reading.
bool IndiciCorrenti(Connessione& connessione, OreCompatte ore = OreCompatte::Lasciate);

// What bringing the tables up to date took.
enum class AggiornamentoIndici {
  Correnti,      // nothing: they were up to date
  Incrementale,  // LogsOrdinali and LogsAttivita rebuilt; LogsOre as it was
  Completo,      // LogsOre packed anew from every sample too
  Fallito,       // the file could not be written: they stay as they were
};

// Brings the tables of the vehicle database at percorso up to date, LogsOre
// included. The import calls it after its last commit, so that the first
// reader after an import costs no rebuild. A failure is harmless: the next
// reader rebuilds.
Esito AggiornaIndiciLogs(const QString& percorso, AggiornamentoIndici* fatto = nullptr,
                         OreCompatte ore = OreCompatte::Comprese);

// For the writers of samples, right after their transaction began (the
// write lock held, nothing written yet): whether only our own writers have
// committed since the tables were last brought up to date (then the writer
// counts its commit with ContaScritturaPropria), and whether LogsOre
// describes Logs (then it keeps it). A database whose Logs is still empty is
// up to date as it stands: its state row is made now.
struct ScritturaPropria {
  bool catena = false;
  bool ore = false;
};
ScritturaPropria InizioScritturaPropria(Connessione& connessione);
// Counts the writer's commit among its own; inside its transaction, just
// before the COMMIT.
bool ContaScritturaPropria(Connessione& connessione);

}  // namespace quarvel
