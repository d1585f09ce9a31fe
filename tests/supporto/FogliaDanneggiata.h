#pragma once
// Overwrites the last leaf page of a table of an SQLite file, as a failing
// disk would: a walk of the table reads its first pages, then meets the
// damage halfway, wherever the file's other tables put their pages.
#include <QString>

namespace quarvel {

void DanneggiaUltimaFoglia(const QString& percorso, const char* tabella);

}  // namespace quarvel
