#include "FinestraUnica.h"
#include "FinestreProva.h"
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

class OpzioniProva : public FinestreProva {
 protected:
  static QWidget* ApriOpzioni(QuarvelMain& m) {
    m.findChild<QAction*>("Mnu_Opzioni")->trigger();
    return CercaFinestra("QuarvelOption");
  }
};

TEST_F(OpzioniProva, MostraLeImpostazioniCorrenti) {
  Imp().TipoDB = 2;
  Imp().Lingua = 5;
  Imp().CapacitaSerbatoio = 300;
  QuarvelOption o;
  EXPECT_EQ(o.windowTitle(), "Quarvel Option");
  EXPECT_TRUE(o.findChild<QRadioButton*>("Opt_Access2k2")->isChecked());
  for (const char* nome : {"Opt_ITA", "Opt_ENG", "Opt_ESP"})
    EXPECT_FALSE(o.findChild<QRadioButton*>(nome)->isChecked()) << nome;
  EXPECT_EQ(o.findChild<QLineEdit*>("Txt_Capacita")->text(), "300");
  EXPECT_EQ(o.findChild<QRadioButton*>("Opt_ESP")->text(), QStringLiteral("Español"));
  EXPECT_EQ(o.findChild<QGroupBox*>("Frm_language")->title(), "Lingua");

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
  capacita->selectAll();
  QTest::keyClick(capacita, Qt::Key_Delete);
  ASSERT_EQ(messaggi.messaggi.size(), 2u);
  EXPECT_EQ(messaggi.messaggi[0].testo, "Inserire un valore numerico");
  EXPECT_EQ(messaggi.messaggi[0].icona, Icona::Critica);
  EXPECT_EQ(Imp().CapacitaSerbatoio, 300);

  QTest::keyClicks(capacita, "40000");  // 4000 fits, 40000 does not
  EXPECT_EQ(messaggi.messaggi.size(), 3u);
  EXPECT_EQ(Imp().CapacitaSerbatoio, 4000);
}

TEST_F(OpzioniProva, InglesePortaLaFinestraPrincipaleInInglese) {
  QuarvelMain m;
  m.show();
  QWidget* opzioni = ApriOpzioni(m);
  ASSERT_TRUE(opzioni);
  opzioni->findChild<QRadioButton*>("Opt_ENG")->click();
  EXPECT_EQ(Imp().Lingua, 1);
  EXPECT_EQ(Imp().CodiceLingua, "IT");  // the code follows when the window closes
  opzioni->findChild<QPushButton*>("Cmd_Close")->click();
  EXPECT_EQ(Imp().CodiceLingua, "EN");
  EXPECT_EQ(m.findChild<QGroupBox*>("Frame1")->title(), "Analysis");
  for (const auto& [pulsante, immagine] :
       {std::pair{"Cmd_scrivirec", "Import"}, {"Cmd_Esci", "Close"}, {"Cmd_Statistics", "Statistics"}})
    EXPECT_TRUE(MostraImmagine(m.findChild<QPushButton*>(pulsante),
                               Percorso(QStringLiteral("images/button3D_gray_%1_EN.bmp").arg(immagine))))
        << pulsante;
  EXPECT_FALSE(QFile::exists(Percorso("Quarvelini.ini")));

  // Closing again without a change applies the current language anew.
  m.findChild<QGroupBox*>("Frame1")->setTitle("x");
  ApriOpzioni(m)->close();
  EXPECT_EQ(m.findChild<QGroupBox*>("Frame1")->title(), "Analysis");
  EXPECT_TRUE(messaggi.messaggi.empty());
}
