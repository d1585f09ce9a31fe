#include "CartellaDati.h"
#include "CartellaProgramma.h"
#include "FinestreQuarvel.h"
#include "Messaggi.h"
#include "PosizioneFinestra.h"
#include "QuarvelMain.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quarvel %s\n", QUARVEL_VERSIONE);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quarvel"));
  QApplication::setApplicationVersion(QStringLiteral(QUARVEL_VERSIONE));
  // The desktop entry's name: the menu's icon on the window under Wayland.
  QGuiApplication::setDesktopFileName(QStringLiteral("quarvel"));
  QApplication::setWindowIcon(QIcon(quarvel::PercorsoProgramma(QStringLiteral("images/quarvel.png"))));
  // Nothing of the user's is lost when the folder cannot be made: the
  // windows read what they can and say where a write fails.
  if (const quarvel::Esito esito = quarvel::PreparaCartellaDati(); !esito)
    quarvel::MostraMessaggio(esito.messaggio, quarvel::Icona::Critica);
  quarvel::ImpostaFabbricaFinestre(quarvel::CreaFinestraQuarvel);
  quarvel::QuarvelMain principale;
  quarvel::PosizionaFinestra(&principale, nullptr);  // centred on the primary screen
  principale.show();
  return app.exec();
}
