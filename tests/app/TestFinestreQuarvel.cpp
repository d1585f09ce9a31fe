#include "FinestreProva.h"
#include "FinestreQuarvel.h"
#include "QuarvelMain.h"

using namespace quarvel;

class FinestreQuarvelProva : public FinestreProva {};

// The main window's buttons reach each subsystem's own window, not a
// stand-in, and a second click brings back the same one.
TEST_F(FinestreQuarvelProva, OgniPulsanteApreLaFinestraVeraUnaVolta) {
  ImpostaFabbricaFinestre(CreaFinestraQuarvel);
  QuarvelMain m;
  m.show();
  const std::pair<const char*, const char*> finestre[] = {
      {"Cmd_scrivirec", "quarvel::QuarvelImport"},  {"Cmd_Anagrafica", "quarvel::QvAnagrafica"},
      {"Cmd_Statistics", "quarvel::QvAnalisiConsumi"}, {"Cmd_Trips", "quarvel::QvAnalisiUtilizzo2"},
      {"Cmd_Grafici", "quarvel::QvGraph"}, {"Cmd_Flotta", "quarvel::QvFlotta"}};
  for (const auto& [pulsante, classe] : finestre) {
    m.findChild<QPushButton*>(pulsante)->click();
    m.findChild<QPushButton*>(pulsante)->click();
    int aperte = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      aperte += w->isVisible() && w->metaObject()->className() == QByteArray(classe);
    EXPECT_EQ(aperte, 1) << classe;
  }
  ImpostaFabbricaFinestre({});
}
