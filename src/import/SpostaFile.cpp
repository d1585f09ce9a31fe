#include "SpostaFile.h"

#include <QCryptographicHash>
#include <QFile>

namespace quarvel {

namespace {
constexpr qint64 kBlocco = 1 << 20;

// The hash of a whole file; empty when it cannot be read to its end.
QByteArray Impronta(const QString& percorso, qint64* dimensione) {
  QFile f(percorso);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QCryptographicHash h(QCryptographicHash::Sha256);
  qint64 letti = 0;
  while (!f.atEnd()) {
    const QByteArray blocco = f.read(kBlocco);
    if (blocco.isEmpty() && f.error() != QFileDevice::NoError) return {};
    h.addData(blocco);
    letti += blocco.size();
  }
  *dimensione = letti;
  return h.result();
}

EsitoSpostamento NonCopiato(const QString& destinazione, const QString& motivo) {
  QFile::remove(destinazione);  // never leave half a copy behind
  return {EsitoSpostamento::Stato::NonCopiato, motivo};
}
}  // namespace

EsitoSpostamento SpostaFileVerificato(const QString& sorgente, const QString& destinazione) {
  QFile da(sorgente);
  if (!da.open(QIODevice::ReadOnly))
    return {EsitoSpostamento::Stato::NonCopiato,
            QStringLiteral("Impossibile leggere %1: %2").arg(sorgente, da.errorString())};
  if (QFile::exists(destinazione))
    return {EsitoSpostamento::Stato::NonCopiato,
            QStringLiteral("Il file %1 esiste già").arg(destinazione)};
  QFile a(destinazione);
  if (!a.open(QIODevice::WriteOnly))
    return {EsitoSpostamento::Stato::NonCopiato,
            QStringLiteral("Impossibile creare %1: %2").arg(destinazione, a.errorString())};

  QCryptographicHash h(QCryptographicHash::Sha256);
  qint64 copiati = 0;
  while (!da.atEnd()) {
    const QByteArray blocco = da.read(kBlocco);
    if (blocco.isEmpty() && da.error() != QFileDevice::NoError) {
      a.close();
      return NonCopiato(destinazione, QStringLiteral("Errore di lettura di %1: %2")
                                          .arg(sorgente, da.errorString()));
    }
    if (a.write(blocco) != blocco.size()) {
      const QString motivo = a.errorString();
      a.close();
      return NonCopiato(destinazione,
                        QStringLiteral("Errore di scrittura di %1: %2").arg(destinazione, motivo));
    }
    h.addData(blocco);
    copiati += blocco.size();
  }
  da.close();
  if (!a.flush()) {
    const QString motivo = a.errorString();
    a.close();
    return NonCopiato(destinazione,
                      QStringLiteral("Errore di scrittura di %1: %2").arg(destinazione, motivo));
  }
  a.close();

  // Read the copy back from the disk before trusting it.
  qint64 dimensioneCopia = -1;
  const QByteArray improntaCopia = Impronta(destinazione, &dimensioneCopia);
  if (improntaCopia.isEmpty() || dimensioneCopia != copiati || improntaCopia != h.result() ||
      dimensioneCopia != QFile(sorgente).size())
    return NonCopiato(destinazione,
                      QStringLiteral("La copia di %1 non corrisponde all'originale").arg(sorgente));

  if (!QFile::remove(sorgente))
    return {EsitoSpostamento::Stato::CopiatoNonRimosso,
            QStringLiteral("%1 è stato archiviato ma non è stato possibile cancellarlo dal "
                           "supporto")
                .arg(sorgente)};
  return {EsitoSpostamento::Stato::Spostato, {}};
}

}  // namespace quarvel
