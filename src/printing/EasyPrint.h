#pragma once
// The printer wrapper of the printed reports: positions in millimetres from
// the physical corner of the paper, texts placed left, right or centred at a
// point (split into lines only at their carriage returns, cut to a width),
// boxes with square or rounded corners, lines and pictures. It draws with a
// QPainter on any QPrinter: the system printer, a PDF file or the print
// preview. The document opens at the first output and ends with EndDoc.
//
// The QPrinter keeps its painter origin at the corner of its printable area
// (full page off); OffsetX and OffsetY carry a position on the paper into
// that frame, so a page lands at the same millimetres on every printer.
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QImage;
class QPainter;
class QPrinter;

namespace quarvel {

// The printer's own numbers, as its device context gives them: the offsets
// of the printable area from the paper's left and top edges in device pixels,
// and the resolution in pixels per inch.
struct NumeriStampante {
  double offsetFisicoX = 0, offsetFisicoY = 0;
  double pixelPerPolliceX = 0, pixelPerPolliceY = 0;
};
NumeriStampante LeggiNumeriStampante(const QPrinter& stampante);

struct ErroreStampa {
  int numero = 0;
  QString descrizione;
};
// The message of a print failure: critical icon, title "EasyPrint".
void MostraErroreStampa(const ErroreStampa& errore);

class EasyPrint {
 public:
  explicit EasyPrint(QPrinter& stampante);
  // With the printer's numbers given rather than read (tests, and printers
  // whose driver reports them wrongly).
  EasyPrint(QPrinter& stampante, const NumeriStampante& numeri);
  ~EasyPrint();
  EasyPrint(const EasyPrint&) = delete;
  EasyPrint& operator=(const EasyPrint&) = delete;

  // Millimetres, negative: the paper's corner in the printer's frame.
  float OffsetX() const { return offsetX_; }
  float OffsetY() const { return offsetY_; }

  // Extra distance between the lines of a multi-line text; a negative value
  // stores 1.
  float SpaziaturaLinea() const { return spaziatura_; }
  void SpaziaturaLinea(float valore) { spaziatura_ = valore < 0 ? 1.0f : valore; }

  // Points; read back rounded to the nearest integer, halves to even.
  int16_t FontSize() const;
  void FontSize(int16_t punti) { font_.setPointSizeF(punti); }
  QString FontName() const { return font_.family(); }
  void FontName(const QString& nome) { font_.setFamily(nome); }
  bool FontBold() const { return font_.bold(); }
  void FontBold(bool si) { font_.setBold(si); }
  bool FontItalic() const { return font_.italic(); }
  void FontItalic(bool si) { font_.setItalic(si); }
  bool FontUnderline() const { return font_.underline(); }
  void FontUnderline(bool si) { font_.setUnderline(si); }
  // The colour of the texts as 0x00BBGGRR (0 is black).
  uint32_t ForeColor() const { return coloreTesto_; }
  void ForeColor(uint32_t colore) { coloreTesto_ = colore; }

  // 9 A4, 8 A3, 11 A5, 1 Letter, 5 Legal; 256 for any other size. A value
  // not in that list leaves the paper as it is.
  int16_t PaperSize() const;
  void PaperSize(int16_t codice);
  int16_t Copies() const;
  void Copies(int16_t copie);
  // -1 draft to -4 high, or a resolution in dots per inch; the printer takes
  // it for the next document.
  void PrintQuality(int16_t qualita);
  // 1 monochrome, 2 colour.
  void ColorMode(int16_t modo);
  // 1 portrait, 2 landscape.
  void Orientation(int16_t orientamento);
  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible.
  void DrawStyle(int16_t stile) { stileLinea_ = stile; }
  // Line width in units of 1/150 inch, whatever the printer's resolution.
  void DrawWidth(int16_t larghezza) { spessoreLinea_ = larghezza < 1 ? 1 : larghezza; }

  // The position on the paper where the next text goes.
  float CurrentX() const { return correnteX_ - offsetX_; }
  void CurrentX(float x) { correnteX_ = x + offsetX_; }
  float CurrentY() const { return correnteY_ - offsetY_; }
  void CurrentY(float y) { correnteY_ = y + offsetY_; }

  int16_t FontCount() const;
  QString Fonts(int16_t indice) const;
  // The printable size less twice the offsets: the paper's size when the
  // unprintable margins are equal on opposite sides.
  float PageHeight() const;
  float PageWidth() const;
  int16_t Page() const { return pagina_; }

  // Texts at (X, Y); a negative X or Y keeps the current one. Rientro
  // shifts the first line only; Larghezza > 0 cuts each line to that many
  // millimetres. Each returns the text as the caller's variable should then
  // hold it: cut when it had a single line, unchanged otherwise.
  QString PrintLeft(float X, float Y, const QString& Testo, float Rientro = 0,
                    int16_t Larghezza = 0);
  QString PrintRight(float X, float Y, const QString& Testo, float Rientro = 0,
                     int16_t Larghezza = 0);
  QString PrintCentre(float X, float Y, const QString& Testo, int16_t Larghezza = 0);
  // An outline from (X, Y), Larghezza by Altezza (a height or width of 0
  // is a line); Raggio > 0 rounds the corners. Returns the radius used,
  // at most half the smaller side.
  float PrintShape(float X, float Y, float Larghezza, float Altezza, float Raggio = 0);
  // A picture with its top-left corner at (X, Y): Larghezza by Altezza when
  // both are above 0, one of them at the natural size when the other is
  // exactly 0, the natural size otherwise.
  void PrintPicture(float X, float Y, const QImage& Sorgente, float Altezza = 0,
                    float Larghezza = 0);

  float TextWidth(const QString& testo) const;
  float TextHeight(const QString& testo) const;

  // Ends the document and sends it out. Nothing when it went out whole (or
  // nothing was printed); otherwise the error, for the caller to report. A
  // failure an output operation already reported is not returned again.
  std::optional<ErroreStampa> EndDoc();
  void NewPage();
  // Abandons the document; a PDF file begun is removed.
  void KillDoc();

 private:
  // The document, opened on first use; false (reported once) when the
  // printer cannot open it.
  bool Documento();
  // Prints one line at the current position, then moves to the next line.
  void StampaRiga(const QString& riga);
  QString AdattaLarghezza(QString testo, float larghezza, bool dallaFine) const;
  // Millimetres in the printer's frame to device pixels.
  double Pixel(float mm) const;
  void Chiudi();

  QPrinter& stampante_;
  std::unique_ptr<QPainter> pittore_;
  bool fallito_ = false;  // the current document could not be opened
  float offsetX_ = 0, offsetY_ = 0;
  float spaziatura_ = 0;
  float correnteX_ = 0, correnteY_ = 0;  // printer's frame, millimetres
  QFont font_;
  uint32_t coloreTesto_ = 0;
  int16_t stileLinea_ = 0;
  int16_t spessoreLinea_ = 1;
  int16_t pagina_ = 1;
};

}  // namespace quarvel
