#include "PitturaGrafico.h"

#include <QPainter>

namespace quarvel {

namespace {
// The installation's chart bitmap, drawn from its geometry: black, white
// axes, light grey grid on the time labels' columns and every 100 rows,
// dark grey halfway between.
QImage CreaSfondo() {
  QImage img(kLarghezzaImmagine, kAltezzaImmagine, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  const auto righe = [&](QColor colore, std::initializer_list<int> colonne,
                         std::initializer_list<int> righe) {
    p.setPen(QPen(colore, 1));
    for (int x : colonne) p.drawLine(x, 0, x, kAltezzaImmagine - 1);
    for (int y : righe) p.drawLine(0, y, kLarghezzaImmagine - 1, y);
  };
  righe(QColor(128, 128, 128), {100, 280, 460, 650}, {50, 150, 250, 350});
  righe(QColor(192, 192, 192), {190, 370, 550, 729}, {0, 100, 200, 300});
  righe(QColor(255, 255, 255), {9, 10}, {399, 400});
  return img;
}

const QImage& Sfondo() {
  static const QImage sfondo = CreaSfondo();
  return sfondo;
}

constexpr int kMargineSinistro = 60, kMargineSopra = 24, kMargineDestro = 60, kMargineSotto = 22;
}  // namespace

QColor ColoreCanale(int canale) {
  switch (canale) {
    case 0: return {255, 255, 0};
    case 1: return {0, 0, 255};
    case 2: return {0, 255, 0};
    case 3: return {255, 128, 0};
    case kEventi: return {255, 0, 255};
    default: return {255, 0, 0};
  }
}

void DipingiImmagine(QPainter& p, const FiguraGrafico& f) {
  p.drawImage(0, 0, Sfondo());
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.translate(-kXImmagine, 0);  // the figure's points are on the chart surface
  for (const auto& [linee, colore] : {std::pair{&f.marcatori, kMarcatori}, std::pair{&f.eventi, kEventi}})
    if (linee->size() > 1) {
      p.setPen(QPen(ColoreCanale(colore), 1));
      p.drawPolyline(linee->data(), int(linee->size()));
    }
  for (int c = 0; c < kCanali; ++c) {
    if (f.curve[c].empty()) continue;
    p.setPen(QPen(ColoreCanale(c), 1));
    p.drawPolyline(f.curve[c].data(), int(f.curve[c].size()));
  }
  p.restore();
}

void DipingiCursore(QPainter& p, int colonna) {
  p.setPen(QPen(Qt::white, 1));
  p.drawLine(colonna, kYBase, colonna, 0);
}

QImage ImmagineGrafico(const FiguraGrafico& f, std::optional<int> cursore) {
  QImage img(kLarghezzaImmagine, kAltezzaImmagine, QImage::Format_RGB32);
  QPainter p(&img);
  DipingiImmagine(p, f);
  if (cursore) DipingiCursore(p, *cursore);
  return img;
}

namespace tavola {
QSize Dimensione() {
  return {kMargineSinistro + kLarghezzaImmagine + kMargineDestro,
          kMargineSopra + kAltezzaImmagine + kMargineSotto};
}
QRect Immagine() { return {kMargineSinistro, kMargineSopra, kLarghezzaImmagine, kAltezzaImmagine}; }
QRect EtichettaY(int riga) {
  const int y = kMargineSopra + kYBase - 100 * riga;
  return {0, y - 8, kMargineSinistro - 6, 16};
}
QRect Unita() { return {0, 0, kMargineSinistro - 6, 16}; }
QRect EtichettaX(int k) {
  const int x = kMargineSinistro + 10 + 180 * k;
  return {x - kMargineSinistro, kMargineSopra + kAltezzaImmagine + 3, 2 * kMargineSinistro, 16};
}
QFont Carattere() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(11);
  return f;
}
QColor Sfondo() { return {40, 40, 40}; }
QColor ColoreTesto(int canale) { return canale < 0 ? QColor(220, 220, 220) : ColoreCanale(canale); }
}  // namespace tavola

QImage TavolaGrafico(const FiguraGrafico& f, const EtichetteY& etichette) {
  QImage img(tavola::Dimensione(), QImage::Format_RGB32);
  img.fill(tavola::Sfondo());
  QPainter p(&img);
  p.setFont(tavola::Carattere());
  p.setPen(tavola::ColoreTesto(etichette.canale));
  for (int riga = 0; riga < 5; ++riga)
    p.drawText(tavola::EtichettaY(riga), Qt::AlignRight | Qt::AlignVCenter, etichette.testi[riga]);
  p.drawText(tavola::Unita(), Qt::AlignRight | Qt::AlignVCenter, etichette.unita);
  p.setPen(tavola::ColoreTesto(-1));
  for (int k = 0; k < 5; ++k)
    p.drawText(tavola::EtichettaX(k), Qt::AlignHCenter | Qt::AlignTop, TestoOrario(f.orari[k]));
  p.translate(tavola::Immagine().topLeft());
  DipingiImmagine(p, f);
  return img;
}

}  // namespace quarvel
