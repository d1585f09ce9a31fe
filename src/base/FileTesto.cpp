#include "FileTesto.h"

#include <QStringDecoder>

namespace quarvel {

QString DecodificaTesto(const QByteArray& byte) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString testo = utf8.decode(byte);
  if (!utf8.hasError()) return testo;
  return QString::fromLatin1(byte);
}

QStringList DividiRighe(const QString& testo) {
  QStringList righe;
  qsizetype inizio = 0;
  const qsizetype n = testo.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = testo[i];
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
    righe << testo.mid(inizio, i - inizio);
    if (c == QLatin1Char('\r') && i + 1 < n && testo[i + 1] == QLatin1Char('\n')) ++i;
    inizio = i + 1;
  }
  if (inizio < n) righe << testo.mid(inizio);
  return righe;
}

std::optional<QStringList> LeggiRigheTesto(const QString& percorso) {
  QFile file(percorso);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return DividiRighe(DecodificaTesto(file.readAll()));
}

ScrittoreTesto::ScrittoreTesto(const QString& percorso, Modo modo) : file_(percorso) {
  file_.open(modo == Modo::Accoda ? QIODevice::WriteOnly | QIODevice::Append
                                  : QIODevice::WriteOnly | QIODevice::Truncate);
}

bool ScrittoreTesto::Testo(const QString& testo) {
  if (!file_.isOpen()) return false;
  const QByteArray byte = testo.toUtf8();
  return file_.write(byte) == byte.size();
}

bool ScrittoreTesto::Riga(const QString& testo) { return Testo(testo + QStringLiteral("\r\n")); }

bool ScrittoreTesto::Chiudi() {
  if (!file_.isOpen()) return false;
  const bool ok = file_.flush();
  file_.close();
  return ok && file_.error() == QFileDevice::NoError;
}
}  // namespace quarvel
