#include "FinestreQuarvel.h"

#include "QuarvelImport.h"
#include "QvAnagrafica.h"
#include "QvAnalisiConsumi.h"
#include "QvAnalisiUtilizzo2.h"
#include "QvFlotta.h"
#include "QvGraph.h"

#include <QWidget>

namespace quarvel {

QWidget* CreaFinestraQuarvel(FinestraLavoro f) {
  using F = FinestraLavoro;
  switch (f) {
    case F::Import: return new QuarvelImport;
    case F::Anagrafica: return new QvAnagrafica;
    case F::AnalisiConsumi: return new QvAnalisiConsumi;
    case F::Grafici: return new QvGraph;
    case F::AnalisiUtilizzo: return new QvAnalisiUtilizzo2;
    case F::Flotta: return new QvFlotta;
  }
  return nullptr;
}

}  // namespace quarvel
