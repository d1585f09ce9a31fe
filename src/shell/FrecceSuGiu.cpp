#include "FrecceSuGiu.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace quarvel {

namespace {
QToolButton* Freccia(const char* nome, Qt::ArrowType verso, QWidget* padre) {
  auto* b = new QToolButton(padre);
  b->setObjectName(QString::fromLatin1(nome));
  b->setArrowType(verso);
  b->setAutoRepeat(true);  // held down it keeps stepping, as a spin box does
  b->setFocusPolicy(Qt::NoFocus);
  b->setFixedSize(18, 12);
  return b;
}
}  // namespace

FrecceSuGiu::FrecceSuGiu(QWidget* padre) : QWidget(padre) {
  su_ = Freccia("Su", Qt::UpArrow, this);
  giu_ = Freccia("Giu", Qt::DownArrow, this);
  auto* colonna = new QVBoxLayout(this);
  colonna->setContentsMargins(0, 0, 0, 0);
  colonna->setSpacing(0);
  colonna->addWidget(su_);
  colonna->addWidget(giu_);
  connect(su_, &QToolButton::clicked, this, &FrecceSuGiu::Avanti);
  connect(giu_, &QToolButton::clicked, this, &FrecceSuGiu::Indietro);
}

int16_t PassoCircolare(int16_t valore, int passo, int16_t massimo) {
  const int nuovo = valore + passo;
  if (nuovo < 0) return massimo;
  if (nuovo > massimo) return 0;
  return int16_t(nuovo);
}

}  // namespace quarvel
