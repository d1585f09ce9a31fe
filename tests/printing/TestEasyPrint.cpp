#include "EasyPrint.h"
#include "StampantePdf.h"

using namespace quarvel;

class StampaPdf : public StampantePdf {
 protected:
  // An A4 page whose printable area is the whole paper unless margins are given.
  void Prepara(QMarginsF margini = {}) {
    stampante_.setPageSize(QPageSize(QPageSize::A4));
    stampante_.setPageMargins(margini, QPageLayout::Millimeter);
  }
  std::vector<ParolaPdf> Parole() { return ParolePdf(pdf_); }
};

TEST_F(StampaPdf, GliOffsetDellaStampanteRiportanoLaPaginaAlBordoDelFoglio) {
  Prepara();
  EasyPrint s(stampante_, NumeriStampante{50, 60, 300, 300});
  EXPECT_NEAR(s.OffsetX(), -4.233, 0.001);
  // This PDF has no unprintable margin, so the paper's 10 mm fall at 5.767.
  s.PrintLeft(10, 20, QStringLiteral("Prova"));
  ASSERT_FALSE(s.EndDoc());
  const ParolaPdf p = Parola(Parole(), "Prova");
  EXPECT_NEAR(p.x0, 5.767, kTolleranza);
  EXPECT_NEAR(p.y0, 14.92, kTolleranza);

  // A printer whose printable area starts 10 and 12 mm in: the numbers read
  // from it carry the page back to the paper's corner (A4 as the PDF has it:
  // 595 by 842 points).
  Prepara(QMarginsF(10, 12, 10, 12));
  EasyPrint m(stampante_);
  EXPECT_NEAR(m.PageWidth(), 209.9, 0.05);
  m.PrintLeft(30, 40, QStringLiteral("Margini"));
  ASSERT_FALSE(m.EndDoc());
  const ParolaPdf q = Parola(Parole(), "Margini");
  EXPECT_NEAR(q.x0, 30, kTolleranza);
  EXPECT_NEAR(q.y0, 40, kTolleranza);
}

// Several lines split at their line ends, each trimmed at both ends, one
// line height plus the spacing apart; a single line keeps its blanks. The
// first line of a right-aligned text stands in by the indent.
TEST_F(StampaPdf, PiuRigheSiSpezzanoAiRitorniACapoESenzaSpaziAiBordi) {
  Prepara();
  EasyPrint s(stampante_);
  s.SpaziaturaLinea(-2);  // taken as 1 mm
  const float altezza = s.TextHeight(QStringLiteral("Due"));
  s.PrintLeft(20, 20, QStringLiteral("Uno\r\n  Due "), 5);
  s.PrintLeft(20, 60, QStringLiteral("  Tre"));
  s.PrintRight(190, 80, QStringLiteral("Quattro\r\nCinque "), 5);
  ASSERT_FALSE(s.EndDoc());
  const auto parole = Parole();
  const ParolaPdf uno = Parola(parole, "Uno"), due = Parola(parole, "Due");
  EXPECT_NEAR(uno.x0, 25, kTolleranza);
  EXPECT_NEAR(due.x0, 20, kTolleranza);
  EXPECT_NEAR(due.y0, 20 + altezza + 1, kTolleranza);
  EXPECT_GT(Parola(parole, "Tre").x0, 20 + 1);
  EXPECT_NEAR(Parola(parole, "Quattro").x1, 185, kTolleranza);
  EXPECT_NEAR(Parola(parole, "Cinque").x1, 190, kTolleranza);
  EXPECT_NEAR(Parola(parole, "Cinque").y0, 80 + altezza + 1, kTolleranza);
}

// Cut to a width, a text keeps its longest beginning (printed left) or end
// (printed right) that fits; the right end stays where it was asked.
TEST_F(StampaPdf, UnTestoTroppoLungoSiTagliaDallaFineODallInizio) {
  Prepara();
  EasyPrint s(stampante_);
  const QString lungo = QStringLiteral("Kilometri percorsi calcolati : 12345,6");
  const QString inizio = s.PrintLeft(20, 20, lungo, 0, 30);
  const QString fine = s.PrintRight(190, 40, lungo, 0, 30);
  ASSERT_FALSE(s.EndDoc());
  EXPECT_TRUE(lungo.startsWith(inizio) && s.TextWidth(inizio) < 30 &&
              s.TextWidth(lungo.left(inizio.size() + 1)) >= 30);
  EXPECT_TRUE(lungo.endsWith(fine) && s.TextWidth(fine) <= 30 &&
              s.TextWidth(lungo.right(fine.size() + 1)) > 30);
  EXPECT_NEAR(Parola(Parole(), "12345,6").x1, 190, kTolleranza);
}

TEST_F(StampaPdf, GliAngoliArrotondatiNonSuperanoMetaDelLatoMinore) {
  Prepara();
  EasyPrint s(stampante_);
  s.DrawWidth(2);
  EXPECT_FLOAT_EQ(s.PrintShape(20, 20, 40, 10, 8), 5);
  EXPECT_FLOAT_EQ(s.PrintShape(20, 50, 40, 30, 0), 0);
  ASSERT_FALSE(s.EndDoc());

  const int dpi = 300;
  const QImage pagina = PaginaPdf(pdf_, dpi);
  // Rounded: the corner itself stays white, the arc of radius 5 passes
  // 1.46 mm in along the diagonal, and the edges run straight from there.
  EXPECT_FALSE(Inchiostro(pagina, dpi, 20.2, 20.2));
  EXPECT_TRUE(Inchiostro(pagina, dpi, 21.46, 21.46));
  EXPECT_TRUE(Inchiostro(pagina, dpi, 25.2, 20));
  EXPECT_TRUE(Inchiostro(pagina, dpi, 20, 25));
  EXPECT_FALSE(Inchiostro(pagina, dpi, 40, 25));  // an outline, not filled
  // Square: the corner is drawn.
  EXPECT_TRUE(Inchiostro(pagina, dpi, 20, 50));
}

// Each line style prints its own pattern, read from the page along the
// line: dashes, dots, dash-dot, dash-dot-dot; 0 is one stroke, 5 nothing.
TEST_F(StampaPdf, OgniStileDiLineaStampaIlSuoTratteggio) {
  Prepara();
  EasyPrint s(stampante_);
  s.DrawWidth(3);  // 0.51 mm: dashes of 2 mm, dots of 0.5 mm
  for (int16_t stile = 0; stile <= 5; ++stile) {
    s.DrawStyle(stile);
    s.PrintShape(20, 20 + 10 * stile, 100, 0);
  }
  ASSERT_FALSE(s.EndDoc());
  const int dpi = 300;
  const QImage pagina = PaginaPdf(pdf_, dpi);
  const auto px = [dpi](double mm) { return int(mm * dpi / 25.4); };
  QStringList tratti;  // "-" a mark longer than 1.2 mm, "." a shorter one
  for (int stile = 0; stile <= 5; ++stile) {
    QString t;
    for (int x = px(19), inizio = -1; x < px(121); ++x) {
      const bool nero = qGray(pagina.pixel(x, px(20 + 10 * stile))) < 128;
      if (nero && inizio < 0) inizio = x;
      if (!nero && inizio >= 0) t += std::exchange(inizio, -1) < x - px(1.2) ? '-' : '.';
    }
    tratti << t.left(6);
  }
  EXPECT_EQ(tratti, QStringList({"-", "------", "......", "-.-.-.", "-..-..", ""}));
}

TEST_F(StampaPdf, UnGuastoDiStampaSiSegnalaUnaVoltaEIlRestoDellaPaginaResta) {
  // An invalid picture: the message, then the text after it is printed.
  Prepara();
  EasyPrint s(stampante_);
  s.PrintPicture(10, 10, QImage());
  s.PrintLeft(20, 50, QStringLiteral("Dopo"));
  ASSERT_FALSE(s.EndDoc());
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_EQ(messaggi_.messaggi[0].titolo, "EasyPrint");
  EXPECT_EQ(messaggi_.messaggi[0].icona, Icona::Critica);
  EXPECT_TRUE(messaggi_.messaggi[0].testo.startsWith(
      "Errore nella routine di stampa\nErrore numero: 481\n"));
  Parola(Parole(), "Dopo");

  // A document that cannot be opened: one message for the whole page.
  messaggi_.messaggi.clear();
  stampante_.setOutputFileName(Percorso("manca/prova.pdf"));
  EasyPrint t(stampante_);
  t.PrintLeft(20, 20, QStringLiteral("Uno"));
  t.PrintShape(10, 10, 50, 50);
  EXPECT_FALSE(t.EndDoc());
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_TRUE(messaggi_.messaggi[0].testo.contains("Errore numero: 482"));
}
