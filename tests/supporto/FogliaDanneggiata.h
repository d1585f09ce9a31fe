#pragma once
// Overwrites the last leaf page of a table of an SQLite file, as a failing
// disk would: a walk of the table reads its first pages, then meets the
// damage halfway, wherever the file's other tables put their pages.
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace quarvel {

inline void DanneggiaUltimaFoglia(const QString& percorso, const char* tabella) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT rootpage, (SELECT page_size FROM pragma_page_size) "
                     "FROM sqlite_schema WHERE name = ?1",
                     -1, &s, nullptr);
  sqlite3_bind_text(s, 1, tabella, -1, SQLITE_STATIC);
  const bool trovata = sqlite3_step(s) == SQLITE_ROW;
  const int64_t radice = sqlite3_column_int64(s, 0), dimensione = sqlite3_column_int64(s, 1);
  sqlite3_finalize(s);
  sqlite3_close(db);
  ASSERT_TRUE(trovata) << tabella;
  QFile f(percorso);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  // Down the right-most pointers of the interior pages (type 5) to a leaf.
  int64_t pagina = radice;
  for (;;) {
    f.seek((pagina - 1) * dimensione);
    const QByteArray byte = f.read(dimensione);
    const int testa = pagina == 1 ? 100 : 0;
    if (byte.size() != dimensione || byte[testa] != 5) break;
    pagina = qFromBigEndian<quint32>(byte.constData() + testa + 8);
  }
  ASSERT_NE(pagina, radice) << tabella << " fits one page";
  f.seek((pagina - 1) * dimensione);
  f.write(QByteArray(dimensione, '\x5a'));
}

}  // namespace quarvel
