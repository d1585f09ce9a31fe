#include "ListaTarghe.h"

#include "Anagrafica.h"
#include "Impostazioni.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>

namespace quarvel {

namespace {
// The number of the list's own items, kept on the list.
constexpr const char* kVociFisse = "VociFisseTarghe";

class AggiornaAllAttivazione : public QObject {
 public:
  explicit AggiornaAllAttivazione(QComboBox* targhe) : QObject(targhe), targhe_(targhe) {}
  bool eventFilter(QObject* oggetto, QEvent* evento) override {
    if (evento->type() == QEvent::WindowActivate) AggiornaListaTarghe(targhe_);
    return QObject::eventFilter(oggetto, evento);
  }

 private:
  QComboBox* targhe_;
};
}  // namespace

Esito AggiornaListaTarghe(QComboBox* targhe) {
  const ElencoTarghe elenco = TargheAnagrafica(Imp().PercorsoAnagrafica);
  if (!elenco.esito) return elenco.esito;
  const int fisse = targhe->property(kVociFisse).toInt();
  QStringList presenti;
  for (int i = fisse; i < targhe->count(); ++i) presenti << targhe->itemText(i);
  if (presenti == elenco.targhe) return {};

  const QSignalBlocker blocco(targhe);
  const bool scelta = targhe->currentIndex() >= fisse;
  const QString mostrata = targhe->currentText();
  while (targhe->count() > fisse) targhe->removeItem(targhe->count() - 1);
  targhe->addItems(elenco.targhe);
  if (scelta) {
    const int indice = targhe->findText(mostrata);
    // A plate gone from the registry: back to the first own item, or none.
    targhe->setCurrentIndex(indice >= 0 ? indice : (fisse > 0 ? 0 : -1));
  }
  return {};
}

void AggiornaListeTarghe() {
  for (QWidget* w : QApplication::allWidgets())
    if (auto* targhe = qobject_cast<QComboBox*>(w); targhe && targhe->property(kVociFisse).isValid())
      AggiornaListaTarghe(targhe);
}

Esito CollegaListaTarghe(QComboBox* targhe) {
  targhe->setProperty(kVociFisse, targhe->count());
  targhe->window()->installEventFilter(new AggiornaAllAttivazione(targhe));
  return AggiornaListaTarghe(targhe);
}

}  // namespace quarvel
