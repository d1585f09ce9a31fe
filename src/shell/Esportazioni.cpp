#include "Esportazioni.h"

#include "CartellaProgramma.h"
#include "Lingua.h"
#include "Messaggi.h"

#include <QDir>

namespace quarvel {

namespace {
struct Formato {
  const char* suffisso;
  long long numero;
  const char* filtro;
};
Formato DatiFormato(FormatoEsportazione f) {
  switch (f) {
    case FormatoEsportazione::Csv: return {".csv", 1201, "File CSV (*.csv)"};
    case FormatoEsportazione::Xlsx: return {".xlsx", 1202, "Cartella di lavoro Excel (*.xlsx)"};
    case FormatoEsportazione::Png: return {".png", 1203, "Immagine PNG (*.png)"};
  }
  return {"", 0, ""};
}
}  // namespace

QString ChiediFileEsportazione(const QString& nome, FormatoEsportazione formato, QWidget* finestra) {
  const Formato f = DatiFormato(formato);
  const QString suffisso = QString::fromLatin1(f.suffisso);
  // The name made fit for a file: the period's dates carry slashes.
  QString proposto = nome;
  for (const QChar c : QStringLiteral("\\/:*?\"<>|")) proposto.replace(c, QLatin1Char('-'));
  const RichiestaFile richiesta{
      TestoLingua(1200, QStringLiteral("Esporta")),
      PercorsoDati(QStringLiteral("REPORT/") + proposto + suffisso),
      TestoLingua(f.numero, QString::fromUtf8(f.filtro))};
  QString scelto = ScegliFileDaSalvare(richiesta, finestra);
  if (!scelto.isEmpty() && !scelto.endsWith(suffisso, Qt::CaseInsensitive)) scelto += suffisso;
  return scelto;
}

void MostraErroreEsportazione(const QString& percorso, const QString& motivo, QWidget* finestra) {
  MostraMessaggio(ConValore(TestoLingua(1204, QStringLiteral("Impossibile esportare %1")),
                            QDir::toNativeSeparators(percorso)) +
                      QLatin1Char('\n') + motivo,
                  Icona::Critica, TitoloApplicazione, finestra);
}

}  // namespace quarvel
