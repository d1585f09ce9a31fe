#include "DatabaseVeicolo.h"

#include "CartellaProgramma.h"
#include "FileDati.h"
#include "FileDurevoli.h"
#include "Logs.h"
#include "Targa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace quarvel {

// The template copied under a temporary name and renamed into place: a
// kill halfway leaves no half database under the real name.
Esito CreaDaModello(const QString& percorso, const QString& modello) {
  const QString temporaneo = NomeTemporaneo(percorso);
  QFile::remove(temporaneo);
  Esito esito = QDir().mkpath(QFileInfo(percorso).absolutePath())
                    ? CopiaFile(modello, temporaneo)
                    : Esito::Fallito(QStringLiteral("impossibile creare la cartella"));
  // A template installed read-only must not make a read-only database.
  if (esito) QFile(temporaneo).setPermissions(QFile(temporaneo).permissions() | QFile::WriteOwner);
  if (esito) esito = Rinomina(temporaneo, percorso);
  if (!esito) {
    QFile::remove(temporaneo);
    esito.messaggio = QStringLiteral("impossibile copiare il modello ") +
                      QDir::toNativeSeparators(modello) + QStringLiteral(": ") + esito.messaggio;
  }
  return esito;
}

QString PercorsoModello(int tipoDB) {
  static const char* const modelli[] = {"DB/proto97.mdb", "DB/proto2k.mdb", "DB/proto2k2.mdb"};
  if (tipoDB < 0 || tipoDB > 2) return {};
  return PercorsoProgramma(QString::fromLatin1(modelli[tipoDB]));
}

QString TrovaDatabaseVeicolo(const QString& targa, const QString& anno) {
  return TrovaFile(PercorsoDatabaseVeicolo(targa, anno));
}

QStringList AnniDatabase(const QString& targa) {
  const QString chi = targa.isEmpty() ? QStringLiteral(".+") : QRegularExpression::escape(targa);
  const QRegularExpression nome(QStringLiteral("^%1_ (\\d{4})\\.mdb$").arg(chi),
                                QRegularExpression::CaseInsensitiveOption);
  QStringList anni;
  for (const QString& voce : QDir(PercorsoDati(QStringLiteral("DATA"))).entryList(QDir::Files))
    if (const QRegularExpressionMatch m = nome.match(voce); m.hasMatch() && !anni.contains(m.captured(1)))
      anni << m.captured(1);
  anni.sort();
  return anni;
}

QStringList DatiDelVeicolo(const QString& targa) {
  // "AB123CD_ 2026.mdb" and ".txt", the folder "AB123CD_ 2026", the archive
  // "AB123CD_2026-12-04_ 1".
  const QRegularExpression nome(
      QStringLiteral("^%1_( \\d{4}(\\.mdb|\\.txt)?|\\d{4}-\\d{2}-\\d{2}_ *\\d+)$")
          .arg(QRegularExpression::escape(targa)),
      QRegularExpression::CaseInsensitiveOption);
  QStringList trovati;
  for (const QString& voce : QDir(PercorsoDati(QStringLiteral("DATA")))
                                 .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    if (nome.match(voce).hasMatch()) trovati << voce;
  return trovati;
}

DatabaseAperto ApriDatabaseVeicolo(const QString& targa, const QString& anno, int tipoDB) {
  return ApriDatabaseVeicolo(targa, anno, tipoDB, DatabaseLogsCondiviso());
}

DatabaseAperto ApriDatabaseVeicolo(const QString& targa, const QString& anno, int tipoDB,
                                   DatabaseLogs& db) {
  DatabaseAperto r;
  if (const QString errore = ControllaTarga(targa); !errore.isEmpty()) {
    r.esito = Esito::Fallito(errore);
    return r;
  }
  r.percorso = TrovaDatabaseVeicolo(targa, anno);
  Esito creato;
  const bool nuovo = r.percorso.isEmpty();
  if (nuovo) {
    r.percorso = PercorsoDatabaseVeicolo(targa, anno);
    const QString modello = PercorsoModello(tipoDB);
    creato = modello.isEmpty()
                 ? Esito::Fallito(QStringLiteral("tipo di database sconosciuto (%1)").arg(tipoDB))
                 : CreaDaModello(r.percorso, modello);
  }
  r.esito = db.Apri(r.percorso);
  if (!creato) r.esito.messaggio += QStringLiteral(" (") + creato.messaggio + ')';
  if (!r.esito && nuovo && creato) RimuoviDurevole(r.percorso);
  return r;
}

}  // namespace quarvel
