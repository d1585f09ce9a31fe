#include "FinestreQuarvel.h"
#include "QuarvelMain.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quarvel"));
  quarvel::ImpostaFabbricaFinestre(quarvel::CreaFinestraQuarvel);
  quarvel::QuarvelMain principale;
  principale.show();
  return app.exec();
}
