#pragma once
// Tables as an XLSX workbook, one sheet per table, through libxlsxwriter:
// numbers in numeric cells with as many decimals shown as the table says,
// instants in date cells, the headings in bold.
#include "Connessione.h"
#include "TabellaEsportata.h"

#include <vector>

namespace quarvel {

// Written whole in a temporary folder, then put in place as the file's new
// content beside it and renamed: a kill or a full disk never leaves half a
// workbook under the name.
Esito ScriviXlsx(const std::vector<TabellaEsportata>& fogli, const QString& percorso);

}  // namespace quarvel
