#pragma once
// The one painter of the chart, for the window and for quarvel-batch alike:
// the picture Img_CRT (black, with the axes and the grid) and the paths of a
// FiguraGrafico over it, and the whole board with the value labels on the
// left and the times underneath, laid out as the window lays out its labels.
// It paints on a QImage and needs no window.
#include "FiguraGrafico.h"
#include "VistaGrafico.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <optional>

class QPainter;

namespace quarvel {

// The picture, and where it lies on the chart surface of the figure.
inline constexpr int kLarghezzaImmagine = 730;
inline constexpr int kAltezzaImmagine = 410;
inline constexpr int kXImmagine = 22;

// The pen of C1..C4 (0..3), of the markers (4) and of the fuel events (5),
// a colour no curve takes.
QColor ColoreCanale(int canale);
inline constexpr int kMarcatori = 4;
inline constexpr int kEventi = 5;

// Paints the picture and the figure's paths on a device of the picture's
// size.
void DipingiImmagine(QPainter& p, const FiguraGrafico& f);
// The cursor: a white line at that picture column, from the baseline up.
void DipingiCursore(QPainter& p, int colonna);
QImage ImmagineGrafico(const FiguraGrafico& f, std::optional<int> cursore = {});

// The board around the picture: the value labels left of it (rows 0 to 400
// of the picture, bottom to top LblYmin..LblYMax), the unit above them, and
// the five times under it, centred on picture columns 10, 190, 370, 550 and
// 730.
namespace tavola {
QSize Dimensione();
QRect Immagine();
QRect EtichettaY(int riga);  // 0: LblYmin (row 400) ... 4: LblYMax (row 0)
QRect Unita();
QRect EtichettaX(int k);  // 0: LblXmin ... 4: LblXmax
QFont Carattere();
QColor Sfondo();
// The text colour of the value labels: the channel's, or the board's own
// before any channel set them (-1).
QColor ColoreTesto(int canale);
}  // namespace tavola

// The board as the window shows it with these labels.
QImage TavolaGrafico(const FiguraGrafico& f, const EtichetteY& etichette);

}  // namespace quarvel
