#include "FinestraUnica.h"
#include "FinestreProva.h"
#include "Localizzazione.h"
#include "QuarvelMain.h"
#include "QuarvelOption.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace quarvel;

class OpzioniProva : public FinestreProva {};

TEST_F(OpzioniProva, MostraLeImpostazioniCorrenti) {
  Imp().TipoDB = 2;
  Imp().Lingua = 5;
  Imp().CapacitaSerbatoio = 300;
  QuarvelOption o;
  EXPECT_TRUE(o.findChild<QRadioButton*>("Opt_Access2k2")->isChecked());
  for (const char* nome : {"Opt_ITA", "Opt_ENG", "Opt_ESP"})
    EXPECT_FALSE(o.findChild<QRadioButton*>(nome)->isChecked()) << nome;
  EXPECT_EQ(o.findChild<QLineEdit*>("Txt_Capacita")->text(), "300");
  o.findChild<QRadioButton*>("Opt_Access2000")->click();
  EXPECT_EQ(Imp().TipoDB, 1);
}

TEST_F(OpzioniProva, CapacitaCifraPerCifra) {
  QuarvelOption o;
  auto* capacita = o.findChild<QLineEdit*>("Txt_Capacita");
  capacita->selectAll();
  QList<int16_t> valori;
  for (char cifra : {'3', '0', '0'}) {
    QTest::keyClick(capacita, cifra);
    valori << Imp().CapacitaSerbatoio;
  }
  EXPECT_EQ(valori, (QList<int16_t>{3, 30, 300}));
  EXPECT_TRUE(messaggi.messaggi.empty());

  QTest::keyClicks(capacita, "a");
  capacita->setText("4000");
  QTest::keyClicks(capacita, "0");  // 40000 does not fit 16 bits
  EXPECT_EQ(messaggi.Testi(),
            QStringList({"Inserire un valore numerico", "Inserire un valore numerico"}));
  EXPECT_EQ(messaggi.messaggi[0].icona, Icona::Critica);
  EXPECT_EQ(Imp().CapacitaSerbatoio, 300);
}

// The language chosen reaches the main window, its pictures, the user's
// number and date format and Qt's own dialogs when the options window closes.
TEST_F(OpzioniProva, LaLinguaSceltaValeAllaChiusura) {
  QuarvelMain m;
  m.show();
  const auto scegli = [&](const char* opzione) {
    m.findChild<QAction*>("Mnu_Opzioni")->trigger();
    QWidget* opzioni = CercaFinestra("QuarvelOption");
    opzioni->findChild<QRadioButton*>(opzione)->click();
    return opzioni;
  };
  scegli("Opt_ENG");
  EXPECT_EQ(TestoNumero(2.5), "2,5");  // not before the window closes
  CercaFinestra("QuarvelOption")->close();
  EXPECT_EQ(Imp().CodiceLingua, "EN");
  EXPECT_EQ(m.findChild<QGroupBox*>("Frame1")->title(), "Analysis");
  EXPECT_TRUE(MostraImmagine(m.findChild<QPushButton*>("Cmd_Statistics"),
                             Percorso("images/button3D_gray_Statistics_EN.bmp")));
  EXPECT_EQ(TestoNumero(2.5), "2.5");
  EXPECT_EQ(QLocale().toString(QDate(2026, 12, 4), QLocale::LongFormat), "Friday, 4 December 2026");

  scegli("Opt_ESP")->close();
  EXPECT_EQ(TestoNumero(1234.5), "1234,5");
  EXPECT_EQ(QLocale().monthName(12), "diciembre");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");
  EXPECT_FALSE(QFile::exists(Percorso("Quarvelini.ini")));  // only at exit
  EXPECT_TRUE(messaggi.messaggi.empty());
}
