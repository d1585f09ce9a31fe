#pragma once
// A fresh program folder in a temporary directory for each test: the
// language files, the pictures, the database templates and the registry of
// the built program folder, with empty DATA/ and REPORT/.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

struct sqlite3;

namespace quarvel {

class CartellaProva : public ::testing::Test {
 protected:
  void SetUp() override;
  // A path below the test's program folder.
  QString Percorso(const QString& parte) const;
  // A file of tests/data.
  static QString DatoProva(const QString& nome);
  // Logger files of tests/data/import put on the stick, the folder
  // "chiavetta" of the program folder; its path.
  QString Chiavetta(const QStringList& nomi = {QStringLiteral("LOG_A.CSV")}) const;

  QTemporaryDir dir_;
};

// Reads a whole file as bytes (for whole-output comparisons).
QByteArray LeggiTutto(const QString& percorso);
// Writes bytes to a file, creating its folder.
void ScriviTutto(const QString& percorso, const QByteArray& byte);
// Overwrites the root page of a table of an SQLite file, as a failing disk
// would: every reader of that table meets the damage, wherever the file's
// other tables put their pages.
void DanneggiaRadice(const QString& percorso, const char* tabella);
// Overwrites the last leaf page of a table: a walk of the table reads its
// first pages, then meets the damage halfway.
void DanneggiaUltimaFoglia(const QString& percorso, const char* tabella);
// Runs one statement on an SQLite file, as another program would.
void EseguiSql(const QString& percorso, const char* sql);
// Every value of every row a query gives, row after row, as another
// program reads them (waiting for a writer).
QList<QByteArray> LeggiSql(const QString& percorso, const char* sql);

// Another program holding an SQLite file's write lock until it is let go
// ("BEGIN EXCLUSIVE" keeps its readers out too).
struct ChiudiSql {
  void operator()(sqlite3* db) const;  // a close rolls back
};
using BloccoSql = std::unique_ptr<sqlite3, ChiudiSql>;
BloccoSql BloccaSql(const QString& percorso, const char* inizio = "BEGIN IMMEDIATE");

}  // namespace quarvel
