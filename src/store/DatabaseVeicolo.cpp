#include "DatabaseVeicolo.h"

#include "CartellaProgramma.h"
#include "FileDati.h"
#include "Logs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quarvel {

QString PercorsoModello(int tipoDB) {
  static const char* const modelli[] = {"DB/proto97.mdb", "DB/proto2k.mdb", "DB/proto2k2.mdb"};
  if (tipoDB < 0 || tipoDB > 2) return {};
  return PercorsoProgramma(QString::fromLatin1(modelli[tipoDB]));
}

QString TrovaDatabaseVeicolo(const QString& targa, const QString& anno) {
  return TrovaFile(PercorsoDatabaseVeicolo(targa, anno));
}

DatabaseAperto ApriDatabaseVeicolo(const QString& targa, const QString& anno, int tipoDB) {
  DatabaseAperto r;
  r.percorso = TrovaDatabaseVeicolo(targa, anno);
  QString causa;
  if (r.percorso.isEmpty()) {
    r.percorso = PercorsoDatabaseVeicolo(targa, anno);
    const QString modello = PercorsoModello(tipoDB);
    if (modello.isEmpty())
      causa = QStringLiteral("tipo di database sconosciuto (%1)").arg(tipoDB);
    else if (!QDir().mkpath(QFileInfo(r.percorso).absolutePath()) ||
             !QFile::copy(modello, r.percorso))
      causa = QStringLiteral("impossibile copiare il modello ") + QDir::toNativeSeparators(modello);
    else  // a template installed read-only must not make a read-only database
      QFile(r.percorso).setPermissions(QFile(r.percorso).permissions() | QFile::WriteOwner);
  }
  r.esito = ApriLogs(r.percorso);
  if (!r.esito && !causa.isEmpty()) r.esito.messaggio += QStringLiteral(" (") + causa + ')';
  return r;
}

}  // namespace quarvel
