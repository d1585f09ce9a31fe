#include "ZipProva.h"

#include "CartellaProva.h"

#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <zlib.h>

namespace quarvel {

namespace {
uint32_t Intero(const QByteArray& b, qsizetype i, int byte) {
  uint32_t v = 0;
  for (int k = byte - 1; k >= 0; --k) v = (v << 8) | uint8_t(b.at(i + k));
  return v;
}

QByteArray Espandi(const QByteArray& compressi, uint32_t dimensione) {
  QByteArray uscita(qsizetype(dimensione), '\0');
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return {};
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressi.constData()));
  z.avail_in = uInt(compressi.size());
  z.next_out = reinterpret_cast<Bytef*>(uscita.data());
  z.avail_out = uInt(uscita.size());
  const int esito = inflate(&z, Z_FINISH);
  inflateEnd(&z);
  return esito == Z_STREAM_END ? uscita : QByteArray();
}
}  // namespace

QByteArray LeggiDaZip(const QString& percorso, const QString& membro) {
  const QByteArray zip = LeggiTutto(percorso);
  const qsizetype fine = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
  if (fine < 0) return {};
  qsizetype voce = Intero(zip, fine + 16, 4);
  for (uint32_t n = Intero(zip, fine + 10, 2); n > 0; --n) {
    const uint32_t metodo = Intero(zip, voce + 10, 2), compressi = Intero(zip, voce + 20, 4);
    const uint32_t dimensione = Intero(zip, voce + 24, 4), nome = Intero(zip, voce + 28, 2);
    const uint32_t extra = Intero(zip, voce + 30, 2), commento = Intero(zip, voce + 32, 2);
    const uint32_t locale = Intero(zip, voce + 42, 4);
    if (zip.mid(voce + 46, nome) == membro.toUtf8()) {
      const qsizetype dati = locale + 30 + Intero(zip, locale + 26, 2) + Intero(zip, locale + 28, 2);
      const QByteArray contenuto = zip.mid(dati, compressi);
      return metodo == 0 ? contenuto : Espandi(contenuto, dimensione);
    }
    voce += 46 + nome + extra + commento;
  }
  return {};
}

QStringList CelleXlsx(const QString& percorso, int foglio) {
  QStringList condivise;
  QXmlStreamReader stringhe(LeggiDaZip(percorso, QStringLiteral("xl/sharedStrings.xml")));
  while (!stringhe.atEnd())
    if (stringhe.readNext() == QXmlStreamReader::StartElement && stringhe.name() == QLatin1String("t"))
      condivise << stringhe.readElementText();
  QStringList celle;
  QXmlStreamReader xml(LeggiDaZip(percorso, QStringLiteral("xl/worksheets/sheet%1.xml").arg(foglio)));
  QString riferimento, tipo;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("c")) {
      riferimento = xml.attributes().value(QLatin1String("r")).toString();
      tipo = xml.attributes().value(QLatin1String("t")).toString();
    } else if (xml.name() == QLatin1String("v")) {
      const QString v = xml.readElementText();
      celle << (tipo == QLatin1String("s") ? riferimento + '=' + condivise.value(v.toInt())
                                           : riferimento + '#' + v);
    }
  }
  return celle;
}

}  // namespace quarvel
