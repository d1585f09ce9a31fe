#pragma once
// Reads one member of a ZIP file (an XLSX workbook), for the tests that
// read back what the exports wrote.
#include <QByteArray>
#include <QString>

namespace quarvel {

// The member's bytes; empty when the file or the member is missing.
QByteArray LeggiDaZip(const QString& percorso, const QString& membro);

// The cells of an XLSX sheet as "A1=text" (strings resolved through the
// shared strings) or "B2#12.5" (numbers as stored), in the sheet's order.
QStringList CelleXlsx(const QString& percorso, int foglio = 1);

}  // namespace quarvel
