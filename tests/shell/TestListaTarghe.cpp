#include "Anagrafica.h"
#include "FinestreProva.h"
#include "ListaTarghe.h"

#include <QComboBox>
#include <QVBoxLayout>

using namespace quarvel;

class ListaTargheProva : public FinestreProva {
 protected:
  static void Registra(const QString& targa) {
    ASSERT_TRUE(ApriAnagrafica(Imp().PercorsoAnagrafica));
    ASSERT_TRUE(InserisciAnagrafica({targa, "Camion", 250, 60, 1, 1, {}}));
    ChiudiAnagrafica();
  }
};

// A vehicle added while the window is open can be chosen as soon as the
// window comes back to the front; the choice made stays.
TEST_F(ListaTargheProva, AggiornataAllAttivazioneDellaFinestra) {
  Registra("AA111AA");
  QWidget finestra;
  auto* targhe = new QComboBox(&finestra);
  new QVBoxLayout(&finestra);
  finestra.layout()->addWidget(targhe);
  targhe->addItem("- - -");
  ASSERT_TRUE(CollegaListaTarghe(targhe));
  EXPECT_EQ(targhe->count(), 2);
  targhe->setCurrentIndex(1);
  int cambi = 0;
  QObject::connect(targhe, &QComboBox::currentIndexChanged, [&] { ++cambi; });

  Registra("BB222BB");
  QEvent attivazione(QEvent::WindowActivate);
  QApplication::sendEvent(&finestra, &attivazione);
  EXPECT_EQ(targhe->itemText(0), "- - -");
  EXPECT_EQ(targhe->itemText(2), "BB222BB");
  EXPECT_EQ(targhe->currentText(), "AA111AA");
  EXPECT_EQ(cambi, 0);

  // A registry that cannot be read leaves the list, silently.
  Imp().PercorsoAnagrafica = Percorso("DB/manca.mdb");
  QApplication::sendEvent(&finestra, &attivazione);
  EXPECT_EQ(targhe->count(), 3);
  EXPECT_TRUE(messaggi.messaggi.empty());
}
