#pragma once
// Where Quarvel's files lie; every path is formed here.
//
// The program folder is the folder of the executable: the language files,
// images/ and the database templates in DB/ are read there. What the
// program writes (DATA/, REPORT/, the registry DB/Anagrafica97.mdb, the
// settings files, the activity log) lies in the data folder. That is the
// program folder itself when it holds its DATA folder and the user may
// write there (the build folder, a copy on a USB stick); otherwise, as for
// the package installed under /usr, $XDG_DATA_HOME/quarvel, by default
// ~/.local/share/quarvel: each user's own. Tests point the program folder
// at a temporary folder.
#include <QString>

namespace quarvel {

QString CartellaProgramma();
// Sets the program folder; the data folder is decided anew from it.
void ImpostaCartellaProgramma(const QString& cartella);

// A path of the read-only part below the program folder:
// PercorsoProgramma("DB/proto97.mdb"), PercorsoProgramma("IT.lan").
QString PercorsoProgramma(const QString& parte);

QString CartellaDati();
// Any path below the data folder: PercorsoDati("DATA/AB123CD_ 2026.mdb"),
// PercorsoDati("REPORT"), PercorsoDati("Quarvelini.ini").
QString PercorsoDati(const QString& parte);

// The name of the vehicle database of a plate and a year: "AB123CD_ 2026".
QString NomeDatabaseVeicolo(const QString& targa, const QString& anno);
// Data folder + DATA/ + that name + ".mdb".
QString PercorsoDatabaseVeicolo(const QString& targa, const QString& anno);

}  // namespace quarvel
