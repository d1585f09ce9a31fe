#include "ListaAnni.h"

#include "DatabaseVeicolo.h"
#include "Impostazioni.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace quarvel {

void RiempiAnni(QComboBox* anni, const QString& targa) {
  const QString scelto = anni->currentText();
  QStringList elenco = targa.isEmpty() ? QStringList() : AnniDatabase(targa);
  if (!elenco.contains(Imp().AnnoDB)) elenco << Imp().AnnoDB;
  elenco.sort();
  const QSignalBlocker blocco(anni);
  anni->clear();
  anni->addItems(elenco);
  const int indice = anni->findText(scelto);
  anni->setCurrentIndex(indice >= 0 ? indice : anni->findText(Imp().AnnoDB));
}

QString AnnoScelto(const QComboBox* anni) {
  return anni->currentIndex() >= 0 ? anni->currentText() : Imp().AnnoDB;
}

}  // namespace quarvel
