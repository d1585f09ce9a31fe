#include "FinestreProva.h"
#include "Lingua.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>

using namespace quarvel;

class LinguaProva : public FinestreProva {
 protected:
  void SetUp() override {
    FinestreProva::SetUp();
    ScriviTutto(Percorso("XX.lan"),
                "2004 Nessun mezzo scelto\r\n\r\n2005 Prima\r\n2005 Ultima\r\n2006 \r\n"
                "12 4567 Dal sesto carattere\r\n1000 Finestra\r\n1001 Etichetta\r\n"
                "1002 Archivio\r\n1003 Voce\r\n1004 Strumento\r\n10041 Suggerimento\r\n"
                "1005 Targa\r\n1008 Pulsante\r\n10081 Suggerimento pulsante\r\n1009 Cornice\r\n");
  }
};

TEST_F(LinguaProva, TestoPerNumero) {
  EXPECT_EQ(LeggiTestoLingua(2004, "XX.lan"), "Nessun mezzo scelto");
  EXPECT_EQ(LeggiTestoLingua(2005, "XX.lan"), "Ultima");
  EXPECT_EQ(LeggiTestoLingua(2006, "XX.lan"), "??????");
  EXPECT_EQ(LeggiTestoLingua(2007, "XX.lan"), "");
  // The number ends at the first blank, the text starts at the sixth character.
  EXPECT_EQ(LeggiTestoLingua(12, "XX.lan"), "67 Dal sesto carattere");
  EXPECT_EQ(LeggiTestoLingua(10041, "XX.lan"), " Suggerimento");
  // A file copied from another system: another letter case, Windows-1252.
  ScriviTutto(Percorso("yy.LAN"), "1107 Capacit\xe0 serbatoio [L]\r\n");
  EXPECT_EQ(LeggiTestoLingua(1107, "YY.lan"), QStringLiteral("Capacità serbatoio [L]"));
  EXPECT_TRUE(messaggi.messaggi.empty());
}

TEST_F(LinguaProva, FileMancanteSegnalatoUnaVoltaPerFinestra) {
  EXPECT_EQ(LeggiTestoLingua(2004, "ZZ.lan"), "");
  QWidget finestra;
  auto* etichetta = new QLabel(QStringLiteral("Mezzo"), &finestra);
  etichetta->setProperty("Tag", 1001);
  ApplicaLingua(&finestra, "ZZ.lan");
  ASSERT_EQ(messaggi.messaggi.size(), 2u);
  const Messaggio& m = messaggi.messaggi[1];
  EXPECT_EQ(m.testo, "File Not Found.\nMust Have at least one Language File!");
  EXPECT_EQ(m.titolo, "Errore While Loading");
  EXPECT_EQ(etichetta->text(), "Mezzo");  // the design texts stay
}

TEST_F(LinguaProva, OgniTipoDiControllo) {
  QWidget finestra;
  finestra.setProperty("Tag", 1000);
  const auto etichetta = [&](QVariant tag) {
    auto* l = new QLabel(QStringLiteral("Design"), &finestra);
    if (tag.isValid()) l->setProperty("Tag", tag);
    return l;
  };
  QLabel* conTag = etichetta(1001);
  QLabel* senzaTag = etichetta({});
  QLabel* numeroAssente = etichetta(1999);
  QLabel* immagine = etichetta({});
  immagine->setPixmap(QPixmap(4, 4));

  QMenu* menu = (new QMenuBar(&finestra))->addMenu(QStringLiteral("File"));
  menu->setProperty("Index", 1002);
  QAction* resta = menu->addAction(QStringLiteral("Resta"));
  resta->setProperty("Index", 1000);
  QAction* voce = menu->addAction(QStringLiteral("Voce design"));
  voce->setProperty("Index", 1003);
  QAction* strumento = (new QToolBar(&finestra))->addAction(QStringLiteral("a"));
  strumento->setProperty("Tag", 1004);
  auto* albero = new QTreeWidget(&finestra);
  albero->setHeaderLabels({"c0", "c1"});
  albero->model()->setHeaderData(0, Qt::Horizontal, 1005, RuoloTag);

  auto* testo = new QLineEdit(QStringLiteral("250"), &finestra);
  testo->setProperty("Tag", 1001);
  auto* pulsante = new QPushButton(QStringLiteral("x"), &finestra);
  pulsante->setProperty("Tag", 1008);
  pulsante->setProperty("Index", 1);
  auto* tagZero = new QPushButton(QStringLiteral("Design"), &finestra);
  tagZero->setProperty("Tag", 0);
  auto* cornice = new QGroupBox(QStringLiteral("x"), &finestra);
  cornice->setProperty("Tag", 1009);

  ApplicaLingua(&finestra, "XX.lan");

  EXPECT_EQ(finestra.windowTitle(), "Finestra");
  EXPECT_EQ(conTag->text(), "Etichetta");
  EXPECT_EQ(senzaTag->text(), "");  // number 0, not in the file
  EXPECT_EQ(numeroAssente->text(), "");
  EXPECT_FALSE(immagine->pixmap().isNull());
  EXPECT_EQ(menu->title(), "Archivio");
  EXPECT_EQ(resta->text(), "Resta");
  EXPECT_EQ(voce->text(), "Voce");
  EXPECT_EQ(strumento->text(), "Strumento");
  EXPECT_EQ(strumento->toolTip(), " Suggerimento");
  EXPECT_EQ(albero->headerItem()->text(0), "Targa");
  EXPECT_EQ(albero->headerItem()->text(1), "c1");
  EXPECT_EQ(testo->text(), "250");
  EXPECT_EQ(pulsante->text(), "Pulsante");
  EXPECT_EQ(pulsante->toolTip(), " Suggerimento pulsante");
  EXPECT_EQ(tagZero->text(), "Design");
  EXPECT_EQ(cornice->title(), "Cornice");

  // A file that has number 0 gives it to the labels without a number.
  ScriviTutto(Percorso("XX.lan"), "0000 Zero\r\n");
  ApplicaLingua(&finestra, "XX.lan");
  EXPECT_EQ(senzaTag->text(), "Zero");
  EXPECT_TRUE(messaggi.messaggi.empty());
}
