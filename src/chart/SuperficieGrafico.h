#pragma once
// The chart picture Img_CRT on the window: shows what the painter drew for
// the last redraw, with the cursor line over it, and reports the mouse in
// picture pixels (a press with any button, a move with exactly the left
// button held, a release). Over it the mouse is a cross-hair; from a press
// to the release, a west-east arrow.
#include "FiguraGrafico.h"

#include <QImage>
#include <QWidget>
#include <optional>

namespace quarvel {

class SuperficieGrafico : public QWidget {
  Q_OBJECT
 public:
  explicit SuperficieGrafico(QWidget* padre = nullptr);
  // Paints the figure over the picture; the cursor line goes.
  void Mostra(const FiguraGrafico& figura);
  // The cursor line at that picture column, until the next Mostra.
  void MostraCursore(int colonna);

 signals:
  void Premuto(double x);
  void Trascinato(double x);

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void mouseReleaseEvent(QMouseEvent* evento) override;

 private:
  QImage immagine_;
  std::optional<int> cursore_;
};

}  // namespace quarvel
