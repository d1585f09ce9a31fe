#include "TrovaVoce.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

QString TrovaVoce(const QString& percorso, TipoVoce tipo) {
  if (percorso.isEmpty()) return {};
  const QFileInfo info(percorso);
  if (tipo == TipoVoce::File ? info.isFile() : info.isDir()) return info.absoluteFilePath();
  const QString nome = info.fileName();
  if (nome.isEmpty()) return {};
  const QDir cartella = info.absoluteDir();
  const QStringList voci = cartella.entryList(
      (tipo == TipoVoce::File ? QDir::Files : QDir::Dirs) | QDir::Hidden | QDir::System |
      QDir::NoDotAndDotDot);
  for (const QString& voce : voci)
    if (voce.compare(nome, Qt::CaseInsensitive) == 0) return cartella.absoluteFilePath(voce);
  return {};
}

QString PercorsoEsistente(const QString& percorso) {
  const QString trovato = TrovaVoce(percorso, TipoVoce::File);
  return trovato.isEmpty() ? percorso : trovato;
}

}  // namespace quarvel
