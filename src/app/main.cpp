#include "FinestreQuarvel.h"
#include "PosizioneFinestra.h"
#include "QuarvelMain.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quarvel"));
  quarvel::ImpostaFabbricaFinestre(quarvel::CreaFinestraQuarvel);
  quarvel::QuarvelMain principale;
  quarvel::PosizionaFinestra(&principale, nullptr);  // centred on the primary screen
  principale.show();
  return app.exec();
}
