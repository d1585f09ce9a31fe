#include "CartellaProgramma.h"

#include <QCoreApplication>
#include <QDir>

namespace quarvel {

namespace {
QString& Cartella() {
  static QString cartella;
  return cartella;
}
}  // namespace

QString CartellaProgramma() {
  if (Cartella().isEmpty() && QCoreApplication::instance())
    Cartella() = QCoreApplication::applicationDirPath();
  return Cartella();
}

void ImpostaCartellaProgramma(const QString& cartella) {
  Cartella() = QDir::cleanPath(QDir(cartella).absolutePath());
}

QString PercorsoProgramma(const QString& parte) {
  return QDir::cleanPath(CartellaProgramma() + QLatin1Char('/') + parte);
}

QString NomeDatabaseVeicolo(const QString& targa, const QString& anno) {
  return targa + QStringLiteral("_ ") + anno;
}

QString PercorsoDatabaseVeicolo(const QString& targa, const QString& anno) {
  return PercorsoProgramma(QStringLiteral("DATA/") + NomeDatabaseVeicolo(targa, anno) +
                           QStringLiteral(".mdb"));
}

}  // namespace quarvel
