#pragma once
// How far an import has come, kept in the vehicle database itself, in the
// table Importazioni beside Logs, and written in the same transaction as the
// samples it covers. After a kill it says exactly which lines of the
// archived files are stored and what the counters were at that moment, so
// the next import goes on from there as if nothing had happened.
#include "Connessione.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace quarvel {

class DatabaseLogs;

struct AvanzamentoImport {
  QString archivio;         // the archive folder's name: the key
  QString file;             // the file to go on with; empty when all are done
  int64_t posizione = 0;    // bytes of that file already done
  int64_t riga = 0;         // lines of that file already done
  int64_t contatore = 0;    // samples since the recording header (DatoPT)
  int64_t fileLetti = 0;    // files done
  int64_t recordSalvati = 0;
  int64_t righeNonSalvate = 0;
  int64_t duplicati = 0;    // of those, samples of a second already stored
  int64_t viaggi = 0;
  int64_t byteErrori = 0;   // the error-output file's length
  bool finita = false;      // every line stored: only the closing is left
  bool operator==(const AvanzamentoImport&) const = default;
};

// Makes the table when the database has none (templates and databases of
// older installations hold only Logs), and adds the columns that a table of
// an older installation lacks.
Esito PreparaAvanzamento(DatabaseLogs& db);
// The progress kept for that archive, if any.
struct AvanzamentoLetto {
  Esito esito;
  std::optional<AvanzamentoImport> avanzamento;
};
AvanzamentoLetto LeggiAvanzamento(DatabaseLogs& db, const QString& archivio);
// Written inside the open transaction (opened when none is).
Esito ScriviAvanzamento(DatabaseLogs& db, const AvanzamentoImport& a);
// Forgets an archive whose import is closed, inside the open transaction
// (opened when none is).
Esito CancellaAvanzamento(DatabaseLogs& db, const QString& archivio);

}  // namespace quarvel
