#pragma once
// The vehicle database of a plate and a year in the folder DATA: found
// whatever the letter case of its name, made from the template of the
// database type when missing.
#include "Connessione.h"

#include <QString>
#include <QStringList>

namespace quarvel {

class DatabaseLogs;

// The template of a database type below the program folder: DB/proto97.mdb
// (0), DB/proto2k.mdb (1), DB/proto2k2.mdb (2); empty for any other type.
QString PercorsoModello(int tipoDB);

// Makes the database file percorso as a byte-for-byte copy of the template
// modello, writable by its owner, durably; a failure leaves no file.
Esito CreaDaModello(const QString& percorso, const QString& modello);

// The path of the vehicle database as it lies in DATA, or an empty text.
QString TrovaDatabaseVeicolo(const QString& targa, const QString& anno);

// The years for which DATA holds a vehicle database ("AB123CD_ 2026.mdb"),
// of any vehicle or, given a plate, of that one (whatever the letter case),
// as four-digit texts in ascending order.
QStringList AnniDatabase(const QString& targa = {});

// What DATA holds of a plate, whatever the letter case: the names of its
// vehicle databases with their error outputs, its year folders and its
// archive folders, sorted. Removing the vehicle from the registry leaves
// them all.
QStringList DatiDelVeicolo(const QString& targa);

struct DatabaseAperto {
  Esito esito;
  // The database file, with its name as on disk when it already existed;
  // the import's error output goes beside it with the same stem.
  QString percorso;
};

// For an import: finds the database of plate and year, or makes it as a
// byte-for-byte copy of the template of tipoDB (nothing for a type outside
// 0..2, and then the open fails), and opens it in db (the shared database
// of ApriLogs unless another is given). A plate that fails the plate rule
// is refused; a database made here that cannot be opened is removed again,
// so a failure never leaves a file behind.
DatabaseAperto ApriDatabaseVeicolo(const QString& targa, const QString& anno, int tipoDB);
DatabaseAperto ApriDatabaseVeicolo(const QString& targa, const QString& anno, int tipoDB,
                                   DatabaseLogs& db);

}  // namespace quarvel
