#pragma once
// Names are matched as the file systems our users had always did, without
// regard to letter case: an installation copied from another system may hold
// "QUARVELINI.INI", "en.lan" or "ab123cd_ 2026.mdb", and each is found.
#include <QString>

namespace quarvel {

enum class TipoVoce { File, Cartella };

// The full path of the entry the path names, as it lies on disk, whatever
// the letter case of its last part (the exact name first); empty when there
// is none of that kind.
QString TrovaVoce(const QString& percorso, TipoVoce tipo);

// The file as it lies on disk, or the path itself when there is none (to be
// created under that name).
QString PercorsoEsistente(const QString& percorso);

}  // namespace quarvel
