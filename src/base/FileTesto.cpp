#include "FileTesto.h"

#include <QStringDecoder>

namespace quarvel {

namespace {
// Windows-1252 is Latin-1 but for 0x80..0x9F, where it puts the euro sign,
// the typographic quotes and dashes; its five unused bytes stay as they are.
constexpr char16_t kDa80A9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

QString DecodificaTesto(const QByteArray& byte) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString testo = utf8.decode(byte);
  if (!utf8.hasError()) return testo;
  testo = QString::fromLatin1(byte);
  for (QChar& c : testo)
    if (c.unicode() >= 0x80 && c.unicode() <= 0x9F) c = QChar(kDa80A9F[c.unicode() - 0x80]);
  return testo;
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
