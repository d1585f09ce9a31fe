#pragma once
// What the chart shows of its buffer and how the controls change it: the
// vertical scale and offset of each channel, the time zoom, the cursor
// under the mouse, dragging and playback, which page the buffer through
// blocks of 7200 records. Plain code: the window only forwards its events.
#include "DatiGrafico.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace quarvel {

// The vertical scale of a channel: value v is drawn (v + OffsetY) x ScalaY
// pixels above the baseline. Below 1 the factor is 1 / DivisoreY.
struct ScalaCanale {
  double ScalaY = 1;
  double DivisoreY = 1;
  int16_t OffsetY = 0;
};

// The opening scales of C1..C4.
inline constexpr std::array<ScalaCanale, kCanali> kScaleIniziali = {
    {{4, 1, 0}, {0.125, 8, -400}, {4, 1, 0}, {0.5, 2, 0}}};

// "+" and "-" of the scale, through ..., 1/3, 1/2, 1, 2, 3, ...
void PiuScala(ScalaCanale& s);
void MenoScala(ScalaCanale& s);
// "+" lifts the curve by 10 data units, "-" lowers it (held within 16 bits).
void SpostaOffset(ScalaCanale& s, int passo);
// The texts of the scale and offset fields: the offset field shows the value
// that lies on the baseline.
QString TestoScala(const ScalaCanale& s);
QString TestoOffset(const ScalaCanale& s);

// The time zoom: "45 sec" at 1, else 1.5 x scalaX minutes (" 3min",
// " 4.5min", " 15min").
QString TestoScalaX(int scalaX);
inline constexpr int kScalaXMassima = 10;

// The value labels left of the chart, from the bottom row (400) to the top
// (0), and the unit above them; canale is -1 before any channel set them.
struct EtichetteY {
  std::array<QString, 5> testi = {QStringLiteral("0"), QStringLiteral("100"),
                                  QStringLiteral("200"), QStringLiteral("300"),
                                  QStringLiteral("400")};
  QString unita = QStringLiteral("unit");
  int canale = -1;
};
EtichetteY CalcolaEtichetteY(int canale, const ScalaCanale& s);
// "%", "rpm", "Km/h", "Litri" (this one in the user's language).
QString UnitaCanale(int canale);

// Loads the buffer from a record number (Carica4hGrafico on the window's
// database).
using Caricatore = std::function<Esito(double primo)>;

struct VistaGrafico {
  int16_t InizioVista = 0;  // buffer entry at the left edge
  int16_t ScalaX = 1;       // buffer entries per pixel column, 1..10
  int16_t UltimoX = 0;      // the last mouse position, in picture pixels
  int16_t Blocco = 0;       // the page: records from Blocco x 7200
  double BaseBlocco = 0;    // the first record of the last page loaded by paging
  std::array<ScalaCanale, kCanali> scale = kScaleIniziali;
  std::array<bool, kCanali> visibili = {true, true, true, false};
  EtichetteY etichette;

  // Entries shown: InizioVista to InizioVista + Larghezza().
  int Larghezza() const { return 720 * ScalaX; }
};

// The window entry under the mouse at picture pixel x, when it is one the
// cursor reads (1 to 720 x ScalaX - 1).
std::optional<int> VoceSottoIlMouse(const VistaGrafico& v, double x);

// What the cursor reads at window entry k: the buffered values of the
// visible channels (no scale, no offset), and the time with the first
// record of the page ("05/03/2026 10.44.59- el 14400").
struct LetturaCursore {
  std::array<std::optional<QString>, kCanali> valori;
  QString orario;
};
LetturaCursore LeggiCursore(const DatiGrafico& d, const VistaGrafico& v, int k);

// Moves to the next page when the view has gone past entry 7198, to the
// previous one when it has gone before 0 in a block after the first. On a
// failed load the view stays on its page, at that edge.
Esito Pagina(VistaGrafico& v, const Caricatore& carica);
// One tick of playback: two pixel columns on, then paging.
Esito Avanza(VistaGrafico& v, const Caricatore& carica);
// The mouse dragged to picture pixel x: the curves follow it, no further
// than the last loaded sample, paging at either edge.
Esito Trascina(VistaGrafico& v, int16_t campioniCaricati, double x, const Caricatore& carica);

}  // namespace quarvel
