#include "FinestreProva.h"
#include "FinestreQuarvel.h"

using namespace quarvel;

class FinestreQuarvelProva : public FinestreProva {};

// The main window's buttons reach each subsystem's own window, not a stand-in.
TEST_F(FinestreQuarvelProva, OgniPulsanteApreLaFinestraVera) {
  ImpostaFabbricaFinestre(CreaFinestraQuarvel);
  const std::pair<FinestraLavoro, const char*> finestre[] = {
      {FinestraLavoro::Import, "quarvel::QuarvelImport"},
      {FinestraLavoro::Anagrafica, "quarvel::QvAnagrafica"},
      {FinestraLavoro::AnalisiConsumi, "quarvel::QvAnalisiConsumi"},
      {FinestraLavoro::AnalisiUtilizzo, "quarvel::QvAnalisiUtilizzo2"},
      {FinestraLavoro::Grafici, "quarvel::QvGraph"},
  };
  for (const auto& [finestra, classe] : finestre) {
    QWidget* w = ApriFinestra(finestra);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->objectName(), NomeFinestra(finestra));
    EXPECT_STREQ(w->metaObject()->className(), classe);
  }
  ImpostaFabbricaFinestre({});
}
