#pragma once
// The import of one logger line: decoded, and for a data line its sample
// stored in the shared vehicle database (ApriLogs) through ScriviRecordLogs.
// The driver keeps every counter and acts on the result.
#include <QString>
#include <string_view>

namespace quarvel {

// ErroreDatabase: the database failed to store the sample (a full disk, a
// damaged file); the user has been told, and the line counts as a duplicate.
enum class EsitoRiga {
  RecordSalvato, RecordDuplicato, ErroreDatabase, PrimaRiga, Intestazione, RigaErrata
};

// contatore: samples stored since the last recording header (DatoPT). The
// decoder reads it and never changes it.
EsitoRiga ImportaRigaCSV(std::string_view riga, float contatore);

// The result text the driver acts on: "Record salvato", "Errore record
// duplicato" (also after a database failure, already shown), "Prima riga",
// "intestazione", or for an error line the line itself (its bytes read as
// UTF-8, or as Latin-1 when they are not UTF-8).
QString TestoEsito(EsitoRiga esito, std::string_view riga);

// Both in one, as the import driver calls it for every line.
void StringCSV_to_DB(std::string_view riga, QString& risultato, float contatore);
void StringCSV_to_DB(const QString& riga, QString& risultato, float contatore);

}  // namespace quarvel
