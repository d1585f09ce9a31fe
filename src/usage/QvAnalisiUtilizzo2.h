#pragma once
// The usage window: the user picks a truck and a month, sees in which
// quarter-hours of which days it logged samples, marks a span by dragging
// over the grid and hands that span to the consumption window, or prints the
// month. The scan is AnalisiTrackmese2; the window only reads its controls,
// paints the cells the scan reports and writes the selection back.
#include <QMainWindow>

#include "AttivitaMese.h"
#include "Istante.h"
#include "Logs.h"
#include "TracciaMese.h"

#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace quarvel {

class GrigliaAttivita;
class RigaOre;

class QvAnalisiUtilizzo2 : public QMainWindow {
  Q_OBJECT
 public:
  explicit QvAnalisiUtilizzo2(QWidget* padre = nullptr);
  ~QvAnalisiUtilizzo2() override;

  // The month last drawn, for the usage report.
  const quarvel::AttivitaMese& Attivita() const { return AttivitaMese; }

  // Paints one cell of the grid: kind 0 yellow (the test pattern), 1 green
  // (an active slot), 2 magenta; any other kind leaves the cell as it is.
  void Disegna_Attivita_5m(int16_t tipo, int16_t giorno, int16_t ora, int16_t quarto);

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void Costruisci();
  void CaricaTarghe();
  void TargaScelta(int indice);
  void TrackMese();
  void Statistiche();
  void Stampa();
  // The month drawn as CSV, in the user's format.
  void EsportaMese();
  void TestVideo();
  // The grid's mouse: the start of a span, its end while dragging, its end.
  void Premuta(int riga, int colonna);
  void Trascinata(int riga, int colonna);
  void Rilasciata(int riga, int colonna);
  // The year and month chosen in the lists; nothing while either is not.
  bool MeseScelto(int& anno, int& mese) const;
  // PercorsoDB = the database of the plate for the year chosen beside it
  // (the database year until the user picks another), as it lies in DATA;
  // false, after its message, when there is none.
  bool DatabaseDellaTarga(const QString& targa);
  void ImpostaInTraccia(bool si);

  // Window state.
  QString PercorsoDB;
  Istante InizioSelezione = IstanteZero;
  Istante FineSelezione = IstanteZero;
  Istante InizioMese = IstanteZero;
  Istante FineMese = IstanteZero;
  quarvel::AttivitaMese AttivitaMese;
  // The month the grid shows, once one is drawn.
  std::optional<PeriodoMese> meseMostrato_;
  // While a scan lets events through the commands are refused and the
  // window does not close.
  bool inTraccia_ = false;
  // The window's own connection: another window may open the shared vehicle
  // database while the scan lets events through.
  DatabaseLogs db_;

  QComboBox* Cmb_Targa;
  QComboBox* Cmb_AnnoDB;
  QLineEdit* Txt_NomeDBAnalizze;
  QLineEdit* Txt_DBdal;
  QLineEdit* Txt_DBal;
  QComboBox* Cmb_mese;
  QComboBox* Cmb_anno;
  QPushButton* Cmd_TrackMese;
  RigaOre* Picture1;
  GrigliaAttivita* Grid1;
  QLabel* Label2;
  QLabel* Label4;
  QLabel* Lbl_Attesa;  // says that another program holds the database
  QPushButton* Cmd_Statistics;
  QPushButton* Cmd_Close;
  QPushButton* Cmd_Print;
  QPushButton* Cmd_EsportaCsv;
  QPushButton* Command1;
  QPushButton* Command3;
  QMenu* Mnu_File;
  QAction* Mnu_opzioni;
};

}  // namespace quarvel
