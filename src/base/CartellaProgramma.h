#pragma once
// The program folder: the folder of the executable, below which lie every
// data file of Quarvel (DATA/, DB/, REPORT/, images/, the .lan files and
// Quarvelini.ini). Tests point it at a temporary folder.
#include <QString>

namespace quarvel {

QString CartellaProgramma();
void ImpostaCartellaProgramma(const QString& cartella);

// A path below the program folder: PercorsoProgramma("DATA/AB123CD_ 2026.mdb").
QString PercorsoProgramma(const QString& parte);

// The name of the vehicle database of a plate and a year: "AB123CD_ 2026".
QString NomeDatabaseVeicolo(const QString& targa, const QString& anno);
// Program folder + DATA/ + that name + ".mdb".
QString PercorsoDatabaseVeicolo(const QString& targa, const QString& anno);

}  // namespace quarvel
