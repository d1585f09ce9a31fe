#include "GiornaleImport.h"

#include "CartellaProgramma.h"
#include "FileDurevoli.h"
#include "FileTesto.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

namespace {
const QString kEstensione = QStringLiteral(".importazione");

QString Dati() { return PercorsoDati(QStringLiteral("DATA")); }

std::optional<GiornaleImport> Leggi(const QString& percorso) {
  const std::optional<QStringList> righe = LeggiRigheTesto(percorso);
  if (!righe) return std::nullopt;
  GiornaleImport g;
  bool fase = false;
  for (const QString& riga : *righe) {
    const QString chiave = riga.section(QLatin1Char('='), 0, 0);
    const QString valore = riga.section(QLatin1Char('='), 1);
    if (chiave == u"Archivio") g.archivio = valore;
    else if (chiave == u"Targa") g.targa = valore;
    else if (chiave == u"Giorno") g.giorno = QDate::fromString(valore, Qt::ISODate);
    else if (chiave == u"TipoDB") g.tipoDB = valore.toInt();
    else if (chiave == u"Sorgente") g.cartellaSorgente = valore;
    else if (chiave == u"File") g.file << valore;
    else if (chiave == u"Fase") {
      fase = true;
      if (valore == u"Importazione") g.fase = GiornaleImport::Fase::Importazione;
      if (valore == u"Chiusura") g.fase = GiornaleImport::Fase::Chiusura;
    }
  }
  if (g.archivio.isEmpty() || g.targa.isEmpty() || !g.giorno.isValid() || !fase) return std::nullopt;
  return g;
}
}  // namespace

QString GiornaleImport::Percorso() const { return Dati() + QLatin1Char('/') + archivio + kEstensione; }
QString GiornaleImport::CartellaArchivio() const { return Dati() + QLatin1Char('/') + archivio; }

Esito ScriviGiornale(const GiornaleImport& g) {
  QString testo = QStringLiteral("Archivio=") + g.archivio + QStringLiteral("\r\nTarga=") + g.targa +
                  QStringLiteral("\r\nGiorno=") + g.giorno.toString(Qt::ISODate) +
                  QStringLiteral("\r\nTipoDB=") + QString::number(g.tipoDB) +
                  QStringLiteral("\r\nSorgente=") + g.cartellaSorgente + QStringLiteral("\r\n");
  for (const QString& nome : g.file) testo += QStringLiteral("File=") + nome + QStringLiteral("\r\n");
  static const QString fasi[] = {QStringLiteral("Spostamento"), QStringLiteral("Importazione"),
                                 QStringLiteral("Chiusura")};
  testo += QStringLiteral("Fase=") + fasi[int(g.fase)] + QStringLiteral("\r\n");
  return ScriviDurevole(g.Percorso(), testo.toUtf8());
}

Esito CancellaGiornale(const GiornaleImport& g) { return RimuoviDurevole(g.Percorso()); }

GiornaliTrovati GiornaliInSospeso() {
  GiornaliTrovati r;
  const QDir dati(Dati());
  const QFileInfoList voci =
      dati.entryInfoList({QLatin1Char('*') + kEstensione}, QDir::Files, QDir::Time | QDir::Reversed);
  for (const QFileInfo& voce : voci) {
    if (std::optional<GiornaleImport> g = Leggi(voce.absoluteFilePath())) r.giornali.push_back(*g);
    else r.illeggibili << QDir::toNativeSeparators(voce.absoluteFilePath());
  }
  return r;
}

}  // namespace quarvel
