#include "CartellaProva.h"

#include "CartellaProgramma.h"
#include "Localizzazione.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
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

QList<QByteArray> LeggiSql(const QString& percorso, const char* sql) {
  QList<QByteArray> valori;
  sqlite3* db = nullptr;
  sqlite3_stmt* s = nullptr;
  sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_busy_timeout(db, 60000);
  EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &s, nullptr), SQLITE_OK) << sql << ": " << sqlite3_errmsg(db);
  while (sqlite3_step(s) == SQLITE_ROW)
    for (int i = 0; i < sqlite3_column_count(s); ++i)
      valori << QByteArray(static_cast<const char*>(sqlite3_column_blob(s, i)), sqlite3_column_bytes(s, i));
  sqlite3_finalize(s);
  sqlite3_close(db);
  return valori;
}

void ChiudiSql::operator()(sqlite3* db) const { sqlite3_close(db); }

BloccoSql BloccaSql(const QString& percorso, const char* inizio) {
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(QFile::encodeName(percorso).constData(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, inizio, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  return BloccoSql(db);
}

namespace {
// Overwrites one page of a table, found in the engine's own map of the
// file's pages (the `dove` condition picks it), as a failing disk would.
void DanneggiaPagina(const QString& percorso, const char* tabella, const char* dove, int minimoPagine) {
  const QByteArray nome = QByteArray("'") + tabella + "'";
  const QByteArray sql = "SELECT pageno, pgsize, (SELECT count(*) FROM dbstat WHERE name = " + nome +
                         ") FROM dbstat WHERE name = " + nome + dove;
  const QList<QByteArray> pagina = LeggiSql(percorso, sql.constData());
  ASSERT_EQ(pagina.size(), 3) << tabella;
  ASSERT_GE(pagina[2].toInt(), minimoPagine) << tabella;
  QFile f(percorso);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.seek((pagina[0].toLongLong() - 1) * pagina[1].toLongLong());
  f.write(QByteArray(pagina[1].toInt(), '\x5a'));
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
