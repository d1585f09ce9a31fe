// quarvel-batch: works on the program folder it lies in and its settings.
#include "ComandiBatch.h"

#include <QGuiApplication>
#include <cstdio>

namespace {
// Qt's own notes about the headless platform (no runtime folder, no
// display) are no business of a script: only its failures are shown.
void MessaggioQt(QtMsgType tipo, const QMessageLogContext&, const QString& testo) {
  if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
    std::fprintf(stderr, "%s\n", testo.toLocal8Bit().constData());
}
}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(MessaggioQt);
  // The chart's pictures need fonts, hence a GUI application; it never shows
  // a window, so it needs no display either.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList argomenti = app.arguments();
  argomenti.removeFirst();
  return quarvel::EseguiComandoBatch(argomenti);
}
