#include "FabbricaFinestre.h"

#include "FinestraUnica.h"

#include <QWidget>

namespace quarvel {

namespace {
FabbricaFinestre& Fabbrica() {
  static FabbricaFinestre fabbrica;
  return fabbrica;
}

QString TitoloSegnaposto(FinestraLavoro finestra) {
  switch (finestra) {
    case FinestraLavoro::Import: return QStringLiteral("Quarvel - Import");
    case FinestraLavoro::Anagrafica: return QStringLiteral("Quarvel - Anagrafica");
    case FinestraLavoro::Grafici: return QStringLiteral("Quarvel - Grafici");
    case FinestraLavoro::AnalisiUtilizzo: return QStringLiteral("Quarvel - Analisi Utilizzo");
    case FinestraLavoro::AnalisiConsumi: return QStringLiteral("Quarvel - Analisi Consumi");
    case FinestraLavoro::Flotta: return QStringLiteral("Quarvel - Panoramica flotta");
  }
  return {};
}

// Stands in for a window that the installed maker does not make.
QWidget* Segnaposto(FinestraLavoro finestra) {
  auto* w = new QWidget;
  w->setObjectName(NomeFinestra(finestra));
  w->setWindowTitle(TitoloSegnaposto(finestra));
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
    case FinestraLavoro::Flotta: return QStringLiteral("QvFlotta");
  }
  return {};
}

void ImpostaFabbricaFinestre(FabbricaFinestre fabbrica) { Fabbrica() = std::move(fabbrica); }

QWidget* ApriFinestra(FinestraLavoro f, const QWidget* apritrice) {
  return MostraFinestraUnica(
      NomeFinestra(f),
      [f] {
        QWidget* finestra = Fabbrica() ? Fabbrica()(f) : nullptr;
        return finestra ? finestra : Segnaposto(f);
      },
      apritrice);
}

}  // namespace quarvel
