#pragma once
// The consumption window: the user picks a vehicle (or a vehicle database
// file), sees the span the database covers, sets a period with the date
// pickers and the hour and minute boxes, and analyses it. The figures come
// from AnalisiTotale; the window only reads its controls and writes the
// results back, appending the refuel and anomaly lines to its two lists.
#include <QHash>
#include <QMainWindow>
#include <vector>

#include "EventiCarburante.h"
#include "Istante.h"
#include "Logs.h"
#include "PeriodoAnalisi.h"

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace quarvel {

class FrecceSuGiu;
struct RisultatoAnalisi;
struct ViaggioAnalisi;

class QvAnalisiConsumi : public QMainWindow {
  Q_OBJECT
 public:
  explicit QvAnalisiConsumi(QWidget* padre = nullptr);
  ~QvAnalisiConsumi() override;

  // What the usage window hands over: the plate shown, the database path and
  // the period controls. The arrow counters keep their values, and nothing
  // is analysed until the user asks.
  void MostraSelezione(const QString& targa, const QString& percorso, Istante inizio, Istante fine);

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void Costruisci();
  QWidget* CreaRiquadroMezzo();
  QWidget* CreaRiquadroPeriodo();
  QWidget* CreaRiquadroRisultati();
  QWidget* CreaElenchi();
  // The refuels and losses in litres of the last analysis, and the balance.
  QWidget* CreaRiquadroCarburante();
  void MostraCarburante(const RisultatoCarburante& r);
  // The chart window at the minute of the event on that row.
  void ApriGraficoEvento(int riga);
  // The trips (viaggi) or the refuels and losses of the last analysis into
  // a CSV file or an XLSX workbook the user chooses.
  void Esporta(bool viaggi, bool xlsx);
  void CaricaTarghe();

  void TargaScelta(int indice);
  void ApriDati();
  void Analizza();
  // The print preview of the consumption report, from the texts shown.
  void Stampa();
  // Reads the span of the database at percorso into Txt_DBdal and Txt_DBal
  // and proposes it as the period; false when it could not be opened.
  bool LeggiDatabase(const QString& percorso);
  void ScriviPeriodo(const PropostaPeriodo& p);
  void ImpostaInAnalisi(bool si);
  void MostraRisultati(const RisultatoAnalisi& r);
  // The stepping of one arrow pair: its counter, wrapped, written to its box.
  void Passo(int16_t& contatore, int passo, int16_t massimo, QLineEdit* casella);

  // Window state.
  QString PercorsoDB;
  Istante InizioDB = IstanteZero;
  Istante FineDB = IstanteZero;
  Istante InizioAnalisi = IstanteZero;
  Istante FineAnalisi = IstanteZero;
  int16_t OraInizio = 0, MinutoInizio = 0, OraFine = 0, MinutoFine = 0;
  QString PercorsoReport;
  // While a pass runs the commands are disabled and the window refuses to
  // close.
  bool inAnalisi_ = false;
  // The window's own connection for its reads: while the pass lets events
  // through, another window may open the shared vehicle database.
  DatabaseLogs db_;

  QComboBox* Cmb_Targa;
  QComboBox* Cmb_AnnoDB;
  QLineEdit* Txt_NomeDBAnalizze;
  QPushButton* Cmd_ApriDati;
  QLineEdit* Txt_DBdal;
  QLineEdit* Txt_DBal;
  QDateEdit* DTP_AnalStartDate;
  QDateEdit* DTP_AnalStopDate;
  QLineEdit* Txt_AnalStartH;
  QLineEdit* Txt_AnalStartMin;
  QLineEdit* Txt_AnalStopH;
  QLineEdit* Txt_AnalStopMin;
  FrecceSuGiu* UpD_AnalStartH;
  FrecceSuGiu* UpD_AnalStartMin;
  FrecceSuGiu* UpD_AnalStopH;
  FrecceSuGiu* UpD_AnalStopMin;
  QPushButton* Cmd_Analizza2;
  QPushButton* Cmd_Print;
  QPushButton* Cmd_Close;
  QProgressBar* Prb_Analisi;
  QProgressBar* Prb_running;
  QLabel* Lbl_Attesa;  // says that another program holds the database
  QLabel* Lbl_StartDate;
  QLabel* Lbl_endDate;
  QHash<QString, QLabel*> risultati_;  // the sixteen result labels by name
  QPlainTextEdit* Txt_datecarico;
  QPlainTextEdit* Txt_datesospette;
  QTabWidget* Tab_Elenchi;
  QWidget* Frm_Carburante;
  QTableWidget* Tbl_Carburante;
  QLabel* Lbl_BilancioCarburante;
  // The events of the last analysis, its database and its period: a double
  // click shows them in the chart.
  RisultatoCarburante carburante_;
  QString percorsoCarburante_;
  Istante inizioCarburante_ = 0, fineCarburante_ = 0;
  // The trips of the last analysis and the speed alert level it counted.
  std::vector<ViaggioAnalisi> viaggi_;
  int16_t sogliaViaggi_ = 0;
  QGroupBox* Frm_Mezzo;
  QGroupBox* Frm_Periodo;
  QAction* Mnu_opzioni;
  QMenu* Mnu_Esporta;
};

}  // namespace quarvel
