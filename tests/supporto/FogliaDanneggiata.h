#pragma once
// Overwrites the last leaf page of a table of an SQLite file, as a failing
// disk would: a walk of the table reads its first pages, then meets the
// damage halfway, wherever the file's other tables put their pages.
#include <QFile>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace quarvel {

inline void DanneggiaUltimaFoglia(const QString& percorso, const char* tabella) {
  // The engine's own map of the file's pages; a path orders them as the keys.
  const QByteArray nome = QByteArray("'") + tabella + "'";
  const QByteArray sql = "SELECT pageno, pgsize, (SELECT count(*) FROM dbstat WHERE name = " + nome +
                         ") FROM dbstat WHERE name = " + nome +
                         " AND pagetype = 'leaf' ORDER BY path DESC LIMIT 1";
  int64_t foglia[3] = {0, 0, 0};  // page, page size, pages of the table
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_exec(db, sql.constData(),
               [](void* f, int, char** valori, char**) {
                 for (int i = 0; i < 3; ++i) static_cast<int64_t*>(f)[i] = std::atoll(valori[i]);
                 return 0;
               },
               foglia, nullptr);
  sqlite3_close(db);
  ASSERT_GT(foglia[2], 1) << tabella << ": no leaf of its own";
  QFile f(percorso);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.seek((foglia[0] - 1) * foglia[1]);
  f.write(QByteArray(foglia[1], '\x5a'));
}

}  // namespace quarvel
