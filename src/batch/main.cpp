// quarvel-batch: works on the program folder it lies in and its settings.
// Printing a report lays out text, which needs the fonts of a GUI
// application; it never shows a window, so it runs on the offscreen platform
// unless told otherwise and needs no display (over ssh, from cron, or where
// DISPLAY names none that answers). The other commands stay a plain
// console application.
#include "ComandiBatch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  std::unique_ptr<QCoreApplication> app;
  if (argc > 1 && std::strcmp(argv[1], "stampa") == 0) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  QStringList argomenti = app->arguments();
  argomenti.removeFirst();
  return quarvel::EseguiComandoBatch(argomenti);
}
