#include "SuperficieGrafico.h"

#include "PitturaGrafico.h"

#include <QMouseEvent>
#include <QPainter>

namespace quarvel {

SuperficieGrafico::SuperficieGrafico(QWidget* padre)
    : QWidget(padre), immagine_(ImmagineGrafico(FiguraGrafico())) {
  setFixedSize(kLarghezzaImmagine, kAltezzaImmagine);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
}

void SuperficieGrafico::Mostra(const FiguraGrafico& figura) {
  QPainter p(&immagine_);
  DipingiImmagine(p, figura);
  cursore_.reset();
  update();
}

void SuperficieGrafico::MostraCursore(int colonna) {
  cursore_ = colonna;
  update();
}

void SuperficieGrafico::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, immagine_);
  if (cursore_) DipingiCursore(p, *cursore_);
}

void SuperficieGrafico::mousePressEvent(QMouseEvent* evento) {
  emit Premuto(evento->position().x());
  setCursor(Qt::SizeHorCursor);
}

void SuperficieGrafico::mouseMoveEvent(QMouseEvent* evento) {
  if (evento->buttons() == Qt::LeftButton) emit Trascinato(evento->position().x());
}

void SuperficieGrafico::mouseReleaseEvent(QMouseEvent*) { setCursor(Qt::CrossCursor); }

}  // namespace quarvel
