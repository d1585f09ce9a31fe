#pragma once
// The import of one logger line: decoded, and for a data line its sample
// stored in the shared vehicle database (ApriLogs) through ScriviRecordLogs;
// and the texts the import writes for each kind of line.
#include <QString>
#include <cstdint>
#include <string_view>

namespace quarvel {

// ErroreDatabase: the database failed to store the sample (a full disk, a
// damaged file); the user has been told.
enum class EsitoRiga {
  RecordSalvato, RecordDuplicato, ErroreDatabase, PrimaRiga, Intestazione, RigaErrata
};

// contatore: samples stored since the last recording header (DatoPT). The
// decoder reads it and never changes it.
EsitoRiga ImportaRigaCSV(std::string_view riga, float contatore);

// The result text the driver acts on: "Record salvato", "Errore record
// duplicato" (also after a database failure, already shown), "Prima riga",
// "intestazione", or for an error line the line itself (TestoRigaErrata).
QString TestoEsito(EsitoRiga esito, std::string_view riga);

// An error line as the error output shows it: its bytes read as UTF-8, or
// as Windows-1252 when they are not UTF-8, and cut to kMassimoErrore
// characters with a marker saying so. lunghezza is the length of the whole
// line when only its start is at hand.
inline constexpr int kMassimoErrore = 1000;
QString TestoRigaErrata(std::string_view riga, int64_t lunghezza = -1);

// The first n characters of a text (a surrogate pair is one character).
QString PrimiCaratteri(const QString& testo, int n);

// Both in one, as the import driver calls it for every line.
void StringCSV_to_DB(std::string_view riga, QString& risultato, float contatore);
void StringCSV_to_DB(const QString& riga, QString& risultato, float contatore);

}  // namespace quarvel
