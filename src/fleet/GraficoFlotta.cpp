#include "GraficoFlotta.h"

#include "Localizzazione.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace quarvel {

namespace {
constexpr double kMargine = 8, kTitolo = 22, kSpazioValore = 64, kBarraMassima = 18;
}  // namespace

GraficoFlotta::GraficoFlotta(QWidget* padre) : QWidget(padre) {
  setMinimumHeight(160);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

void GraficoFlotta::Mostra(std::vector<Serie> serie) {
  serie_ = std::move(serie);
  update();
}

double GraficoFlotta::Pannello::X(double valore) const {
  if (massimo <= minimo) return barre.left();
  return barre.left() + (valore - minimo) / (massimo - minimo) * barre.width();
}

GraficoFlotta::Pannello GraficoFlotta::Geometria(int s) const {
  Pannello p;
  const double larghezza = (width() - kMargine) / std::max<double>(1, double(serie_.size()));
  p.area = QRectF(kMargine + s * larghezza, kMargine, larghezza - kMargine, height() - 2 * kMargine);
  const Serie& serie = serie_[std::size_t(s)];
  const QFontMetricsF metriche(font());
  double targhe = 0;
  for (const Barra& b : serie.barre) {
    targhe = std::max(targhe, metriche.horizontalAdvance(b.targa));
    if (b.valore) {
      p.minimo = std::min(p.minimo, *b.valore);
      p.massimo = std::max(p.massimo, *b.valore);
    }
  }
  const double sinistra = p.area.left() + targhe + 8;
  p.barre = QRectF(sinistra, p.area.top() + kTitolo,
                   std::max(10.0, p.area.right() - kSpazioValore - sinistra),
                   p.area.height() - kTitolo);
  const double n = std::max<double>(1, double(serie.barre.size()));
  p.altezzaBarra = std::min(kBarraMassima, p.barre.height() / n);
  return p;
}

QRectF GraficoFlotta::Rettangolo(int s, int b) const {
  if (s < 0 || s >= int(serie_.size())) return {};
  const Serie& serie = serie_[std::size_t(s)];
  if (b < 0 || b >= int(serie.barre.size()) || !serie.barre[std::size_t(b)].valore) return {};
  const Pannello p = Geometria(s);
  const double valore = *serie.barre[std::size_t(b)].valore;
  const double zero = p.X(0), fine = p.X(valore);
  const double y = p.barre.top() + b * p.altezzaBarra;
  return QRectF(QPointF(std::min(zero, fine), y + 2), QPointF(std::max(zero, fine), y + p.altezzaBarra - 2));
}

void GraficoFlotta::paintEvent(QPaintEvent*) {
  QPainter pittore(this);
  for (int s = 0; s < int(serie_.size()); ++s) {
    const Serie& serie = serie_[std::size_t(s)];
    const Pannello p = Geometria(s);
    QFont grassetto = font();
    grassetto.setBold(true);
    pittore.setFont(grassetto);
    pittore.setPen(Qt::black);
    pittore.drawText(QRectF(p.area.left(), p.area.top(), p.area.width(), kTitolo),
                     Qt::AlignLeft | Qt::AlignVCenter, serie.titolo);
    pittore.setFont(font());
    for (int b = 0; b < int(serie.barre.size()); ++b) {
      const Barra& barra = serie.barre[std::size_t(b)];
      const QRectF riga(p.area.left(), p.barre.top() + b * p.altezzaBarra, p.area.width(), p.altezzaBarra);
      pittore.setPen(Qt::black);
      pittore.drawText(QRectF(riga.left(), riga.top(), p.barre.left() - riga.left() - 6, riga.height()),
                       Qt::AlignRight | Qt::AlignVCenter, barra.targa);
      if (!barra.valore) continue;
      const QRectF r = Rettangolo(s, b);
      pittore.fillRect(r, serie.colore);
      const QString valore = TestoDecimali(*barra.valore, serie.decimali);
      pittore.drawText(QRectF(std::max(r.right(), p.X(0)) + 4, riga.top(), kSpazioValore, riga.height()),
                       Qt::AlignLeft | Qt::AlignVCenter, valore);
    }
    // The zero line, over the bars' roots.
    pittore.setPen(QColor(0x60, 0x60, 0x60));
    const double zero = p.X(0);
    pittore.drawLine(QPointF(zero, p.barre.top()),
                     QPointF(zero, p.barre.top() + std::max<double>(1, serie.barre.size()) * p.altezzaBarra));
  }
}

}  // namespace quarvel
