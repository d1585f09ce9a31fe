#pragma once
// What one redraw of the chart draws, computed from the buffer and the view
// and nothing else: the times under the picture, the red markers where the
// speed had no reading, and the curve of each visible channel, as points of
// the chart surface (x to the right, y down; the plot spans x 32 to 752 and
// y 0 to the baseline 400; the picture lies at x 22).
#include "DatiGrafico.h"
#include "VistaGrafico.h"

#include <QPoint>
#include <array>
#include <vector>

namespace quarvel {

inline constexpr int kXPrimaVoce = 32;
inline constexpr int kYBase = 400;

struct FiguraGrafico {
  // The instants named by LblXmin, LblXminmed, LblXmed, LblXmedmax, LblXmax
  // (x 32, 212, 392, 572, 752).
  std::array<Istante, 5> orari{};
  // One path from (32, 400) along the baseline, up to the top and back at
  // each marker; a lone point when there is none.
  std::vector<QPoint> marcatori;
  // The path of each visible channel; empty for a hidden one.
  std::array<std::vector<QPoint>, kCanali> curve;
  // Like the markers: a line up and down at the start and the end of each
  // refuel or loss in sight.
  std::vector<QPoint> eventi;
};

// A buffered value as drawn: (dato + OffsetY) x ScalaY pixels above the
// baseline, rounded halves to even and held within 16 bits.
int16_t ValoreVisualizzato(int16_t dato, const ScalaCanale& s);

// Window entry k of the curves lies at x = 32 + (k - 1) / ScalaX (entry 0
// only starts the path); marker entry k at x = 32 + k / ScalaX. A value at
// or below 0 lies on the baseline; one above 400 goes past the top.
// An event's instant lies at the first entry in sight stamped at or after
// it.
FiguraGrafico CalcolaFigura(const DatiGrafico& d, const VistaGrafico& v,
                            const std::vector<Istante>& eventi = {});

}  // namespace quarvel
