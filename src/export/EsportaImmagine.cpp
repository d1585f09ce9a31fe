#include "EsportaImmagine.h"

#include "FileDurevoli.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

namespace quarvel {

Esito SalvaPng(const QImage& immagine, const QString& percorso) {
  QByteArray byte;
  QBuffer buffer(&byte);
  if (!buffer.open(QIODevice::WriteOnly) || !immagine.save(&buffer, "PNG"))
    return Esito::Fallito(QStringLiteral("Impossibile preparare l'immagine %1")
                              .arg(QDir::toNativeSeparators(percorso)));
  return ScriviDurevole(percorso, byte);
}

}  // namespace quarvel
