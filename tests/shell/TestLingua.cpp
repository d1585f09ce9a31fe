#include "FinestreProva.h"
#include "Lingua.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

using namespace quarvel;

class LinguaProva : public FinestreProva {
 protected:
  void SetUp() override {
    FinestreProva::SetUp();
    ScriviTutto(Percorso("XX.lan"),
                "2004 Nessun mezzo scelto\r\n\r\n"
                "2005 Prima versione\r\n2005 Ultima versione\r\n2006 \r\n"
                "1001 Etichetta\r\n1002 Archivio\r\n1003 Voce\r\n1004 Strumento\r\n"
                "10041 Suggerimento uno\r\n10047 Suggerimento sette\r\n"
                "1005 Targa\r\n1006 Data\r\n1007 Colonna\r\n1008 Pulsante\r\n"
                "10081 Suggerimento pulsante\r\n1009 Cornice\r\n1010 Opzione\r\n1011 Casella\r\n");
  }
};

TEST_F(LinguaProva, TestoPerNumero) {
  EXPECT_EQ(LeggiTestoLingua(2004, "XX.lan"), "Nessun mezzo scelto");
  EXPECT_EQ(LeggiTestoLingua(2005, "XX.lan"), "Ultima versione");
  EXPECT_EQ(LeggiTestoLingua(2006, "XX.lan"), "??????");
  EXPECT_EQ(LeggiTestoLingua(2007, "XX.lan"), "");
  ScriviTutto(Percorso("YY.lan"), "1107 Capacit\xe0 serbatoio [L]\r\n");
  EXPECT_EQ(LeggiTestoLingua(1107, "YY.lan"), QStringLiteral("Capacità serbatoio [L]"));
  EXPECT_TRUE(messaggi.messaggi.empty());
}

TEST_F(LinguaProva, FileMancanteSegnalatoUnaVoltaPerFinestra) {
  EXPECT_EQ(LeggiTestoLingua(2004, "ZZ.lan"), "");
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  const Messaggio& m = messaggi.messaggi[0];
  EXPECT_EQ(m.testo, "File Not Found.\nMust Have at least one Language File!");
  EXPECT_EQ(m.titolo, "Errore While Loading");
  EXPECT_EQ(m.icona, Icona::Critica);

  QWidget finestra;
  auto* etichetta = new QLabel(QStringLiteral("Mezzo"), &finestra);
  etichetta->setProperty("Tag", 1001);
  auto* pulsante = new QPushButton(QStringLiteral("Chiudi"), &finestra);
  pulsante->setProperty("Tag", 1008);
  ApplicaLingua(&finestra, "ZZ.lan");
  EXPECT_EQ(messaggi.messaggi.size(), 2u);
  EXPECT_EQ(etichetta->text(), "Mezzo");  // the design texts stay
  EXPECT_EQ(pulsante->text(), "Chiudi");
}

TEST_F(LinguaProva, OgniTipoDiControllo) {
  QWidget finestra;
  const auto etichetta = [&](const char* testo, QVariant tag) {
    auto* l = new QLabel(QString::fromUtf8(testo), &finestra);
    if (tag.isValid()) l->setProperty("Tag", tag);
    return l;
  };
  QLabel* conTag = etichetta("Design", 1001);
  QLabel* senzaTag = etichetta("Design", {});
  QLabel* numeroAssente = etichetta("Design", 1999);
  QLabel* tagZero = etichetta("Design", 0);

  auto* barraMenu = new QMenuBar(&finestra);
  QMenu* menu = barraMenu->addMenu(QStringLiteral("File"));
  menu->setProperty("Index", 1002);
  QAction* resta = menu->addAction(QStringLiteral("Resta"));
  resta->setProperty("Index", 1000);
  QAction* voce = menu->addAction(QStringLiteral("Voce design"));
  voce->setProperty("Index", 1003);

  auto* barra = new QToolBar(&finestra);
  QAction* primo = barra->addAction(QStringLiteral("a"));
  primo->setProperty("Tag", 1004);
  QAction* settimo = barra->addAction(QStringLiteral("b"));
  settimo->setProperty("Tag", 1004);
  settimo->setProperty("Index", 7);

  auto* albero = new QTreeWidget(&finestra);
  albero->setHeaderLabels({"c0", "c1", "c2"});
  albero->model()->setHeaderData(0, Qt::Horizontal, 1005, RuoloTag);
  albero->model()->setHeaderData(1, Qt::Horizontal, 1006, RuoloTag);
  auto* tabella = new QTableWidget(1, 2, &finestra);
  tabella->setProperty("Tag", 1007);

  auto* testo = new QLineEdit(QStringLiteral("250"), &finestra);
  testo->setProperty("Tag", 1001);
  auto* pulsante = new QPushButton(QStringLiteral("x"), &finestra);
  pulsante->setProperty("Tag", 1008);
  pulsante->setProperty("Index", 1);
  auto* pulsanteSenzaIndice = new QPushButton(QStringLiteral("x"), &finestra);
  pulsanteSenzaIndice->setProperty("Tag", 1008);
  auto* pulsanteTagZero = new QPushButton(QStringLiteral("Design"), &finestra);
  pulsanteTagZero->setProperty("Tag", 0);
  auto* cornice = new QGroupBox(QStringLiteral("x"), &finestra);
  cornice->setProperty("Tag", 1009);
  auto* opzione = new QRadioButton(QStringLiteral("x"), &finestra);
  opzione->setProperty("Tag", 1010);
  auto* casella = new QCheckBox(QStringLiteral("x"), &finestra);
  casella->setProperty("Tag", "1011");

  ApplicaLingua(&finestra, "XX.lan");

  EXPECT_EQ(conTag->text(), "Etichetta");
  EXPECT_EQ(senzaTag->text(), "Design");
  EXPECT_EQ(numeroAssente->text(), "");
  EXPECT_EQ(tagZero->text(), "");
  EXPECT_EQ(menu->title(), "Archivio");
  EXPECT_EQ(resta->text(), "Resta");
  EXPECT_EQ(voce->text(), "Voce");
  EXPECT_EQ(primo->text(), "Strumento");
  EXPECT_EQ(primo->toolTip(), "Suggerimento uno");
  EXPECT_EQ(settimo->toolTip(), "Suggerimento sette");
  EXPECT_EQ(albero->headerItem()->text(0), "Targa");
  EXPECT_EQ(albero->headerItem()->text(1), "Data");
  EXPECT_EQ(albero->headerItem()->text(2), "c2");
  EXPECT_EQ(tabella->model()->headerData(0, Qt::Horizontal).toString(), "Colonna");
  EXPECT_EQ(tabella->model()->headerData(1, Qt::Horizontal).toString(), "Colonna");
  EXPECT_EQ(testo->text(), "250");
  EXPECT_EQ(pulsante->text(), "Pulsante");
  EXPECT_EQ(pulsante->toolTip(), "Suggerimento pulsante");
  EXPECT_EQ(pulsanteSenzaIndice->text(), "Pulsante");
  EXPECT_EQ(pulsanteSenzaIndice->toolTip(), "");
  EXPECT_EQ(pulsanteTagZero->text(), "Design");
  EXPECT_EQ(cornice->title(), "Cornice");
  EXPECT_EQ(opzione->text(), "Opzione");
  EXPECT_EQ(casella->text(), "Casella");
  EXPECT_TRUE(messaggi.messaggi.empty());
}
