#include "FiguraGrafico.h"

#include <algorithm>
#include <cmath>

namespace quarvel {

namespace {
// x of step i at s entries per pixel, in single precision, halves to even.
int X(int i, int s) { return int(std::nearbyint(float(i) / float(s) + float(kXPrimaVoce))); }
}  // namespace

int16_t ValoreVisualizzato(int16_t dato, const ScalaCanale& s) {
  return Intero16Saturato(dato * s.ScalaY + s.OffsetY * s.ScalaY);
}

FiguraGrafico CalcolaFigura(const DatiGrafico& d, const VistaGrafico& v,
                            const std::vector<Istante>& eventi) {
  FiguraGrafico f;
  const int s = std::clamp<int>(v.ScalaX, 1, kScalaXMassima);
  const int n = 720 * s;
  // Paging keeps the view within the buffer; this only guards the arrays.
  const int a = std::clamp<int>(v.InizioVista, 0, kVociBuffer - 1 - n);

  for (int k = 0; k < 5; ++k) f.orari[k] = d.Orari[a + 180 * s * k];

  f.marcatori.push_back({kXPrimaVoce, kYBase});
  for (int i = 1; i <= 719 * s; ++i) {
    if (d.Dato_C3[a + i] != -1) continue;
    const int x = X(i, s);
    f.marcatori.insert(f.marcatori.end(), {{x, kYBase}, {x, 0}, {x, kYBase}});
  }

  f.eventi.push_back({kXPrimaVoce, kYBase});
  for (Istante t : eventi)
    for (int i = 1; i <= 719 * s; ++i) {
      if (d.Orari[a + i] == kOrarioVuoto || d.Orari[a + i] < t) continue;
      const int x = X(i, s);
      f.eventi.insert(f.eventi.end(), {{x, kYBase}, {x, 0}, {x, kYBase}});
      break;
    }

  std::vector<int16_t> g(n + 1);
  for (int c = 0; c < kCanali; ++c) {
    if (!v.visibili[c]) continue;
    const DatiGrafico::Canale& dato = d.Dato(c);
    for (int j = 0; j <= n; ++j) g[j] = ValoreVisualizzato(dato[a + j], v.scale[c]);
    std::vector<QPoint>& curva = f.curve[c];
    curva.reserve(719 * s + 1);
    curva.push_back({kXPrimaVoce, std::min(kYBase - g[0], kYBase)});
    for (int i = 1; i <= 719 * s; ++i) curva.push_back({X(i, s), std::min(kYBase - g[i + 1], kYBase)});
  }
  return f;
}

}  // namespace quarvel
