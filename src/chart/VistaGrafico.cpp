#include "VistaGrafico.h"

#include "Lingua.h"
#include "Localizzazione.h"

#include <algorithm>
#include <cmath>

namespace quarvel {

namespace {
// Past this entry the view moves to the next page; a page back lands here.
constexpr int kUltimoInizio = 7198;
constexpr int kInizioPaginaPrecedente = 7200;

int16_t Satura16(int64_t v) { return int16_t(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX)); }

Esito CambiaPagina(VistaGrafico& v, int passo, const Caricatore& carica) {
  const int blocco = v.Blocco + passo;
  if (blocco < 0 || blocco > INT16_MAX) {
    v.InizioVista = int16_t(passo > 0 ? kUltimoInizio : 0);
    return {};
  }
  if (Esito e = carica(double(blocco) * double(kRecordBlocco)); !e) {
    v.InizioVista = int16_t(passo > 0 ? kUltimoInizio : 0);
    return e;
  }
  v.Blocco = int16_t(blocco);
  v.BaseBlocco = double(blocco) * double(kRecordBlocco);
  v.InizioVista = int16_t(passo > 0 ? 0 : kInizioPaginaPrecedente);
  return {};
}
}  // namespace

void PiuScala(ScalaCanale& s) {
  if (s.ScalaY < 1) {
    s.DivisoreY -= 1;
    s.ScalaY = 1 / s.DivisoreY;
  } else {
    s.ScalaY += 1;
  }
}

void MenoScala(ScalaCanale& s) {
  if (s.ScalaY < 2) {
    s.DivisoreY += 1;
    s.ScalaY = 1 / s.DivisoreY;
  } else {
    s.ScalaY -= 1;
  }
}

void SpostaOffset(ScalaCanale& s, int passo) { s.OffsetY = Satura16(int64_t(s.OffsetY) + passo); }

QString TestoScala(const ScalaCanale& s) { return TestoNumero(s.ScalaY); }
QString TestoOffset(const ScalaCanale& s) { return TestoNumero(-double(s.OffsetY)); }

QString TestoScalaX(int scalaX) {
  if (scalaX == 1) return QStringLiteral("45 sec");
  return QLatin1Char(' ') + QString::number(scalaX * 1.5, 'g', 15) + QStringLiteral("min");
}

EtichetteY CalcolaEtichetteY(int canale, const ScalaCanale& s) {
  EtichetteY e;
  e.canale = canale;
  e.unita = UnitaCanale(canale);
  e.testi[0] = TestoNumero(-double(s.OffsetY));
  for (int riga = 1; riga < 5; ++riga)
    e.testi[riga] = TestoNumero(std::floor(100.0 * riga / s.ScalaY - s.OffsetY));
  return e;
}

QString UnitaCanale(int canale) {
  switch (canale) {
    case 0: return QStringLiteral("%");
    case 1: return QStringLiteral("rpm");
    case 2: return QStringLiteral("Km/h");
    default: return TestoLingua(7013, QStringLiteral("Litri"));
  }
}

std::optional<int> VoceSottoIlMouse(const VistaGrafico& v, double x) {
  const double k = std::nearbyint((x - 9) * v.ScalaX);
  if (k >= 1 && k < v.Larghezza()) return int(k);
  return std::nullopt;
}

LetturaCursore LeggiCursore(const DatiGrafico& d, const VistaGrafico& v, int k) {
  const int i = std::clamp(v.InizioVista + k, 0, kVociBuffer - 1);
  LetturaCursore l;
  for (int c = 0; c < kCanali; ++c)
    if (v.visibili[c]) l.valori[c] = QString::number(d.Dato(c)[i]);
  l.orario = TestoOrario(d.Orari[i]) + QStringLiteral("- el ") + TestoNumero(v.BaseBlocco);
  return l;
}

Esito Pagina(VistaGrafico& v, const Caricatore& carica) {
  if (v.InizioVista > kUltimoInizio) return CambiaPagina(v, +1, carica);
  if (v.InizioVista < 0 && v.Blocco > 0) return CambiaPagina(v, -1, carica);
  return {};
}

Esito Avanza(VistaGrafico& v, const Caricatore& carica) {
  v.InizioVista = Satura16(v.InizioVista + 2 * v.ScalaX);
  return Pagina(v, carica);
}

Esito Trascina(VistaGrafico& v, int16_t campioniCaricati, double x, const Caricatore& carica) {
  const int16_t p = Satura16(std::llrint(std::clamp(x, -32768.0, 32767.0)));
  int64_t inizio = v.InizioVista + int64_t(v.ScalaX) * (v.UltimoX - p);
  v.UltimoX = p;
  // No further than the last loaded sample; not before the first record.
  const int64_t limite = int64_t(campioniCaricati) - v.Larghezza();
  if (inizio >= limite) inizio = limite;
  if (inizio < 0 && v.Blocco == 0) inizio = 0;
  v.InizioVista = Satura16(inizio);
  return Pagina(v, carica);
}

}  // namespace quarvel
