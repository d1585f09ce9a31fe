#include "SpostaFile.h"

#include "FileDurevoli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <vector>

namespace quarvel {

namespace {
using Stato = EsitoSpostamento::Stato;

QString Nome(const QString& percorso) { return QDir::toNativeSeparators(percorso); }

EsitoSpostamento RimuoviSorgente(const QString& sorgente) {
  if (!QFile::remove(sorgente))
    return {Stato::CopiatoNonRimosso,
            QStringLiteral("%1 è stato importato, ma non è stato possibile cancellarlo dal "
                           "supporto: va cancellato a mano")
                .arg(Nome(sorgente))};
  // A stick's file system may not sync folders; the copy is safe already.
  SincronizzaCartella(QFileInfo(sorgente).path());
  return {Stato::Spostato, {}};
}
}  // namespace

bool StessoContenuto(const QString& a, const QString& b) {
  QFile fa(a), fb(b);
  if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
    return false;
  std::vector<char> ba(1 << 20), bb(1 << 20);
  for (;;) {
    const qint64 na = fa.read(ba.data(), qint64(ba.size()));
    const qint64 nb = fb.read(bb.data(), qint64(bb.size()));
    if (na < 0 || na != nb || std::memcmp(ba.data(), bb.data(), size_t(na)) != 0) return false;
    if (na == 0) return true;
  }
}

EsitoSpostamento SpostaFileVerificato(const QString& sorgente, const QString& destinazione,
                                      const ProveSpostamento& prove) {
  if (QFileInfo::exists(destinazione)) {
    if (StessoContenuto(sorgente, destinazione)) return RimuoviSorgente(sorgente);
    return {Stato::NonCopiato, QStringLiteral("Il file %1 esiste già").arg(Nome(destinazione))};
  }
  const QString copia = NomeTemporaneo(destinazione);
  QFile::remove(copia);
  if (Esito e = CopiaFile(sorgente, copia, prove.duranteCopia); !e)
    return {Stato::NonCopiato, e.messaggio};
  if (prove.primaDelConfronto) prove.primaDelConfronto(copia);
  if (!StessoContenuto(sorgente, copia)) {
    QFile::remove(copia);
    return {Stato::NonCopiato,
            QStringLiteral("La copia di %1 non corrisponde all'originale").arg(Nome(sorgente))};
  }
  if (Esito e = Rinomina(copia, destinazione); !e) {
    // Renamed, but the folder could not be synced: the file stays on the
    // medium only, never both there and in the archive unimported.
    if (!QFile::remove(copia)) RimuoviDurevole(destinazione);
    return {Stato::NonCopiato, e.messaggio};
  }
  return RimuoviSorgente(sorgente);
}

}  // namespace quarvel
