#pragma once
// The import window: the user picks the medium and the folder holding the
// logger's files, the vehicle, and starts the import; the window shows the
// progress and the counts. The work itself is EseguiImport.
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTreeView;

namespace quarvel {

class QuarvelImport : public QWidget {
  Q_OBJECT
 public:
  explicit QuarvelImport(QWidget* padre = nullptr);

  // The folder whose files are listed (the folder list's path).
  QString CartellaCorrente() const;
  void ImpostaCartella(const QString& cartella);
  bool ImportInCorso() const { return inCorso_; }

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void Costruisci();
  void CaricaUnita();
  void UnitaCambiata(int indice);
  void AggiornaFile();
  void Importa();
  void CreaCartellaAnno();
  void AbilitaComandi(bool abilita);

  QLabel* Label3 = nullptr;
  QComboBox* Drive1 = nullptr;
  QTreeView* Dir = nullptr;
  QListWidget* File = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* Cmb_Targa = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* Cmd_Import = nullptr;
  QLabel* Label2 = nullptr;
  QListWidget* Lst_File = nullptr;
  QGroupBox* FrmReport = nullptr;
  QLabel* Lbl_Nfile = nullptr;
  QLabel* Lbl_NViaggi = nullptr;
  QLabel* Lbl_TempoImportato = nullptr;
  QLabel* Lbl_Errstr = nullptr;
  QLabel* Lbl_Interruzione = nullptr;  // where and why a stopped import stopped
  QProgressBar* Prb_Import = nullptr;
  QProgressBar* Prb_running = nullptr;
  QPushButton* Cmd_Close = nullptr;
  QPushButton* cmd_md = nullptr;
  QPushButton* Cmd_importriga = nullptr;
  QPushButton* Cmd_TryMovement = nullptr;
  QLabel* Lbl_Orario = nullptr;

  QFileSystemModel* cartelle_ = nullptr;
  QString cartellaCorrente_;
  int unitaPrecedente_ = 0;
  bool inCorso_ = false;
};

}  // namespace quarvel
