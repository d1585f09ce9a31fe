#include "PassoEventi.h"

#include <QCoreApplication>

namespace quarvel {

PassoEventi::PassoEventi(int intervalloMs) : intervallo_(intervalloMs) { orologio_.start(); }

void PassoEventi::Adesso() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
  orologio_.restart();
}

}  // namespace quarvel
