#include "PosizioneFinestra.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace quarvel {

namespace {
struct Tratto {
  int inizio, lunghezza;
};

// One axis: shrink as far as allowed, centre on the opener's span, then
// keep inside the area; too long even so, start at the area's start.
Tratto Asse(int lunghezza, int minima, Tratto apritrice, Tratto area) {
  if (lunghezza > area.lunghezza) lunghezza = std::max(area.lunghezza, std::min(minima, lunghezza));
  if (lunghezza >= area.lunghezza) return {area.inizio, lunghezza};
  const int inizio = apritrice.inizio + (apritrice.lunghezza - lunghezza) / 2;
  return {std::clamp(inizio, area.inizio, area.inizio + area.lunghezza - lunghezza), lunghezza};
}

// The decoration the window manager puts around a shown window.
QMargins Cornice(const QWidget* finestra) {
  const QRect f = finestra->frameGeometry(), g = finestra->geometry();
  return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}
}  // namespace

QRect PosizioneFinestra(QSize dimensione, QSize minima, const QRect& apritrice,
                        const QRect& disponibile) {
  const QRect centro = apritrice.isEmpty() ? disponibile : apritrice;
  const Tratto x = Asse(dimensione.width(), minima.width(), {centro.x(), centro.width()},
                        {disponibile.x(), disponibile.width()});
  const Tratto y = Asse(dimensione.height(), minima.height(), {centro.y(), centro.height()},
                        {disponibile.y(), disponibile.height()});
  return {x.inizio, y.inizio, x.lunghezza, y.lunghezza};
}

void PosizionaFinestra(QWidget* finestra, const QWidget* apritrice) {
  const QWidget* a = apritrice && apritrice->window()->isVisible() ? apritrice->window() : nullptr;
  QScreen* schermo = a ? QGuiApplication::screenAt(a->frameGeometry().center()) : nullptr;
  if (!schermo) schermo = a ? a->screen() : QGuiApplication::primaryScreen();
  if (!schermo) return;

  // The size the window is about to be shown at.
  finestra->ensurePolished();
  if (QLayout* l = finestra->layout()) l->activate();
  if (!finestra->testAttribute(Qt::WA_Resized)) finestra->adjustSize();
  // A window not yet shown has no decoration: it gets the opener's, as the
  // window manager decorates every window of the program alike.
  const QMargins cornice = a ? Cornice(a) : QMargins();
  const QSize dimensione = finestra->size();
  const QSize minima = finestra->minimumSize().expandedTo(finestra->minimumSizeHint()).boundedTo(dimensione);
  const QRect r = PosizioneFinestra(dimensione.grownBy(cornice), minima.grownBy(cornice),
                                    a ? a->frameGeometry() : QRect(), schermo->availableGeometry());
  if (r.size() != dimensione.grownBy(cornice)) finestra->resize(r.size().shrunkBy(cornice));
  finestra->move(r.topLeft());  // a window's position is that of its frame
}

}  // namespace quarvel
