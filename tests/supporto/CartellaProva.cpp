#include "CartellaProva.h"

#include "CartellaProgramma.h"
#include "Localizzazione.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <sqlite3.h>

namespace quarvel {

namespace {
void CopiaAlbero(const QString& da, const QString& a) {
  QDir().mkpath(a);
  QDirIterator it(da, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString sorgente = it.next();
    const QString relativo = QDir(da).relativeFilePath(sorgente);
    // Only the installation's own files: no executables, no vehicle data,
    // and not the settings or activity log a run of the built program left.
    if (relativo.startsWith(QLatin1String("DATA/")) ||
        relativo.startsWith(QLatin1String("REPORT/")) ||
        relativo == QLatin1String("Quarvelini.ini") || relativo == QLatin1String("Quarvelini.Log") ||
        QFileInfo(sorgente).isExecutable())
      continue;
    const QString destinazione = a + QLatin1Char('/') + relativo;
    QDir().mkpath(QFileInfo(destinazione).absolutePath());
    QFile::copy(sorgente, destinazione);
  }
}
}  // namespace

void CartellaProva::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  CopiaAlbero(QStringLiteral(QUARVEL_CARTELLA_MODELLO), dir_.path());
  QDir(dir_.path()).mkpath(QStringLiteral("DATA"));
  QDir(dir_.path()).mkpath(QStringLiteral("REPORT"));
  ImpostaCartellaProgramma(dir_.path());
  ImpostaLocaleUtente(LocaleItaliano());  // whatever the test before chose
}

QString CartellaProva::Percorso(const QString& parte) const {
  return dir_.path() + QLatin1Char('/') + parte;
}

QString CartellaProva::DatoProva(const QString& nome) {
  return QStringLiteral(QUARVEL_DATI_PROVA) + QLatin1Char('/') + nome;
}

QString CartellaProva::Chiavetta(const QStringList& nomi) const {
  const QString cartella = Percorso(QStringLiteral("chiavetta"));
  QDir().mkpath(cartella);
  for (const QString& nome : nomi)
    ScriviTutto(cartella + QLatin1Char('/') + nome, LeggiTutto(DatoProva(QStringLiteral("import/") + nome)));
  return cartella;
}

QByteArray LeggiTutto(const QString& percorso) {
  QFile f(percorso);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void ScriviTutto(const QString& percorso, const QByteArray& byte) {
  QDir().mkpath(QFileInfo(percorso).absolutePath());
  QFile f(percorso);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(byte);
}

void EseguiSql(const QString& percorso, const char* sql) {
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(QFile::encodeName(percorso).constData(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql << ": " << sqlite3_errmsg(db);
  sqlite3_close(db);
}

namespace {
// Overwrites one page of a table, found in the engine's own map of the
// file's pages (the `dove` condition picks it), as a failing disk would.
void DanneggiaPagina(const QString& percorso, const char* tabella, const char* dove, int minimoPagine) {
  const QByteArray nome = QByteArray("'") + tabella + "'";
  const QByteArray sql = "SELECT pageno, pgsize, (SELECT count(*) FROM dbstat WHERE name = " + nome +
                         ") FROM dbstat WHERE name = " + nome + dove;
  int64_t pagina[3] = {0, 0, 0};  // page, page size, pages of the table
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_exec(db, sql.constData(),
               [](void* p, int, char** valori, char**) {
                 for (int i = 0; i < 3; ++i) static_cast<int64_t*>(p)[i] = std::atoll(valori[i]);
                 return 0;
               },
               pagina, nullptr);
  sqlite3_close(db);
  ASSERT_GE(pagina[2], minimoPagine) << tabella;
  QFile f(percorso);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.seek((pagina[0] - 1) * pagina[1]);
  f.write(QByteArray(pagina[1], '\x5a'));
}
}  // namespace

void DanneggiaRadice(const QString& percorso, const char* tabella) {
  DanneggiaPagina(percorso, tabella, " AND path = '/'", 1);
}

// A path orders the pages as the keys; a table of one page has no leaf of its own.
void DanneggiaUltimaFoglia(const QString& percorso, const char* tabella) {
  DanneggiaPagina(percorso, tabella, " AND pagetype = 'leaf' ORDER BY path DESC LIMIT 1", 2);
}

}  // namespace quarvel
