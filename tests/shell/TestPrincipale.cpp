#include "FabbricaFinestre.h"
#include "FinestreProva.h"
#include "QuarvelMain.h"

#include <QDir>
#include <QPointer>

using namespace quarvel;

namespace {
int FinestreConNome(const QString& nome) {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) n += w->isVisible() && w->objectName() == nome;
  return n;
}
}  // namespace

class PrincipaleProva : public FinestreProva {
 protected:
  void VerificaImmagini(const QuarvelMain& m, const QString& codice) {
    for (const auto& [pulsante, immagine] :
         {std::pair{"Cmd_scrivirec", "Import"}, {"Cmd_Anagrafica", "Fleet"}, {"Cmd_Esci", "Close"},
          {"Cmd_Grafici", "Graph"}, {"Cmd_Trips", "Trips"}, {"Cmd_Statistics", "Statistics"},
          {"Cmd_Flotta", "Overview"}})
      EXPECT_TRUE(MostraImmagine(
          m.findChild<QPushButton*>(pulsante),
          Percorso(QStringLiteral("images/button3D_gray_%1_%2.bmp").arg(immagine, codice))))
          << pulsante;
  }
};

TEST_F(PrincipaleProva, AvvioNellaLinguaDelleImpostazioni) {
  {
    QuarvelMain m;
    EXPECT_EQ(m.windowTitle(), "Quarvel  ver 1. 0");
    EXPECT_EQ(m.findChild<QGroupBox*>("Frame1")->title(), "Analisi");
    VerificaImmagini(m, "IT");
    m.findChild<QAction*>("Mnu_About_Quarvel")->trigger();
    EXPECT_EQ(messaggi.Testi(),
              QStringList{"Quarvel versione 1. 0\nAnalisi dei dati di bordo della flotta"});
  }
  ScriviTutto(Percorso("Quarvelini.ini"), LeggiTutto(DatoProva("Quarvelini.ini")));
  QuarvelMain m;
  EXPECT_EQ(Imp().CapacitaSerbatoio, 300);
  EXPECT_EQ(m.findChild<QAction*>("Mnu_Opzioni")->text(), "Options");
  VerificaImmagini(m, "EN");
}

// The options window opens once; a closed window is made anew (each
// subsystem's window opening once is tested with the whole program).
TEST_F(PrincipaleProva, OgniFinestraSiApreUnaVolta) {
  QuarvelMain m;
  m.show();
  m.findChild<QAction*>("Mnu_Opzioni")->trigger();
  m.findChild<QAction*>("Mnu_Opzioni")->trigger();
  EXPECT_EQ(FinestreConNome("QuarvelOption"), 1);
  m.findChild<QPushButton*>("Cmd_Grafici")->click();
  QPointer<QWidget> grafici = CercaFinestra("QvGraph");
  ASSERT_TRUE(grafici);
  grafici->close();
  EliminaChiuse();
  EXPECT_TRUE(grafici.isNull());
  m.findChild<QPushButton*>("Cmd_Grafici")->click();
  EXPECT_EQ(FinestreConNome("QvGraph"), 1);
}

TEST_F(PrincipaleProva, ChiusuraScriveImpostazioniEChiudeLeAltre) {
  QuarvelMain m;
  m.show();
  QPointer<QWidget> importa = ApriFinestra(FinestraLavoro::Import);
  Impostazioni& i = Imp();
  std::tie(i.TipoDB, i.CapacitaSerbatoio, i.LivelloAllertGasolio, i.LivelloAllertVelocita,
           i.TipoReport, i.Lingua) = std::tuple(2, 300, 30, -1, 7, 1);
  EXPECT_FALSE(QFile::exists(Percorso("Quarvelini.ini")));  // only at exit

  m.findChild<QPushButton*>("Cmd_Esci")->click();
  EliminaChiuse();
  EXPECT_FALSE(m.isVisible());
  EXPECT_TRUE(importa.isNull());
  EXPECT_EQ(LeggiTutto(Percorso("Quarvelini.ini")), LeggiTutto(DatoProva("Quarvelini.ini")));
}

TEST_F(PrincipaleProva, SalvataggioImpossibileChiedeSeChiudere) {
  QDir(Percorso("")).mkdir("Quarvelini.ini");  // a folder where the file belongs
  QuarvelMain m;
  m.show();
  messaggi.risposte.push_back(Risposta::Annulla);
  EXPECT_FALSE(m.close());
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  EXPECT_EQ(messaggi.messaggi[0].pulsanti, Pulsanti::OkAnnulla);
  EXPECT_TRUE(m.close());
}

TEST_F(PrincipaleProva, DifettiDiInstallazioneNonFermanoLAvvio) {
  QFile::remove(Percorso("images/button3D_gray_Graph_IT.bmp"));
  QFile::remove(Percorso("images/logo.bmp"));
  ScriviTutto(Percorso("Quarvelini.ini"), "File ini Quarvel\r\nTipoDB:\r\n 1\r\n");
  QuarvelMain m;
  ASSERT_EQ(messaggi.messaggi.size(), 2u);  // one for the settings, one for the pictures
  EXPECT_TRUE(messaggi.messaggi[0].testo.contains("Quarvelini.ini"));
  EXPECT_TRUE(messaggi.messaggi[1].testo.contains("button3D_gray_Graph_IT.bmp"));
  EXPECT_EQ(Imp().TipoDB, 1);
  EXPECT_EQ(m.findChild<QPushButton*>("Cmd_Grafici")->text(), "Graph");
  EXPECT_TRUE(m.findChild<QLabel*>("Img_Logo")->text().contains("Quarvel"));
}

TEST_F(PrincipaleProva, LaCartellaHaOgniImmagineInOgniLingua) {
  for (const char* nome : {"Import", "Fleet", "Close", "Graph", "Trips", "Statistics", "Overview",
                           "update", "Insert", "analyze"})
    for (const char* codice : {"IT", "EN", "ES"})
      EXPECT_EQ(QImage(Percorso(QStringLiteral("images/button3D_gray_%1_%2.bmp").arg(nome, codice)))
                    .size(),
                QSize(129, 41))
          << nome << codice;
  EXPECT_FALSE(QImage(Percorso("images/logo.bmp")).isNull());
}
