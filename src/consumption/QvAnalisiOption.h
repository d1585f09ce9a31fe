#pragma once
// The analysis options: the speed alert threshold and the fuel alert level
// the next analysis uses, and the smallest refuel and loss in litres that
// the fuel analysis reports. Each edit changes the settings in memory at once;
// they reach the settings file when the main window closes. The year list
// only shows the years of the installation: the database year stays AnnoDB.
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quarvel {

class QvAnalisiOption : public QWidget {
  Q_OBJECT
 public:
  explicit QvAnalisiOption(QWidget* padre = nullptr);

 private:
  void Costruisci();
  // A numeric text goes into the setting, read leniently from its start; a
  // text that is no number, or a value beyond 16 bits, gets a message and
  // the setting keeps its value.
  void ValoreModificato(const QString& testo, int16_t& impostazione);
  // Litres: any number from 0 up, in the user's format.
  void LitriModificati(const QString& testo, double& impostazione);

  QGroupBox* Frm_AnnoAnalisi;
  QLabel* Lbl_AnnoAnalisi;
  QComboBox* Cmb_AnnoAnalisi;
  QGroupBox* Frm_ParametriRicerca;
  QLabel* Lbl_velocitaallert;
  QLineEdit* Txt_VelocitaAllert;
  QLabel* Lbl_gasolioalert;
  QLineEdit* Txt_GasolioAllert;
  QGroupBox* Frm_Carburante;
  QLabel* Lbl_MinimoRifornimento;
  QLineEdit* Txt_MinimoRifornimento;
  QLabel* Lbl_MinimoPerdita;
  QLineEdit* Txt_MinimoPerdita;
  QPushButton* Cmd_Close;
};

}  // namespace quarvel
