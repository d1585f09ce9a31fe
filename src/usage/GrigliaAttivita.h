#pragma once
// The month grid of the usage window (Grid1) and the hour ruler drawn over
// its header row (Picture1). Row 0 is the fixed header, rows 1..31 the days;
// column 0 holds the day number, column 4h + q + 1 is quarter q of hour h.
// Each cell has its own background colour; a drag over the cells selects a
// span, whose start and end the grid reports as cells.
#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <array>

namespace quarvel {

class ModelloGriglia : public QAbstractTableModel {
 public:
  static constexpr int kRighe = 32, kColonne = 97;

  using QAbstractTableModel::QAbstractTableModel;
  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int ruolo) const override;
  Qt::ItemFlags flags(const QModelIndex& indice) const override;

  // All texts and cell colours back to the empty grid.
  void Pulisci();
  // "1" to "31" in column 0.
  void ScriviGiorni();
  void Colora(int riga, int colonna, const QColor& colore);
  QColor Colore(int riga, int colonna) const;

 private:
  static int Cella(int riga, int colonna) { return riga * kColonne + colonna; }
  std::array<QColor, kRighe * kColonne> colori_{};  // invalid: the normal white
  bool giorniScritti_ = false;
};

class GrigliaAttivita : public QTableView {
  Q_OBJECT
 public:
  static constexpr int kAltezzaRiga = 12, kLarghezzaGiorno = 20, kLarghezzaQuarto = 6;
  static constexpr int kAltezzaIntestazione = 21;  // the height of the hour ruler

  explicit GrigliaAttivita(QWidget* padre = nullptr);
  ModelloGriglia& Modello() { return modello_; }
  // Where column 1 begins, from the grid's left edge: the ruler's first hour.
  int InizioQuarti() const;

 signals:
  // Cells (row, column) of the day area, never the fixed row or column.
  void Premuta(int riga, int colonna);     // any button: the start of a span
  void Trascinata(int riga, int colonna);  // left button held: the end so far
  void Rilasciata(int riga, int colonna);  // left button: the end

 protected:
  void mousePressEvent(QMouseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void mouseReleaseEvent(QMouseEvent* evento) override;

 private:
  ModelloGriglia modello_;
  bool premuta_ = false;  // a press on a day cell began the drag
};

// The hour ruler: a blank cell over the day column, then "0" to "23" each
// over the four quarter columns of its hour, with a thin line every quarter.
class RigaOre : public QWidget {
 public:
  RigaOre(int inizioQuarti, QWidget* padre = nullptr);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  int inizioQuarti_;
};

}  // namespace quarvel
