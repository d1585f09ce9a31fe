#include "QuarvelMain.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quarvel"));
  quarvel::QuarvelMain principale;
  principale.show();
  return app.exec();
}
