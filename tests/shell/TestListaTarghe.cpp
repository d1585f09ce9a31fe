#include "FinestreProva.h"
#include "ListaTarghe.h"

#include <QVBoxLayout>

using namespace quarvel;

class ListaTargheProva : public FinestreProva {};

// A vehicle added while the window is open can be chosen as soon as the
// window comes back to the front; the choice made stays.
TEST_F(ListaTargheProva, AggiornataAllAttivazioneDellaFinestra) {
  Registra({"AA111AA"});
  QWidget finestra;
  auto* targhe = new QComboBox(&finestra);
  (new QVBoxLayout(&finestra))->addWidget(targhe);
  targhe->addItem("- - -");
  ASSERT_TRUE(CollegaListaTarghe(targhe));
  targhe->setCurrentIndex(1);
  int cambi = 0;
  QObject::connect(targhe, &QComboBox::currentIndexChanged, [&] { ++cambi; });

  Registra({"BB222BB"});
  QEvent attivazione(QEvent::WindowActivate);
  QApplication::sendEvent(&finestra, &attivazione);
  EXPECT_EQ(QStringList({targhe->itemText(0), targhe->itemText(2), targhe->currentText()}),
            QStringList({"- - -", "BB222BB", "AA111AA"}));
  EXPECT_EQ(cambi, 0);

  // A registry that cannot be read leaves the list, silently.
  Imp().PercorsoAnagrafica = Percorso("DB/manca.mdb");
  QApplication::sendEvent(&finestra, &attivazione);
  EXPECT_EQ(targhe->count(), 3);
  EXPECT_TRUE(messaggi.messaggi.empty());
}
