#pragma once
// The chart window: the user picks a vehicle and sees level, engine speed,
// road speed (and the sensor level) over four hours on a black screen,
// stretches and shifts each curve, zooms the time axis, drags through the
// data or plays it back, reads the exact values under a cursor, and jumps
// to a date and minute. The window reads its controls and forwards them to
// the buffer (DatiGrafico), the view (VistaGrafico) and the painter.
#include "DatiGrafico.h"
#include "EventiGrafico.h"
#include "VistaGrafico.h"

#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace quarvel {

class SuperficieGrafico;

class QvGraph : public QWidget {
  Q_OBJECT
 public:
  explicit QvGraph(QWidget* padre = nullptr);
  ~QvGraph() override;

  // From the consumption window: the database at percorso, the page at
  // the minute of `istante` as "Vai a:" finds it, and the events its
  // analysis found marked.
  void MostraEvento(const QString& targa, const QString& percorso, Istante istante,
                    const EventiAnalizzati& eventi);

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void Costruisci();
  QWidget* CreaTavola();
  QWidget* CreaCanale(int c);
  QWidget* CreaComandi();
  QWidget* CreaVaiA();
  void CaricaTarghe();

  void TargaScelta(int indice);
  // The chart as drawn, with its axes, into a PNG file the user chooses.
  void SalvaImmagine();
  void Cmd_carica_Click();
  void Disegna_Grafici_Selezionati();
  void LabelY(int c);
  void Chk_Click(int c);
  void Scala(int c, bool piu);
  void Offset(int c, int passo);
  void ScalaX(int passo);
  // Cmd_Play (true) and Cmd_Stop (false).
  void Riproduzione(bool attiva);
  void Tmr_Play_Timer();
  void Premuto(double x);
  void Trascinato(double x);
  // The page loader of paging: the window's database, or nothing without one.
  Esito CaricaPagina(double primo);
  // A failed load, shown once until a load succeeds again (dragging and
  // playback retry the page at every step).
  void MostraErrore(const Esito& esito);
  void PassoOrario(QLineEdit* casella, int passo, int massimo);

  QString PercorsoDB;
  std::unique_ptr<DatiGrafico> dati_;
  EventiGrafico eventi_;
  VistaGrafico vista_;
  int16_t StatoPlay = 0;
  QString ultimoErrore_;

  QComboBox* Cmb_Targa;
  QComboBox* Cmb_AnnoDB;
  QLineEdit* Txt_NomeDBGraph;
  SuperficieGrafico* Img_CRT;
  std::array<QLabel*, 5> etichetteY_;  // LblYmin .. LblYMax
  QLabel* Lblunit;
  QLabel* Lbl_Attesa;  // says that another program holds the database
  std::array<QLabel*, 5> etichetteX_;  // LblXmin .. LblXmax
  std::array<QCheckBox*, kCanali> Chk_C;
  std::array<QLineEdit*, kCanali> Txt_ScalaY;
  std::array<QLineEdit*, kCanali> Txt_OffsetY;
  std::array<QLineEdit*, kCanali> Txt_punt;
  QLineEdit* Txtscalax;
  QLineEdit* Txt_punt_orario;
  QPushButton* Cmd_Play;
  QPushButton* Cmd_Stop;
  QTimer* Tmr_Play;
  QDateEdit* DTP_DisplayStartDate;
  QLineEdit* Txt_DisplayStartH;
  QLineEdit* Txt_DisplayStartMin;
  QPushButton* Cmd_carica;
  QPushButton* Cmd_SalvaImmagine;
  QPushButton* Cmd_Close;
  QWidget* tavola_;  // the picture with its axis labels
};

}  // namespace quarvel
