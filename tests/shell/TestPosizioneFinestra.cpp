#include "FabbricaFinestre.h"
#include "FinestreProva.h"
#include "PosizioneFinestra.h"

#include <QScreen>

using namespace quarvel;

// A screen 1280 x 1000 whose top 30 pixels hold a panel.
const QRect kSchermo(0, 30, 1280, 970);

TEST(PosizioneFinestra, CentrataSullApritriceEDentroLoSchermo) {
  const QSize fissa(600, 400);
  // Room enough: centred on the opener.
  EXPECT_EQ(PosizioneFinestra(fissa, fissa, QRect(300, 200, 400, 300), kSchermo),
            QRect(200, 150, 600, 400));
  // An opener low in the corner: pushed up and left until the window's
  // edges show; one past the left edge: pushed right, never over the panel.
  EXPECT_EQ(PosizioneFinestra(fissa, fissa, QRect(900, 800, 300, 200), kSchermo),
            QRect(680, 600, 600, 400));
  EXPECT_EQ(PosizioneFinestra(fissa, fissa, QRect(-50, 0, 100, 100), kSchermo),
            QRect(0, 30, 600, 400));
  // No opener: the middle of the area.
  EXPECT_EQ(PosizioneFinestra(fissa, fissa, QRect(), kSchermo), QRect(340, 315, 600, 400));
}

TEST(PosizioneFinestra, PiuGrandeDelloSchermo) {
  // Resizable: shrunk to the area, down to its minimum at most.
  EXPECT_EQ(PosizioneFinestra({1400, 1015}, {300, 200}, QRect(0, 0, 800, 600), kSchermo), kSchermo);
  EXPECT_EQ(PosizioneFinestra({1400, 500}, {1300, 200}, QRect(0, 400, 800, 600), kSchermo),
            QRect(0, 450, 1300, 500));
  // Fixed: its top-left corner at the area's corner, title bar in reach.
  EXPECT_EQ(PosizioneFinestra({900, 1015}, {900, 1015}, QRect(700, 500, 200, 200), kSchermo),
            QRect(350, 30, 900, 1015));
}

class PosizioneFinestraProva : public FinestreProva {};

// The windows the main window opens, each inside the screen's available
// area and centred on its opener where it fits (CTest runs this on the
// offscreen screen and on a 1280 x 1000 one).
TEST_F(PosizioneFinestraProva, LaFinestraApertaStaSulloSchermo) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget apritrice;
  apritrice.resize(300, 200);
  apritrice.move(area.right() - 310, area.bottom() - 150);  // partly off the bottom edge
  apritrice.show();
  QWidget* aperta = ApriFinestra(FinestraLavoro::Grafici, &apritrice);
  const QRect cornice = aperta->frameGeometry();
  EXPECT_TRUE(area.contains(cornice)) << cornice.x() << "," << cornice.y() << " " << cornice.width()
                                      << "x" << cornice.height();
  EXPECT_EQ(cornice.right(), area.right());  // as near to the opener as the screen allows
  EXPECT_EQ(cornice.bottom(), area.bottom());
}
