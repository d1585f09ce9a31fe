#include "Anagrafica.h"
#include "CartellaProva.h"
#include "CartellaProgramma.h"
#include "Impostazioni.h"
#include "Messaggi.h"
#include "QuarvelImport.h"
#include "Volumi.h"

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
    Chiavetta({"LOG_A.CSV", "LOG_B.CSV"});
  }
  // The window with the vehicle chosen and the stick's folder.
  void Prepara(QuarvelImport& finestra) {
    Trova<QComboBox>(finestra, "Cmb_Targa")->setCurrentIndex(1);
    finestra.ImpostaCartella(Percorso("chiavetta"));
    finestra.show();
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

// The list entry of a file shows 17 characters of its last line, not 17 bytes.
TEST_F(FinestraImportProva, ImportaDallaCartellaSceltaEMostraIConti) {
  ScriviTutto(Percorso("chiavetta/NOTA.CSV"), "Autista: Niccolò è partito\r\n");
  QuarvelImport finestra;
  Prepara(finestra);
  EXPECT_EQ(Trova<QListWidget>(finestra, "File")->count(), 3);

  // Closing is refused while the import runs (here: while its summary shows).
  bool chiusaDurante = true;
  messaggi_.allArrivo = [&](const Messaggio&) {
    if (finestra.ImportInCorso()) chiusaDurante = finestra.close();
  };
  QTest::mouseClick(Trova<QPushButton>(finestra, "Cmd_Import"), Qt::LeftButton);

  EXPECT_FALSE(chiusaDurante);
  EXPECT_EQ(Trova<QLabel>(finestra, "Lbl_Nfile")->text(), "N° File importati :  3");
  EXPECT_EQ(Trova<QLabel>(finestra, "Lbl_NViaggi")->text(), " N° Viaggi rilevati :  2");
  EXPECT_EQ(Trova<QLabel>(finestra, "Lbl_Errstr")->text(), " Errori in elaborazione stringhe :  5");
  auto* lista = Trova<QListWidget>(finestra, "Lst_File");
  ASSERT_EQ(lista->count(), 3);
  EXPECT_EQ(lista->item(0)->text(), " -> 04/12/2026,08.00. : file n°  1");
  EXPECT_EQ(lista->item(2)->text(), " -> Autista: Niccolò  : file n°  3");
  EXPECT_EQ(Trova<QListWidget>(finestra, "File")->count(), 0);  // moved off the medium
  EXPECT_TRUE(Trova<QProgressBar>(finestra, "Prb_Import")->isHidden());
  EXPECT_TRUE(Trova<QPushButton>(finestra, "Cmd_Import")->isEnabled());
}

TEST_F(FinestraImportProva, SenzaMezzoNullaEUnImportInterrottoLoDiceSottoIConti) {
  QuarvelImport finestra;
  finestra.ImpostaCartella(Percorso("chiavetta"));
  QTest::mouseClick(Trova<QPushButton>(finestra, "Cmd_Import"), Qt::LeftButton);
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_EQ(messaggi_.messaggi[0].icona, Icona::Critica);
  EXPECT_TRUE(QFile::exists(Percorso("chiavetta/LOG_A.CSV")));
  EXPECT_EQ(QDir(PercorsoDati("DATA")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList());

  // The vehicle database's name is taken by a file that is no database.
  ScriviTutto(Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) + ".mdb",
              QByteArray(4096, 'x'));
  Prepara(finestra);
  QTest::mouseClick(Trova<QPushButton>(finestra, "Cmd_Import"), Qt::LeftButton);
  auto* interruzione = Trova<QLabel>(finestra, "Lbl_Interruzione");
  EXPECT_TRUE(interruzione->isVisible());
  EXPECT_TRUE(interruzione->text().endsWith("file is not a database"));
}

// In English the counts and the closing message are English; the error
// output keeps its Italian lines.
TEST_F(FinestraImportProva, IContiNellaLinguaDellaFinestra) {
  Imp().CodiceLingua = "EN";
  QuarvelImport finestra;
  Prepara(finestra);
  QTest::mouseClick(Trova<QPushButton>(finestra, "Cmd_Import"), Qt::LeftButton);
  QStringList didascalie;
  for (const char* nome : {"Lbl_Nfile", "Lbl_NViaggi", "Lbl_TempoImportato", "Lbl_Errstr"})
    didascalie << Trova<QLabel>(finestra, nome)->text();
  EXPECT_EQ(didascalie, (QStringList{"Files imported :  2", " Trips found :  2",
                                     " Time imported :  0h,  0min,  6sec", " Line errors :  4"}));
  EXPECT_EQ(messaggi_.Testi().last(),
            "Import completed\nRecords:  6\nErrors:  4\n"
            "1 line was already in the database and was not stored again\n");
  const QString errori = QString::fromUtf8(LeggiTutto(
      Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) + ".txt"));
  EXPECT_TRUE(errori.endsWith("Errori:  4\r\n\r\nN° File importati :  2\r\n N° Viaggi rilevati :  2\r\n"
                              " Tempo importato :  0h,  0min,  6sec\r\n"))
      << errori.toStdString();
}

TEST(Volumi, PrimaIRimovibiliPoiLaCasaPoiIlRestoSenzaQuelliDiSistema) {
  const std::vector<Volume> montati = {
      {"/", "ext4", true},          {"/proc", "proc", true},       {"/mnt/ram", "tmpfs", true},
      {"/media/mario/LOGGER", "vfat", true}, {"/run/user/1000", "tmpfs", true}, {"/data", "ext4", true},
      {"/boot/efi", "vfat", true},  {"/mnt/chiave", "exfat", true}, {"/srv/segreto", "ext4", false},
      {"/dev/shm", "tmpfs", true},  {"/snap/core/1", "squashfs", true}};
  QStringList percorsi;
  for (const VoceVolume& v : OrdinaVolumi(montati, "/home/mario")) percorsi << v.percorso;
  EXPECT_EQ(percorsi, (QStringList{"/media/mario/LOGGER", "/mnt/chiave", "/home/mario", "/", "/data"}));
}
