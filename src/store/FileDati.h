#pragma once
// File look-ups of the data folders. Names are matched as the file systems
// our users had always did, without regard to letter case: a vehicle
// database "ab123cd_ 2026.mdb" is found for plate AB123CD and never replaced.
#include <QString>

namespace quarvel {

// The name of the file cartella/nome as it is on disk, or an empty text.
// cartella may end with a separator or not.
QString CercaFile(const QString& cartella, const QString& nome);
// The same for a full path: the file's name as on disk, or an empty text.
QString EsisteFile(const QString& percorso);
// The full path of that file as on disk, or an empty text.
QString TrovaFile(const QString& percorso);
// True when the path names an existing folder; false for a file, nothing,
// or what cannot be examined.
bool EsisteCartella(const QString& percorso);

}  // namespace quarvel
