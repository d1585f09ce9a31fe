#include "FiguraGrafico.h"
#include "VistaGrafico.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

using namespace quarvel;

namespace {
// A loader that records the records asked for and answers as told.
struct CaricatoreProva {
  std::vector<double> richiesti;
  Esito risposta;
  Caricatore Funzione() {
    return [this](double primo) {
      richiesti.push_back(primo);
      return risposta;
    };
  }
};
}  // namespace

TEST(ControlliGrafico, PassiDiScala) {
  // Five steps down from 4, three back up.
  ScalaCanale c1 = kScaleIniziali[0];
  QStringList testi;
  for (int i = 0; i < 8; ++i) {
    i < 5 ? MenoScala(c1) : PiuScala(c1);
    testi << TestoScala(c1);
  }
  EXPECT_EQ(testi, QStringList({"3", "2", "1", "0,5", "0,333333333333333", "0,5", "1", "2"}));
  EXPECT_EQ(TestoScalaX(3), " 4.5min");
}

TEST(DisegnoGrafico, ValoriAlleCoordinateDelGrafico) {
  auto d = std::make_unique<DatiGrafico>();
  VistaGrafico v;
  v.visibili = {true, false, false, false};
  // Curve point i shows entry i + 1; -1 is drawn at the base, 200 past the top.
  for (auto [i, valore] : {std::pair{2, 50}, {3, 100}, {4, -1}, {5, 200}}) d->Dato_C1[i] = int16_t(valore);
  FiguraGrafico f = CalcolaFigura(*d, v);
  ASSERT_EQ(f.curve[0].size(), 720u);
  EXPECT_TRUE(f.curve[1].empty());
  EXPECT_EQ(std::vector<QPoint>(f.curve[0].begin(), f.curve[0].begin() + 5),
            (std::vector<QPoint>{{32, 400}, {33, 200}, {34, 0}, {35, 400}, {36, -400}}));
  EXPECT_EQ(f.curve[0].back(), QPoint(751, 400));
  // A scale that makes values huge saturates instead of wrapping round.
  EXPECT_EQ(ValoreVisualizzato(100, {1000, 1, 0}), 32767);
  EXPECT_EQ(ValoreVisualizzato(-100, {1000, 1, 0}), -32768);

  // Four entries a column: x = 32 + i / 4, halves to even.
  v.ScalaX = 4;
  f = CalcolaFigura(*d, v);
  ASSERT_EQ(f.curve[0].size(), 719u * 4 + 1);
  EXPECT_EQ(QList<int>({f.curve[0][2].x(), f.curve[0][6].x(), f.curve[0].back().x()}),
            QList<int>({32, 34, 751}));
}

TEST(DisegnoGrafico, MarcatoriDoveLaVelocitaNonHaLettura) {
  auto d = std::make_unique<DatiGrafico>();
  VistaGrafico v;
  EXPECT_EQ(CalcolaFigura(*d, v).marcatori.size(), 1u);  // nothing red
  d->Dato_C3[100] = -1;
  EXPECT_EQ(CalcolaFigura(*d, v).marcatori,
            (std::vector<QPoint>{{32, 400}, {132, 400}, {132, 0}, {132, 400}}));
  v.InizioVista = 50;
  for (int k = 0; k < 5; ++k) d->Orari[50 + 180 * k] = 1000 + k;
  const FiguraGrafico f = CalcolaFigura(*d, v);
  EXPECT_EQ(f.marcatori[1], QPoint(82, 400));
  EXPECT_EQ(f.orari, (std::array<Istante, 5>{1000, 1001, 1002, 1003, 1004}));
}

TEST(ControlliGrafico, CursoreSottoIlMouse) {
  auto d = std::make_unique<DatiGrafico>();
  VistaGrafico v;
  v.InizioVista = 100;
  v.BaseBlocco = 14400;
  d->Orari[101] = *IstanteDa(2026, 3, 5, 10, 44, 59);
  EXPECT_FALSE(VoceSottoIlMouse(v, 729.5));
  ASSERT_EQ(VoceSottoIlMouse(v, 10), 1);
  EXPECT_EQ(LeggiCursore(*d, v, 1).orario, "05/03/2026 10.44.59- el 14400");
  v.ScalaX = 3;
  EXPECT_EQ(VoceSottoIlMouse(v, 10.4), 4);  // 4.2 rounds to 4
}

TEST(ControlliGrafico, TrascinareSpostaLaVistaEPagina) {
  CaricatoreProva caricatore;
  VistaGrafico v;
  v.ScalaX = 3;
  v.UltimoX = 400;
  EXPECT_TRUE(Trascina(v, kCampioniPagina, 300, caricatore.Funzione()));
  EXPECT_EQ(v.InizioVista, 300);
  EXPECT_EQ(v.UltimoX, 300);

  // 500 samples: towards the start it stops at 0 in block 0...
  v = VistaGrafico();
  v.UltimoX = 100;
  v.InizioVista = 10;
  Trascina(v, 500, 400, caricatore.Funzione());
  EXPECT_EQ(v.InizioVista, 0);
  EXPECT_TRUE(caricatore.richiesti.empty());
  // ...and pages back from block 2 to block 1.
  v.Blocco = 2;
  v.UltimoX = 100;
  Trascina(v, 500, 400, caricatore.Funzione());
  EXPECT_EQ(caricatore.richiesti, std::vector<double>{7200});
  EXPECT_EQ(std::tuple(v.Blocco, v.BaseBlocco, v.InizioVista), std::tuple(int16_t(1), 7200.0, int16_t(7200)));
}

TEST(ControlliGrafico, LaRiproduzionePaginaOgniQuartoDOra) {
  CaricatoreProva caricatore;
  VistaGrafico v;
  for (int tick = 1; tick < 3600; ++tick) Avanza(v, caricatore.Funzione());
  EXPECT_TRUE(caricatore.richiesti.empty());
  EXPECT_EQ(v.InizioVista, 7198);
  Avanza(v, caricatore.Funzione());
  EXPECT_EQ(caricatore.richiesti, std::vector<double>{7200});
  EXPECT_EQ(std::tuple(v.Blocco, v.BaseBlocco, v.InizioVista), std::tuple(int16_t(1), 7200.0, int16_t(0)));

  // A page that cannot be read leaves the view on its page, at its edge.
  caricatore.risposta = Esito::Fallito("rovinato");
  v.InizioVista = 7198;
  EXPECT_FALSE(Avanza(v, caricatore.Funzione()));
  EXPECT_EQ(std::tuple(v.Blocco, v.BaseBlocco, v.InizioVista), std::tuple(int16_t(1), 7200.0, int16_t(7198)));
}
