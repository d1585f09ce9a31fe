#pragma once
// The fleet window: every registered vehicle with a database for the year
// chosen, over this month, last month, this year or chosen days: distance,
// fuel, engine, driving and idle time, trips, speed, refuels, losses and
// unexplained litres, a totals row, and a bar chart of L/100 km and of the
// lost and unexplained litres. The figures are computed in the background
// (CalcoloFlotta), a vehicle per core, while the window stays responsive;
// closing it stops the work. The table sorts on a click of its headings,
// exports to CSV and XLSX, and prints.
#include "PeriodoFlotta.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace quarvel {

class CalcoloFlotta;
class GraficoFlotta;
class ModelloFlotta;
class OrdineFlotta;
struct TabellaEsportata;

class QvFlotta : public QWidget {
  Q_OBJECT
 public:
  explicit QvFlotta(QWidget* padre = nullptr);
  ~QvFlotta() override;

  bool InCalcolo() const { return calcolo_ != nullptr; }

 signals:
  // The figures are in the table and the chart (also when the work found
  // nothing to show, or was stopped).
  void CalcoloConcluso();

 protected:
  void showEvent(QShowEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  void Costruisci();
  QWidget* CreaScelte();
  QWidget* CreaComandi();
  void RiempiAnni();
  void PeriodoScelto();
  void Calcola();
  void Controlla();
  void Concludi();
  void AggiornaGrafico();
  // The period of the controls; nothing, after a message, when the days
  // are reversed.
  std::optional<IntervalloFlotta> Periodo();
  // The table as shown: the view's order, the totals last, the headings of
  // the language.
  TabellaEsportata Tabella() const;
  QString NomeFile() const;
  void Esporta(bool xlsx);
  void Stampa();
  void Attiva(bool si);

  std::unique_ptr<CalcoloFlotta> calcolo_;
  IntervalloFlotta periodo_;  // of the figures shown (or being computed)
  QString anno_;
  bool primaVolta_ = true;

  QComboBox* Cmb_Anno;
  QComboBox* Cmb_Periodo;
  QDateEdit* DTP_Dal;
  QDateEdit* DTP_Al;
  QPushButton* Cmd_Calcola;
  QProgressBar* Prb_Flotta;
  QTableView* Tbl_Flotta;
  GraficoFlotta* Grafico_Flotta;
  QPushButton* Cmd_EsportaCsv;
  QPushButton* Cmd_EsportaXlsx;
  QPushButton* Cmd_Print;
  QPushButton* Cmd_Close;
  QTimer* Tmr_Calcolo;
  ModelloFlotta* modello_;
  OrdineFlotta* ordine_;
};

}  // namespace quarvel
