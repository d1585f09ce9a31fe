#pragma once
// Tables as CSV: fields separated by ';', quoted when they hold a ';', a
// quote or a line end. From a window the numbers and dates are written in
// the user's format (the decimal comma in Italian), for a spreadsheet of the
// user's language; from quarvel-batch with a decimal point and ISO dates,
// for scripts.
#include "Connessione.h"
#include "TabellaEsportata.h"

#include <QLocale>

namespace quarvel {

struct FormaCsv {
  // Numbers and dates in this locale's format; none: a decimal point and
  // "YYYY-MM-DD HH:MM:SS".
  std::optional<QLocale> locale;
  static FormaCsv Utente();
  static FormaCsv Script() { return {}; }
};

// The heading line, then one line per row, without line ends.
QStringList RigheCsv(const TabellaEsportata& tabella, const FormaCsv& forma);

// Writes the lines, each ending in CR LF, as the whole new content of the
// file: beside it first, then renamed into place, so that a kill or a full
// disk leaves the old file (or none) and never half a table.
Esito ScriviCsv(const TabellaEsportata& tabella, const QString& percorso, const FormaCsv& forma);

}  // namespace quarvel
