#pragma once
// The main window: loading it establishes the settings and the language,
// its picture buttons open the working windows, and closing it writes the
// settings and closes every other window, which ends the application.
#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace quarvel {

class QuarvelMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit QuarvelMain(QWidget* padre = nullptr);

  // The caption: "Quarvel  ver 1." and the minor version with a leading blank.
  static QString Titolo();

  // Applies the current language file and its button pictures, as at
  // start-up (the options window calls it when it closes).
  void AggiornaLingua();

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void Costruisci();
  void CaricaImmagini();
  void MostraOpzioni();
  void MostraAbout();

  QLabel* Img_Logo;
  QPushButton* Cmd_scrivirec;
  QPushButton* Cmd_Anagrafica;
  QPushButton* Cmd_Grafici;
  QPushButton* Cmd_Trips;
  QPushButton* Cmd_Statistics;
  QPushButton* Cmd_Flotta;
  QPushButton* Cmd_Esci;
  QGroupBox* Frame1;
  QAction* Mnu_Opzioni;
  QMenu* Mnu_about;
  QAction* Mnu_About_Quarvel;
  bool chiudendo_ = false;  // the other windows are being closed with it
};

}  // namespace quarvel
