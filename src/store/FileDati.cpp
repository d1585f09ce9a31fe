#include "FileDati.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

namespace {
// The entry of the path's folder that matches its last part, file or folder
// as asked, the exact name first.
QString Trova(const QString& percorso, QDir::Filter tipo) {
  if (percorso.isEmpty()) return {};
  const QFileInfo info(percorso);
  if (tipo == QDir::Files ? info.isFile() : info.isDir()) return info.absoluteFilePath();
  const QString nome = info.fileName();
  if (nome.isEmpty()) return {};
  const QDir cartella = info.absoluteDir();
  const QStringList voci =
      cartella.entryList(tipo | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& voce : voci)
    if (voce.compare(nome, Qt::CaseInsensitive) == 0) return cartella.absoluteFilePath(voce);
  return {};
}
}  // namespace

QString TrovaFile(const QString& percorso) { return Trova(percorso, QDir::Files); }

QString EsisteFile(const QString& percorso) { return QFileInfo(TrovaFile(percorso)).fileName(); }

QString CercaFile(const QString& cartella, const QString& nome) {
  if (nome.isEmpty()) return {};
  QString c = cartella;
  if (!c.endsWith(QLatin1Char('/')) && !c.endsWith(QDir::separator())) c += QLatin1Char('/');
  return EsisteFile(c + nome);
}

bool EsisteCartella(const QString& percorso) { return !Trova(percorso, QDir::Dirs).isEmpty(); }

}  // namespace quarvel
