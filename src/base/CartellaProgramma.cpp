#include "CartellaProgramma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace quarvel {

namespace {
struct Cartelle {
  QString programma;
  QString dati;  // decided on first use, again after the program folder changes
};
Cartelle& Stato() {
  static Cartelle cartelle;
  return cartelle;
}

bool Scrivibile(const QString& cartella) {
#ifdef Q_OS_UNIX
  // The system's own answer: it knows read-only mounts and access lists.
  return ::access(QFile::encodeName(cartella).constData(), W_OK | X_OK) == 0;
#else
  return QFileInfo(cartella).isWritable();
#endif
}

// The installed program folder has no DATA folder: so even the
// administrator, who may write anywhere, keeps his data out of /usr.
QString ScegliCartellaDati(const QString& programma) {
  const QString dati = programma + QStringLiteral("/DATA");
  if (QFileInfo(dati).isDir() && Scrivibile(dati) && Scrivibile(programma)) return programma;
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  // A relative value is no valid one: the default stands.
  if (base.isEmpty() || QDir::isRelativePath(base))
    base = QDir::homePath() + QStringLiteral("/.local/share");
  return QDir::cleanPath(base + QStringLiteral("/quarvel"));
}

QString Sotto(const QString& cartella, const QString& parte) {
  return QDir::cleanPath(cartella + QLatin1Char('/') + parte);
}
}  // namespace

QString CartellaProgramma() {
  Cartelle& c = Stato();
  if (c.programma.isEmpty() && QCoreApplication::instance())
    c.programma = QCoreApplication::applicationDirPath();
  return c.programma;
}

void ImpostaCartellaProgramma(const QString& cartella) {
  Stato() = {QDir::cleanPath(QDir(cartella).absolutePath()), {}};
}

QString PercorsoProgramma(const QString& parte) { return Sotto(CartellaProgramma(), parte); }

QString CartellaDati() {
  Cartelle& c = Stato();
  const QString programma = CartellaProgramma();
  if (programma.isEmpty()) return ScegliCartellaDati(programma);  // no executable known yet
  if (c.dati.isEmpty()) c.dati = ScegliCartellaDati(programma);
  return c.dati;
}

QString PercorsoDati(const QString& parte) { return Sotto(CartellaDati(), parte); }

QString NomeDatabaseVeicolo(const QString& targa, const QString& anno) {
  return targa + QStringLiteral("_ ") + anno;
}

QString PercorsoDatabaseVeicolo(const QString& targa, const QString& anno) {
  return PercorsoDati(QStringLiteral("DATA/") + NomeDatabaseVeicolo(targa, anno) +
                      QStringLiteral(".mdb"));
}

}  // namespace quarvel
