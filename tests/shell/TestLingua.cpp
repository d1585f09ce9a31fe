#include "FinestreProva.h"
#include "FileTesto.h"
#include "Lingua.h"

#include <QMenu>
#include <QMenuBar>
#include <set>

using namespace quarvel;

class LinguaProva : public FinestreProva {
 protected:
  void SetUp() override {
    FinestreProva::SetUp();
    ScriviTutto(Percorso("XX.lan"),
                "2004 Nessun mezzo scelto\r\n\r\n2005 Prima\r\n2005 Ultima\r\n2006 \r\n"
                "12 4567 Dal sesto carattere\r\n1000 Finestra\r\n1001 Etichetta\r\n"
                "1002 Archivio\r\n1003 Voce\r\n10041 Suggerimento\r\n1008 Pulsante\r\n"
                "1009 Cornice\r\n");
  }
};

TEST_F(LinguaProva, TestoPerNumero) {
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
  EXPECT_EQ(messaggi.messaggi[1].testo, "File Not Found.\nMust Have at least one Language File!");
  EXPECT_EQ(messaggi.messaggi[1].titolo, "Errore While Loading");
  EXPECT_EQ(etichetta->text(), "Mezzo");  // the design texts stay
}

// Every kind of control the windows have.
TEST_F(LinguaProva, OgniTipoDiControllo) {
  QWidget finestra;
  finestra.setProperty("Tag", 1000);
  const auto conNumero = [](auto* o, const char* proprieta, int numero) {
    o->setProperty(proprieta, numero);
    return o;
  };
  auto* conTag = conNumero(new QLabel(QStringLiteral("Design"), &finestra), "Tag", 1001);
  auto* senzaTag = new QLabel(QStringLiteral("Design"), &finestra);
  auto* immagine = new QLabel(&finestra);
  immagine->setPixmap(QPixmap(4, 4));
  QMenu* menu = conNumero((new QMenuBar(&finestra))->addMenu(QStringLiteral("File")), "Index", 1002);
  QAction* voce = conNumero(menu->addAction(QStringLiteral("Voce design")), "Index", 1003);
  auto* testo = conNumero(new QLineEdit(QStringLiteral("250"), &finestra), "Tag", 1001);
  auto* pulsante = conNumero(new QPushButton(QStringLiteral("x"), &finestra), "Tag", 1008);
  auto* tagZero = conNumero(new QPushButton(QStringLiteral("Design"), &finestra), "Tag", 0);
  auto* cornice = conNumero(new QGroupBox(QStringLiteral("x"), &finestra), "Tag", 1009);

  ApplicaLingua(&finestra, "XX.lan");
  EXPECT_EQ(QStringList({finestra.windowTitle(), conTag->text(), senzaTag->text(), menu->title(),
                         voce->text(), testo->text(), pulsante->text(), tagZero->text(),
                         cornice->title()}),
            QStringList({"Finestra", "Etichetta", "", "Archivio", "Voce", "250", "Pulsante",
                         "Design", "Cornice"}));
  EXPECT_FALSE(immagine->pixmap().isNull());

  // A file that has number 0 gives it to the labels without a number.
  ScriviTutto(Percorso("XX.lan"), "0000 Zero\r\n");
  ApplicaLingua(&finestra, "XX.lan");
  EXPECT_EQ(senzaTag->text(), "Zero");
  EXPECT_TRUE(messaggi.messaggi.empty());
}

// Every language file holds every text of IT.lan, translated: a text the
// same as the Italian one is only a name, a unit or a word both languages
// share (listed here), and the month names are the language's own.
TEST_F(LinguaProva, OgniLinguaHaOgniTestoDiIT) {
  const auto Testi = [this](const char* file) {
    std::map<int, QString> t;
    for (const QString& riga : LeggiRigheTesto(Percorso(file)).value_or(QStringList()))
      if (const int numero = riga.section(' ', 0, 0).toInt(); numero > 0) t[numero] = riga.section(' ', 1);
    return t;
  };
  const std::map<int, QString> it = Testi("IT.lan");
  ASSERT_GT(it.size(), 100u);
  const struct {
    const char* file;
    QLocale locale;
    std::set<int> comeIT;
  } lingue[] = {{"EN.lan", QLocale(QLocale::English, QLocale::UnitedKingdom),
                 {1003, 1004, 1103, 1104, 1105, 2000, 2014, 4035, 5002, 5017, 5131, 7002, 7009, 7015, 7016,
                  7017, 7018, 9021, 9024, 9040}},
                {"ES.lan", QLocale(QLocale::Spanish, QLocale::Spain),
                 {1103, 1104, 1105, 4012, 4017, 5017, 5131, 5501, 7002, 7009, 7015, 7016, 7017, 7018, 9002,
                  9021, 9024, 9040}}};
  for (const auto& l : lingue) {
    const std::map<int, QString> t = Testi(l.file);
    for (const auto& [numero, testo] : it) {
      SCOPED_TRACE(QString("%1 %2 %3").arg(l.file).arg(numero).arg(testo).toStdString());
      ASSERT_EQ(t.count(numero), 1u);
      EXPECT_EQ(t.at(numero) == testo, l.comeIT.count(numero) == 1) << t.at(numero).toStdString();
    }
    for (int mese = 1; mese <= 12; ++mese)
      EXPECT_EQ(t.at(4009 + mese).toLower(), l.locale.standaloneMonthName(mese).toLower()) << l.file;
  }
}
