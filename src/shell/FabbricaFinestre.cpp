#include "FabbricaFinestre.h"

#include "FinestraUnica.h"
#include "QuarvelImport.h"
#include "QvAnagrafica.h"
#include "QvAnalisiConsumi.h"

#include <QWidget>

namespace quarvel {

namespace {
// Stands in for a window whose subsystem is not built yet.
QWidget* Segnaposto(FinestraLavoro finestra, const QString& titolo) {
  auto* w = new QWidget;
  w->setObjectName(NomeFinestra(finestra));
  w->setWindowTitle(titolo);
  w->resize(480, 320);
  return w;
}
}  // namespace

QString NomeFinestra(FinestraLavoro finestra) {
  switch (finestra) {
    case FinestraLavoro::Import: return QStringLiteral("QuarvelImport");
    case FinestraLavoro::Anagrafica: return QStringLiteral("QvAnagrafica");
    case FinestraLavoro::Grafici: return QStringLiteral("QvGraph");
    case FinestraLavoro::AnalisiUtilizzo: return QStringLiteral("QvAnalisiUtilizzo2");
    case FinestraLavoro::AnalisiConsumi: return QStringLiteral("QvAnalisiConsumi");
  }
  return {};
}

QWidget* CreaFinestra(FinestraLavoro f) {
  using F = FinestraLavoro;
  switch (f) {
    case F::Import: return new QuarvelImport;
    case F::Anagrafica: return new QvAnagrafica;
    case F::Grafici: return Segnaposto(f, QStringLiteral("Quarvel - Grafici"));
    case F::AnalisiUtilizzo: return Segnaposto(f, QStringLiteral("Quarvel - Analisi Utilizzo"));
    case F::AnalisiConsumi: return new QvAnalisiConsumi;
  }
  return nullptr;
}

QWidget* ApriFinestra(FinestraLavoro f) {
  return MostraFinestraUnica(NomeFinestra(f), [f] { return CreaFinestra(f); });
}

}  // namespace quarvel
