#pragma once
// Up-down arrows beside a text box: two small buttons that only say which
// one was pressed. The window keeps the counter they step and writes the
// box itself, so what is typed in the box never feeds the arrows.
#include <QWidget>

class QToolButton;

namespace quarvel {

class FrecceSuGiu : public QWidget {
  Q_OBJECT
 public:
  explicit FrecceSuGiu(QWidget* padre = nullptr);
  // The two buttons, named "Su" and "Giu".
  QToolButton* Su() const { return su_; }
  QToolButton* Giu() const { return giu_; }

 signals:
  void Avanti();
  void Indietro();

 private:
  QToolButton* su_;
  QToolButton* giu_;
};

// A counter stepped by one and wrapped within 0..massimo (23 for hours, 59
// for minutes): below 0 it becomes massimo, above massimo 0.
int16_t PassoCircolare(int16_t valore, int passo, int16_t massimo);

}  // namespace quarvel
