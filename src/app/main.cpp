#include "CartellaDati.h"
#include "FinestreQuarvel.h"
#include "Messaggi.h"
#include "QuarvelMain.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quarvel"));
  // Nothing of the user's is lost when the folder cannot be made: the
  // windows read what they can and say where a write fails.
  if (const quarvel::Esito esito = quarvel::PreparaCartellaDati(); !esito)
    quarvel::MostraMessaggio(esito.messaggio, quarvel::Icona::Critica);
  quarvel::ImpostaFabbricaFinestre(quarvel::CreaFinestraQuarvel);
  quarvel::QuarvelMain principale;
  principale.show();
  return app.exec();
}
