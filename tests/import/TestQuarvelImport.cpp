#include "Anagrafica.h"
#include "CartellaProva.h"
#include "CartellaProgramma.h"
#include "Impostazioni.h"
#include "Messaggi.h"
#include "QuarvelImport.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace quarvel;

namespace {
class FinestraImportProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    InizializzaDefault();
    ASSERT_TRUE(ApriAnagrafica(Imp().PercorsoAnagrafica).ok);
    ASSERT_TRUE(InserisciAnagrafica({"AB123CD", "Iveco", 400, 600, 1, 1, ""}).ok);
    ChiudiAnagrafica();
    QDir().mkpath(Percorso("chiavetta"));
    for (const char* nome : {"LOG_A.CSV", "LOG_B.CSV"})
      ScriviTutto(Percorso("chiavetta/") + nome, LeggiTutto(DatoProva(QString("import/") + nome)));
  }
  template <class T>
  T* Trova(QWidget& w, const char* nome) {
    T* c = w.findChild<T*>(nome);
    EXPECT_NE(c, nullptr) << nome;
    return c;
  }
  RegistratoreMessaggi messaggi_;
};
}  // namespace

TEST_F(FinestraImportProva, ImportaDallaCartellaSceltaEMostraIConti) {
  QuarvelImport finestra;
  auto* targa = Trova<QComboBox>(finestra, "Cmb_Targa");
  EXPECT_EQ(targa->itemText(0), "- - -");
  ASSERT_EQ(targa->count(), 2);
  targa->setCurrentIndex(1);
  finestra.ImpostaCartella(Percorso("chiavetta"));
  EXPECT_EQ(Trova<QListWidget>(finestra, "File")->count(), 2);

  // Closing is refused while the import runs (here: while its summary shows).
  bool chiusaDurante = true;
  messaggi_.allArrivo = [&](const Messaggio&) {
    if (finestra.ImportInCorso()) chiusaDurante = finestra.close();
  };
  finestra.show();
  QTest::mouseClick(Trova<QPushButton>(finestra, "Cmd_Import"), Qt::LeftButton);

  EXPECT_FALSE(chiusaDurante);
  EXPECT_EQ(Trova<QLabel>(finestra, "Lbl_Nfile")->text(), "N° File importati :  2");
  EXPECT_EQ(Trova<QLabel>(finestra, "Lbl_NViaggi")->text(), " N° Viaggi rilevati :  2");
  EXPECT_EQ(Trova<QLabel>(finestra, "Lbl_TempoImportato")->text(),
            " Tempo importato :  0h,  0min,  6sec");
  EXPECT_EQ(Trova<QLabel>(finestra, "Lbl_Errstr")->text(),
            " Errori in elaborazione stringhe :  4");
  auto* lista = Trova<QListWidget>(finestra, "Lst_File");
  ASSERT_EQ(lista->count(), 2);
  EXPECT_EQ(lista->item(0)->text(), " -> 04/12/2026,08.00. : file n°  1");
  EXPECT_EQ(Trova<QListWidget>(finestra, "File")->count(), 0);  // moved off the medium
  EXPECT_TRUE(Trova<QProgressBar>(finestra, "Prb_Import")->isHidden());
  EXPECT_TRUE(Trova<QPushButton>(finestra, "Cmd_Import")->isEnabled());
}

TEST_F(FinestraImportProva, SenzaMezzoNonSiImportaNulla) {
  QuarvelImport finestra;
  finestra.ImpostaCartella(Percorso("chiavetta"));
  QTest::mouseClick(Trova<QPushButton>(finestra, "Cmd_Import"), Qt::LeftButton);
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_EQ(messaggi_.messaggi[0].icona, Icona::Critica);
  EXPECT_EQ(messaggi_.messaggi[0].titolo, "Avviso");
  EXPECT_TRUE(QFile::exists(Percorso("chiavetta/LOG_A.CSV")));
  EXPECT_TRUE(QDir(PercorsoProgramma("DATA")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries)
                  .isEmpty());

  QTest::mouseClick(Trova<QPushButton>(finestra, "cmd_md"), Qt::LeftButton);
  EXPECT_EQ(messaggi_.messaggi.back().testo, "Attenzione, selezionare un mezzo");
}
