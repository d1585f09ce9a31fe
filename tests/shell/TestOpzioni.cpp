#include "FinestreProva.h"
#include "Localizzazione.h"
#include "QuarvelMain.h"
#include "QuarvelOption.h"

using namespace quarvel;

class OpzioniProva : public FinestreProva {};

TEST_F(OpzioniProva, MostraLeImpostazioniELeCambiaCifraPerCifra) {
  Imp().TipoDB = 2;
  Imp().Lingua = 5;
  QuarvelOption o;
  EXPECT_TRUE(o.findChild<QRadioButton*>("Opt_Access2k2")->isChecked());
  for (const char* nome : {"Opt_ITA", "Opt_ENG", "Opt_ESP"})
    EXPECT_FALSE(o.findChild<QRadioButton*>(nome)->isChecked()) << nome;
  auto* capacita = o.findChild<QLineEdit*>("Txt_Capacita");
  EXPECT_EQ(capacita->text(), "250");
  capacita->selectAll();
  QList<int16_t> valori;
  for (char cifra : {'3', '0', '0'}) {
    QTest::keyClick(capacita, cifra);
    valori << Imp().CapacitaSerbatoio;
  }
  EXPECT_EQ(valori, (QList<int16_t>{3, 30, 300}));
  EXPECT_TRUE(messaggi.messaggi.empty());

  // Not a number, or one beyond 16 bits: a message, and the setting stays.
  QTest::keyClicks(capacita, "a");
  capacita->setText("4000");
  QTest::keyClicks(capacita, "0");
  EXPECT_EQ(messaggi.Testi(), QStringList(2, "Inserire un valore numerico"));
  EXPECT_EQ(messaggi.messaggi[0].icona, Icona::Critica);
  EXPECT_EQ(Imp().CapacitaSerbatoio, 300);
}

// The language chosen reaches the main window, its pictures and the user's
// number format when the options window closes (the screens of every
// language are tested with the whole program).
TEST_F(OpzioniProva, LaLinguaSceltaValeAllaChiusura) {
  QuarvelMain m;
  m.show();
  m.findChild<QAction*>("Mnu_Opzioni")->trigger();
  QWidget* opzioni = CercaFinestra("QuarvelOption");
  opzioni->findChild<QRadioButton*>("Opt_ENG")->click();
  EXPECT_EQ(TestoNumero(2.5), "2,5");  // not before the window closes
  opzioni->close();
  EXPECT_EQ(m.findChild<QGroupBox*>("Frame1")->title(), "Analysis");
  EXPECT_TRUE(MostraImmagine(m.findChild<QPushButton*>("Cmd_Statistics"),
                             Percorso("images/button3D_gray_Statistics_EN.bmp")));
  EXPECT_EQ(TestoNumero(2.5), "2.5");
  EXPECT_FALSE(QFile::exists(Percorso("Quarvelini.ini")));  // only at exit
}
