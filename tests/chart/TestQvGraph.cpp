// The chart window: its wiring to the buffer, the view and the painter (the
// arithmetic is tested apart), and one look at the pixels it draws.
#include <QMouseEvent>
#include <QTimer>

#include "CampioniProva.h"
#include "FinestreProva.h"
#include "FrecceSuGiu.h"
#include "QvGraph.h"
#include "SuperficieGrafico.h"

using namespace quarvel;

namespace {
const Istante kInizio = *IstanteDa(2026, 3, 5, 8, 0, 0);

class QvGraphProva : public FinestraProva<QvGraph> {
 protected:
  void SetUp() override {
    FinestraProva::SetUp();
    Registra({"AB123CD", "ZZ999ZZ"});
    // AB123CD: five and a half hours from 08:00, level 50 %, 1500 rpm,
    // 80 km/h, 300 litres; no speed reading at 08:05:01.
    std::vector<CampioneLog> campioni(20000);
    for (int i = 0; i < 20000; ++i) {
      CampioneLog& c = campioni[i];
      c.TimeDate = c.TimeDateLH = kInizio + i;
      std::tie(c.Dato2, c.Dato3, c.Dato5, c.Dato14) = std::tuple(50, 1500, i == 301 ? -1 : 80, 300);
    }
    ScriviCampioni("AB123CD", campioni, 1);
    finestra_ = std::make_unique<QvGraph>();
    finestra_->show();
  }
  QString Testo(const char* nome) {
    if (auto* l = finestra_->findChild<QLabel*>(nome)) return l->text();
    return C<QLineEdit>(nome)->text();
  }
  void Scegli(const QString& targa) { FinestreProva::Scegli(C<QComboBox>("Cmb_Targa"), targa); }
  void Mouse(QEvent::Type tipo, double x, Qt::MouseButtons tasti = Qt::LeftButton) {
    QMouseEvent e(tipo, QPointF(x, 200), QPointF(x, 200),
                  tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, tasti, {});
    QApplication::sendEvent(C<SuperficieGrafico>("Img_CRT"), &e);
  }
  void Premi(double x) { Mouse(QEvent::MouseButtonPress, x); }
  int Ridisegni() { return QString::fromUtf8(LeggiTutto(PercorsoLog())).count("Start redpen"); }
};
}  // namespace

TEST_F(QvGraphProva, IlMezzoSceltoSiLeggeColCursoreESiTrascina) {
  Scegli("AB123CD");
  EXPECT_TRUE(Testo("Txt_NomeDBGraph").endsWith("DATA/AB123CD_ " + Imp().AnnoDB + ".mdb"));
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 08.00.01");  // the first record is skipped
  EXPECT_EQ(Testo("LblXmax"), "05/03/2026 08.12.01");

  Premi(9);  // left of the first entry: no cursor, no readout
  EXPECT_EQ(Testo("Txt_punt_orario"), "");
  Premi(10);  // C4 is not shown
  EXPECT_EQ(QStringList({Testo("Txt_punt_C1"), Testo("Txt_punt_C2"), Testo("Txt_punt_C4"),
                         Testo("Txt_punt_orario")}),
            QStringList({"50", "1500", "", "05/03/2026 08.00.02- el 0"}));

  // The curves follow the mouse: 100 pixels left shows 100 seconds later;
  // moving with no button held does nothing.
  Mouse(QEvent::MouseMove, -90);
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 08.01.41");
  Mouse(QEvent::MouseMove, 300, Qt::NoButton);
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 08.01.41");
  C<QPushButton>("Cmdpiu_x")->click();
  EXPECT_EQ(Testo("Txtscalax"), " 3min");
  EXPECT_EQ(Testo("LblXmax"), "05/03/2026 08.25.41");
  // Every redraw: the choice, two presses, the drag, the zoom.
  EXPECT_EQ(Ridisegni(), 5);
}

// Another year beside the plate opens that year's database; the chart as
// drawn, axes included, goes into a PNG.
TEST_F(QvGraphProva, UnAltroAnnoEIlGraficoInPng) {
  C<QPushButton>("Cmd_SalvaImmagine")->click();
  EXPECT_EQ(Ultimo().testo, "Scegliere prima il mezzo da analizzare");
  const QString db2019 = quarvel::ScriviCampioni(PercorsoDati("DATA/AB123CD_ 2019.mdb"),
                                        Secondi(*IstanteDa(2019, 3, 1, 8, 0, 0), 100));
  Scegli("AB123CD");
  FinestreProva::Scegli(C<QComboBox>("Cmb_AnnoDB"), "2019");
  EXPECT_EQ(Testo("Txt_NomeDBGraph"), db2019);
  EXPECT_EQ(Testo("LblXmin"), "01/03/2019 08.00.01");

  messaggi.fileScelti = {Percorso("REPORT/grafico")};
  C<QPushButton>("Cmd_SalvaImmagine")->click();
  EXPECT_TRUE(messaggi.richiesteFile.back().cartella.endsWith("REPORT/Grafico_AB123CD_01-03-2019 08.00.01.png"));
  const QImage salvata(Percorso("REPORT/grafico.png"));
  const QImage mostrata = finestra_->findChild<QWidget*>("Tavola")->grab().toImage();
  EXPECT_EQ(salvata.convertToFormat(QImage::Format_RGB32), mostrata.convertToFormat(QImage::Format_RGB32));
}

TEST_F(QvGraphProva, IlDisegnoCadeSuiPixelDelGrafico) {
  Scegli("AB123CD");
  Premi(200);
  const QImage img = C<SuperficieGrafico>("Img_CRT")->grab().toImage();
  ASSERT_EQ(img.size(), QSize(730, 410));
  // Picture column = chart x - 22. Level 50 at scale 4: row 200; 1500 rpm
  // at 1/8 from 400: row 262; 80 km/h at 4: row 80.
  // The grid's lines at 100 and 190, the cursor at 200. No speed reading at
  // entry 300: a red line at x 332, none beside it.
  QList<QColor> colori;
  for (auto [x, y] : {std::pair{78, 200}, {78, 262}, {78, 80}, {78, 230}, {9, 230}, {100, 230},
                      {190, 230}, {200, 230}, {310, 30}, {311, 30}, {309, 30}})
    colori << img.pixelColor(x, y);
  EXPECT_EQ(colori, QList<QColor>({Qt::yellow, Qt::blue, Qt::green, Qt::black, Qt::white,
                                   QColor(128, 128, 128), QColor(192, 192, 192), Qt::white,
                                   Qt::red, Qt::black, Qt::black}));
}

TEST_F(QvGraphProva, CanaliScaleEtichette) {
  Scegli("AB123CD");
  const auto etichette = [&] {
    return QStringList({Testo("LblYmin"), Testo("LblYmed"), Testo("LblYMax"), Testo("Lblunit")});
  };
  C<QPushButton>("Cmdmeno_ScalaY_C1")->click();
  EXPECT_EQ(Testo("Txt_ScalaY_C1"), "3");
  EXPECT_EQ(etichette(), QStringList({"0", "66", "133", "%"}));
  C<QPushButton>("Cmdpiu_OffsetY_C2")->click();
  EXPECT_EQ(Testo("Txt_OffsetY_C2"), "390");
  EXPECT_EQ(etichette(), QStringList({"390", "1990", "3590", "rpm"}));
  // Showing C4 gives the labels its scale; hiding C1 keeps them.
  C<QCheckBox>("Chk_C4")->click();
  EXPECT_EQ(etichette(), QStringList({"0", "400", "800", "Litri"}));
  C<QCheckBox>("Chk_C1")->click();
  EXPECT_EQ(Testo("LblYMax"), "800");
  const QImage img = C<SuperficieGrafico>("Img_CRT")->grab().toImage();
  EXPECT_EQ(img.pixelColor(78, 200), QColor(192, 192, 192));  // the grid, no yellow curve
  Premi(10);
  EXPECT_EQ(Testo("Txt_punt_C4"), "300");
}

TEST_F(QvGraphProva, SaltoAUnMinutoEMessaggi) {
  C<QPushButton>("Cmd_carica")->click();
  Scegli("ZZ999ZZ");
  Scegli("AB123CD");
  auto* data = C<QDateEdit>("DTP_DisplayStartDate");
  data->setDate(QDate(2026, 3, 5));
  C<QLineEdit>("Txt_DisplayStartH")->setText("10");
  C<QLineEdit>("Txt_DisplayStartMin")->setText("44");
  C<QPushButton>("Cmd_carica")->click();
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 10.44.01");
  // Not a number, or no sample at that minute: the buffer stays.
  C<QLineEdit>("Txt_DisplayStartH")->setText("1O");
  C<QPushButton>("Cmd_carica")->click();
  C<QLineEdit>("Txt_DisplayStartH")->setText("10");
  data->setDate(QDate(2026, 3, 6));
  C<QPushButton>("Cmd_carica")->click();
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 10.44.01");
  EXPECT_EQ(messaggi.Testi(),
            (QStringList{"Scegliere prima il mezzo da analizzare",
                         "Non esistono dati del mezzo targato ZZ999ZZ per l'anno " + Imp().AnnoDB,
                         "L'ora deve essere un numero da 0 a 23",
                         "Nessun campione alle 10:44:00 del 06/03/2026"}));
  // The arrows step the field as it reads, wrapping round.
  C<QLineEdit>("Txt_DisplayStartMin")->setText("59");
  emit C<FrecceSuGiu>("UpD_DisplayStartMin")->Avanti();
  EXPECT_EQ(Testo("Txt_DisplayStartMin"), "00");
}

TEST_F(QvGraphProva, LaRiproduzioneScorreEDSiFerma) {
  Scegli("AB123CD");
  auto* play = C<QPushButton>("Cmd_Play");
  auto* stop = C<QPushButton>("Cmd_Stop");
  play->click();
  EXPECT_FALSE(play->isEnabled());
  EXPECT_TRUE(stop->isEnabled());
  QTest::qWait(300);
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 08.00.03");  // two seconds a tick
  stop->click();
  EXPECT_TRUE(play->isEnabled());
  EXPECT_FALSE(C<QTimer>("Tmr_Play")->isActive());
}
