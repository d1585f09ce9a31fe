#include "FileDati.h"

#include "TrovaVoce.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

QString TrovaFile(const QString& percorso) { return TrovaVoce(percorso, TipoVoce::File); }

QString EsisteFile(const QString& percorso) { return QFileInfo(TrovaFile(percorso)).fileName(); }

QString CercaFile(const QString& cartella, const QString& nome) {
  if (nome.isEmpty()) return {};
  QString c = cartella;
  if (!c.endsWith(QLatin1Char('/')) && !c.endsWith(QDir::separator())) c += QLatin1Char('/');
  return EsisteFile(c + nome);
}

bool EsisteCartella(const QString& percorso) {
  return !TrovaVoce(percorso, TipoVoce::Cartella).isEmpty();
}

}  // namespace quarvel
