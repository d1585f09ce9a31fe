// quarvel-batch: works on the program folder it lies in and its settings.
#include "ComandiBatch.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
// Qt's own notes about the headless platform (no runtime folder, no
// display) are no business of a script: only its failures are shown.
void MessaggioQt(QtMsgType tipo, const QMessageLogContext&, const QString& testo) {
  if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
    std::fprintf(stderr, "%s\n", testo.toLocal8Bit().constData());
}
}  // namespace

int main(int argc, char** argv) {
  // Printing a report (stampa) and the chart's picture (grafico --png) lay
  // out text, which needs the fonts of a GUI application; they never show a
  // window, so they run on the platform that needs no display (over ssh,
  // from cron). The other commands start sooner without one.
  const bool grafica =
      (argc > 1 && std::strcmp(argv[1], "stampa") == 0) ||
      std::any_of(argv + 1, argv + argc, [](const char* a) { return std::strcmp(a, "--png") == 0; });
  std::unique_ptr<QCoreApplication> app;
  if (grafica) {
    qInstallMessageHandler(MessaggioQt);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  QStringList argomenti = app->arguments();
  argomenti.removeFirst();
  return quarvel::EseguiComandoBatch(argomenti);
}
