#include "FabbricaFinestre.h"
#include "FinestraUnica.h"
#include "FinestreProva.h"
#include "QuarvelMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

using namespace quarvel;

namespace {
// The main window's picture buttons and the pictures they show.
const std::pair<const char*, const char*> PulsantiPrincipali[] = {
    {"Cmd_scrivirec", "Import"}, {"Cmd_Anagrafica", "Fleet"}, {"Cmd_Esci", "Close"},
    {"Cmd_Grafici", "Graph"},    {"Cmd_Trips", "Trips"},      {"Cmd_Statistics", "Statistics"},
};

int FinestreConNome(const QString& nome) {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) n += w->isVisible() && w->objectName() == nome;
  return n;
}
}  // namespace

class PrincipaleProva : public FinestreProva {
 protected:
  void VerificaImmagini(const QuarvelMain& m, const QString& codice) {
    for (const auto& [pulsante, immagine] : PulsantiPrincipali) {
      const auto* p = m.findChild<QPushButton*>(pulsante);
      ASSERT_TRUE(p) << pulsante;
      EXPECT_TRUE(MostraImmagine(
          p, Percorso(QStringLiteral("images/button3D_gray_%1_%2.bmp").arg(immagine, codice))))
          << pulsante;
    }
  }
};

TEST_F(PrincipaleProva, AvvioInItaliano) {
  QuarvelMain m;
  EXPECT_EQ(m.windowTitle(), "Quarvel  ver 1. 0");
  EXPECT_EQ(m.findChild<QGroupBox*>("Frame1")->title(), "Analisi");
  VerificaImmagini(m, "IT");
  EXPECT_TRUE(messaggi.messaggi.empty());

  m.findChild<QAction*>("Mnu_About_Quarvel")->trigger();
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  EXPECT_EQ(messaggi.messaggi[0].titolo, "About");
  EXPECT_EQ(messaggi.messaggi[0].testo,
            "Quarvel versione 1. 0\nAnalisi dei dati di bordo della flotta");
}

TEST_F(PrincipaleProva, AvvioInIngleseDalFileImpostazioni) {
  ScriviTutto(Percorso("Quarvelini.ini"), LeggiTutto(DatoProva("Quarvelini.ini")));
  QuarvelMain m;
  EXPECT_EQ(Imp().CapacitaSerbatoio, 300);
  EXPECT_EQ(m.findChild<QGroupBox*>("Frame1")->title(), "Analysis");
  EXPECT_EQ(m.findChild<QAction*>("Mnu_Opzioni")->text(), "Options");
  VerificaImmagini(m, "EN");
}

TEST_F(PrincipaleProva, OgniFinestraSiApreUnaVolta) {
  QuarvelMain m;
  m.show();
  const std::tuple<const char*, const char*, const char*> attese[] = {
      {"Cmd_scrivirec", "QuarvelImport", "Quarvel - Import"},
      {"Cmd_Anagrafica", "QvAnagrafica", "Quarvel - Anagrafica"},
      {"Cmd_Grafici", "QvGraph", "Quarvel - Grafici"},
      {"Cmd_Trips", "QvAnalisiUtilizzo2", "Quarvel - Analisi Utilizzo"},
      {"Cmd_Statistics", "QvAnalisiConsumi", "Quarvel - Analisi Consumi"},
  };
  for (const auto& [pulsante, nome, titolo] : attese) {
    m.findChild<QPushButton*>(pulsante)->click();
    QWidget* prima = CercaFinestra(nome);
    ASSERT_TRUE(prima) << nome;
    EXPECT_EQ(prima->windowTitle(), titolo);
    m.findChild<QPushButton*>(pulsante)->click();
    EXPECT_EQ(CercaFinestra(nome), prima);
    EXPECT_EQ(FinestreConNome(nome), 1);
  }
  m.findChild<QAction*>("Mnu_Opzioni")->trigger();
  m.findChild<QAction*>("Mnu_Opzioni")->trigger();
  EXPECT_EQ(FinestreConNome("QuarvelOption"), 1);

  // A closed window is made anew the next time.
  QPointer<QWidget> grafici = CercaFinestra("QvGraph");
  grafici->close();
  EliminaChiuse();
  EXPECT_TRUE(grafici.isNull());
  m.findChild<QPushButton*>("Cmd_Grafici")->click();
  EXPECT_EQ(FinestreConNome("QvGraph"), 1);
}

TEST_F(PrincipaleProva, ChiusuraScriveImpostazioniEChiudeLeAltre) {
  QuarvelMain m;
  m.show();
  QPointer<QWidget> grafici = ApriFinestra(FinestraLavoro::Grafici);
  QPointer<QWidget> importa = ApriFinestra(FinestraLavoro::Import);
  Imp().CapacitaSerbatoio = 300;
  Imp().TipoDB = 2;
  Imp().LivelloAllertGasolio = 30;
  Imp().LivelloAllertVelocita = -1;
  Imp().TipoReport = 7;
  Imp().Lingua = 1;
  EXPECT_FALSE(QFile::exists(Percorso("Quarvelini.ini")));  // only at exit

  m.findChild<QPushButton*>("Cmd_Esci")->click();
  EliminaChiuse();
  EXPECT_FALSE(m.isVisible());
  EXPECT_TRUE(grafici.isNull());
  EXPECT_TRUE(importa.isNull());
  EXPECT_EQ(LeggiTutto(Percorso("Quarvelini.ini")), LeggiTutto(DatoProva("Quarvelini.ini")));
}

TEST_F(PrincipaleProva, SalvataggioImpossibileChiedeSeChiudere) {
  QDir(Percorso("")).mkdir("Quarvelini.ini");  // a folder where the file belongs
  QuarvelMain m;
  m.show();
  messaggi.risposte.push_back(Risposta::Annulla);
  EXPECT_FALSE(m.close());
  EXPECT_TRUE(m.isVisible());
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  EXPECT_EQ(messaggi.messaggi[0].icona, Icona::Domanda);
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
  EXPECT_EQ(messaggi.messaggi[1].testo,
            "Immagini dei pulsanti non trovate:\n" + Percorso("images/button3D_gray_Graph_IT.bmp"));
  EXPECT_EQ(Imp().TipoDB, 1);
  EXPECT_EQ(Imp().CapacitaSerbatoio, 250);
  auto* grafici = m.findChild<QPushButton*>("Cmd_Grafici");
  EXPECT_TRUE(grafici->icon().isNull());
  EXPECT_EQ(grafici->text(), "Graph");
  EXPECT_FALSE(m.findChild<QPushButton*>("Cmd_Trips")->icon().isNull());
  EXPECT_TRUE(m.findChild<QLabel*>("Img_Logo")->text().contains("Quarvel"));
}

TEST_F(PrincipaleProva, LaCartellaHaOgniImmagineInOgniLingua) {
  for (const char* nome : {"Import", "Fleet", "Close", "Graph", "Trips", "Statistics", "update",
                           "Insert", "analyze"})
    for (const char* codice : {"IT", "EN", "ES"}) {
      const QImage immagine(Percorso(QStringLiteral("images/button3D_gray_%1_%2.bmp").arg(nome, codice)));
      EXPECT_EQ(immagine.size(), QSize(129, 41)) << nome << codice;
    }
  EXPECT_FALSE(QImage(Percorso("images/logo.bmp")).isNull());
}
