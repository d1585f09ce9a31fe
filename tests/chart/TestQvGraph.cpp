// The chart window: its wiring to the buffer, the view and the painter (the
// arithmetic is tested apart), and one look at the pixels it draws.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Anagrafica.h"
#include "DatabaseVeicolo.h"
#include "FinestreProva.h"
#include "FrecceSuGiu.h"
#include "Logs.h"
#include "QvGraph.h"
#include "SuperficieGrafico.h"

using namespace quarvel;

namespace {
const Istante kInizio = *IstanteDa(2026, 3, 5, 8, 0, 0);

class QvGraphProva : public FinestreProva {
 protected:
  void SetUp() override {
    FinestreProva::SetUp();
    ASSERT_TRUE(ApriAnagrafica(Imp().PercorsoAnagrafica));
    for (const char* targa : {"AB123CD", "ZZ999ZZ"})
      ASSERT_TRUE(InserisciAnagrafica({targa, "Camion", 400, 60, 1, 1, {}}));
    ChiudiAnagrafica();
    // AB123CD: five and a half hours from 08:00, level 50 %, 1500 rpm,
    // 80 km/h, 300 litres; no speed reading at 08:05:01.
    ASSERT_TRUE(ApriDatabaseVeicolo("AB123CD", Imp().AnnoDB, 1).esito);
    for (int i = 0; i < 20000; ++i) {
      CampioneLog c;
      c.TimeDate = c.TimeDateLH = kInizio + i;
      c.Dato2 = 50;
      c.Dato3 = 1500;
      c.Dato5 = i == 301 ? -1 : 80;
      c.Dato14 = 300;
      ASSERT_EQ(ScriviRecordLogs(c), 0);
    }
    ChiudiLogs();
    finestra_ = std::make_unique<QvGraph>();
    finestra_->show();
  }

  template <typename T>
  T* C(const char* nome) {
    T* c = finestra_->findChild<T*>(nome);
    EXPECT_TRUE(c) << nome;
    return c;
  }
  QString Testo(const char* nome) {
    if (auto* l = finestra_->findChild<QLabel*>(nome)) return l->text();
    return C<QLineEdit>(nome)->text();
  }
  void Scegli(const QString& targa) {
    auto* cmb = C<QComboBox>("Cmb_Targa");
    emit cmb->activated(cmb->findText(targa));
  }
  void Premi(double x) {
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, 200), QPointF(x, 200), Qt::LeftButton,
                  Qt::LeftButton, {});
    QApplication::sendEvent(C<SuperficieGrafico>("Img_CRT"), &e);
  }
  void Muovi(double x, Qt::MouseButtons tasti) {
    QMouseEvent e(QEvent::MouseMove, QPointF(x, 200), QPointF(x, 200), Qt::NoButton, tasti, {});
    QApplication::sendEvent(C<SuperficieGrafico>("Img_CRT"), &e);
  }
  int Ridisegni() { return QString::fromUtf8(LeggiTutto(PercorsoLog())).count("Start redpen"); }

  std::unique_ptr<QvGraph> finestra_;
};
}  // namespace

TEST_F(QvGraphProva, AperturaComeLaFinestraLaMostraSempre) {
  EXPECT_EQ(finestra_->windowTitle(), "Quarvel - Grafici");
  EXPECT_EQ(C<QComboBox>("Cmb_Targa")->currentText(), "");
  EXPECT_EQ(C<QComboBox>("Cmb_Targa")->placeholderText(), "Selezionare");
  EXPECT_EQ(Testo("Txtscalax"), "45 sec");
  EXPECT_EQ(Testo("Txt_ScalaY_C2"), "0,125");
  EXPECT_EQ(Testo("Txt_OffsetY_C2"), "400");
  EXPECT_EQ(Testo("Txt_ScalaY_C4"), "0,5");
  EXPECT_TRUE(C<QCheckBox>("Chk_C3")->isChecked());
  EXPECT_FALSE(C<QCheckBox>("Chk_C4")->isChecked());
  EXPECT_FALSE(C<QPushButton>("Cmd_Stop")->isEnabled());
  EXPECT_FALSE(C<QTimer>("Tmr_Play")->isActive());
  EXPECT_EQ(Testo("LblYMax"), "400");
  EXPECT_EQ(Testo("Lblunit"), "unit");
  EXPECT_EQ(Ridisegni(), 0);
}

TEST_F(QvGraphProva, IlMezzoSceltoSiLeggeColCursoreESiTrascina) {
  Scegli("AB123CD");
  EXPECT_TRUE(Testo("Txt_NomeDBGraph").endsWith("DATA/AB123CD_ " + Imp().AnnoDB + ".mdb"));
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 08.00.01");  // the first record is skipped
  EXPECT_EQ(Testo("LblXmax"), "05/03/2026 08.12.01");

  Premi(9);  // left of the first entry: no cursor, no readout
  EXPECT_EQ(Testo("Txt_punt_orario"), "");
  Premi(10);
  EXPECT_EQ(Testo("Txt_punt_C1"), "50");
  EXPECT_EQ(Testo("Txt_punt_C2"), "1500");
  EXPECT_EQ(Testo("Txt_punt_C4"), "");  // not shown
  EXPECT_EQ(Testo("Txt_punt_orario"), "05/03/2026 08.00.02- el 0");

  // The curves follow the mouse: 100 pixels left shows 100 seconds later;
  // moving with no button held does nothing.
  Muovi(-90, Qt::LeftButton);
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 08.01.41");
  Muovi(300, Qt::NoButton);
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 08.01.41");
  C<QPushButton>("Cmdpiu_x")->click();
  EXPECT_EQ(Testo("Txtscalax"), " 3min");
  EXPECT_EQ(Testo("LblXmax"), "05/03/2026 08.25.41");
  // Every redraw: the choice, two presses, the drag, the zoom.
  EXPECT_EQ(Ridisegni(), 5);
}

TEST_F(QvGraphProva, IlDisegnoCadeSuiPixelDelGrafico) {
  Scegli("AB123CD");
  Premi(200);
  const QImage img = C<SuperficieGrafico>("Img_CRT")->grab().toImage();
  ASSERT_EQ(img.size(), QSize(730, 410));
  // Picture column = chart x - 22. Level 50 at scale 4: row 200; 1500 rpm
  // at 1/8 from 400: row 262; 80 km/h at 4: row 80.
  const auto pixel = [&](int x, int y) { return img.pixelColor(x, y); };
  EXPECT_EQ(pixel(78, 200), QColor(255, 255, 0));
  EXPECT_EQ(pixel(78, 262), QColor(0, 0, 255));
  EXPECT_EQ(pixel(78, 80), QColor(0, 255, 0));
  EXPECT_EQ(pixel(78, 230), QColor(0, 0, 0));
  EXPECT_EQ(pixel(9, 230), QColor(255, 255, 255));
  EXPECT_EQ(pixel(100, 230), QColor(128, 128, 128));
  EXPECT_EQ(pixel(190, 230), QColor(192, 192, 192));
  EXPECT_EQ(pixel(200, 230), QColor(255, 255, 255));  // the cursor
  // No speed reading at entry 300: a red line at x 332, none beside it.
  EXPECT_EQ(pixel(310, 30), QColor(255, 0, 0));
  EXPECT_EQ(pixel(311, 30), QColor(0, 0, 0));
  EXPECT_EQ(pixel(309, 30), QColor(0, 0, 0));
}

TEST_F(QvGraphProva, CanaliScaleEtichette) {
  Scegli("AB123CD");
  C<QPushButton>("Cmdmeno_ScalaY_C1")->click();
  EXPECT_EQ(Testo("Txt_ScalaY_C1"), "3");
  EXPECT_EQ(Testo("LblYminmed"), "33");
  EXPECT_EQ(Testo("LblYmed"), "66");
  EXPECT_EQ(Testo("LblYMax"), "133");
  EXPECT_EQ(Testo("Lblunit"), "%");
  C<QPushButton>("Cmdpiu_OffsetY_C2")->click();
  EXPECT_EQ(Testo("Txt_OffsetY_C2"), "390");
  EXPECT_EQ(Testo("LblYmin"), "390");
  // Showing C4 gives the labels its scale; hiding C1 keeps them.
  C<QCheckBox>("Chk_C4")->click();
  EXPECT_EQ(Testo("LblYMax"), "800");
  EXPECT_EQ(Testo("Lblunit"), "Litri");
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
  EXPECT_TRUE(C<QTimer>("Tmr_Play")->isActive());
  EXPECT_EQ(C<QTimer>("Tmr_Play")->interval(), 250);
  QTest::qWait(300);
  EXPECT_EQ(Testo("LblXmin"), "05/03/2026 08.00.03");  // two seconds a tick
  stop->click();
  EXPECT_TRUE(play->isEnabled());
  EXPECT_FALSE(C<QTimer>("Tmr_Play")->isActive());
}
