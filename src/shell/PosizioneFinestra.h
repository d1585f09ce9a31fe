#pragma once
// Where a window opens: centred on the window that opened it and wholly
// inside the available area of that window's screen (the screen less its
// panels), whatever the screen's size. A window larger than the area is
// shrunk to it as far as it can be resized; what still does not fit has its
// top-left corner at the area's corner, where its title bar and first
// controls stay in reach.
#include <QRect>
#include <QSize>

class QWidget;

namespace quarvel {

// The window's frame (decoration included) for a window of that size that
// can shrink down to minima (minima equals dimensione when it cannot be
// resized), opened from a window whose frame is apritrice (an empty
// rectangle centres it on the area), on a screen whose available area is
// disponibile.
QRect PosizioneFinestra(QSize dimensione, QSize minima, const QRect& apritrice,
                        const QRect& disponibile);

// Moves (and when needed shrinks) a window that is about to be shown for the
// first time by the rule above. apritrice: the window it is opened from;
// null, or not visible, for the primary screen.
void PosizionaFinestra(QWidget* finestra, const QWidget* apritrice);

}  // namespace quarvel
