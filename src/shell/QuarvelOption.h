#pragma once
// The options window: database type of new vehicle databases, language and
// tank capacity, and the data folder in use. Every click or edit changes
// the settings in memory at once (they reach the file when the main window
// closes); when the window closes the language code follows the chosen
// language and Chiusa() lets the main window take it.
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quarvel {

class QuarvelOption : public QWidget {
  Q_OBJECT
 public:
  explicit QuarvelOption(QWidget* padre = nullptr);

 signals:
  void Chiusa();

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void Costruisci();
  void CapacitaModificata(const QString& testo);

  QGroupBox* Frm_TipoDB;
  QRadioButton* Opt_Access97;
  QRadioButton* Opt_Access2000;
  QRadioButton* Opt_Access2k2;
  QGroupBox* Frm_language;
  QRadioButton* Opt_ITA;
  QRadioButton* Opt_ENG;
  QRadioButton* Opt_ESP;
  QGroupBox* Frm_ParamFisici;
  QLabel* Lbl_capacita;
  QLineEdit* Txt_Capacita;
  QGroupBox* Frm_CartellaDati;
  QLineEdit* Txt_CartellaDati;
  QPushButton* Cmd_Close;
};

}  // namespace quarvel
