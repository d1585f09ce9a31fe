// quarvel-batch: works on the program folder it lies in and its settings.
#include "ComandiBatch.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList argomenti = app.arguments();
  argomenti.removeFirst();
  return quarvel::EseguiComandoBatch(argomenti);
}
