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

void DanneggiaRadice(const QString& percorso, const char* tabella) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT rootpage, (SELECT page_size FROM pragma_page_size) "
                     "FROM sqlite_schema WHERE name = ?1",
                     -1, &s, nullptr);
  sqlite3_bind_text(s, 1, tabella, -1, SQLITE_STATIC);
  const bool trovata = sqlite3_step(s) == SQLITE_ROW;
  const int64_t pagina = sqlite3_column_int64(s, 0), dimensione = sqlite3_column_int64(s, 1);
  sqlite3_finalize(s);
  sqlite3_close(db);
  ASSERT_TRUE(trovata) << tabella;
  QFile f(percorso);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.seek((pagina - 1) * dimensione);
  f.write(QByteArray(dimensione, '\x5a'));
}

}  // namespace quarvel
