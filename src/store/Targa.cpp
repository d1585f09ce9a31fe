#include "Targa.h"

namespace quarvel {

QString ControllaTarga(const QString& targa) {
  if (targa.trimmed().isEmpty()) return QStringLiteral("Inserire la targa del mezzo");
  static const QString vietati = QStringLiteral("\\/:*?\"<>|");
  bool valida = !targa.contains(QLatin1String(".."));
  for (const QChar c : targa)
    if (vietati.contains(c) || c.category() == QChar::Other_Control) valida = false;
  if (valida) return {};
  return QStringLiteral("La targa \"%1\" non è valida: non può contenere \\ / : * ? \" < > |, "
                        "caratteri di controllo o \"..\".")
      .arg(targa);
}

}  // namespace quarvel
