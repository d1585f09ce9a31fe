#pragma once
// Reading a printed page back from its PDF with the poppler tools: each
// word with its box in millimetres from the paper's corner, the page as a
// picture, the fonts it embeds.
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace quarvel {

struct ParolaPdf {
  QString testo;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // millimetres
};

// The words of a page (the first unless told), in reading order
// (pdftotext -bbox).
std::vector<ParolaPdf> ParolePdf(const QString& pdf, int pagina = 1);
// The first word with that text; a failed expectation when none.
ParolaPdf Parola(const std::vector<ParolaPdf>& parole, const QString& testo);
// The first page at that resolution (pdftoppm), 8-bit grey.
QImage PaginaPdf(const QString& pdf, int dpi);
// True when the page has a dark pixel within the square of half-side
// raggio millimetres around (x, y).
bool Inchiostro(const QImage& pagina, int dpi, double x, double y, double raggio = 0.2);
// The quarter-hours marked on the month grid of a usage report, as
// "day hour quarter" ("5 10 2"), day by day: those with ink in the middle
// of their cell (hour h from x 20 + 5h, 1.25 mm a quarter, day d on the row
// at y 60 + 6d).
QStringList QuartiSegnati(const QString& pdf);
// The names of the embedded fonts (pdffonts) and the number of pages (pdfinfo).
QStringList FontPdf(const QString& pdf);
int PaginePdf(const QString& pdf);

}  // namespace quarvel
