#include "CartellaProva.h"
#include "EasyPrint.h"
#include "Messaggi.h"
#include "PdfProva.h"

#include <QPainter>
#include <QPrinter>
#include <gtest/gtest.h>

using namespace quarvel;

namespace {
constexpr double kTolleranza = 0.3;  // mm: the font box against our top of text
}

class StampaPdf : public CartellaProva {
 protected:
  // A PDF printer whose printable area is the whole paper unless margins
  // are given.
  void Prepara(QMarginsF margini = {}) {
    stampante_.setOutputFormat(QPrinter::PdfFormat);
    stampante_.setOutputFileName(pdf_);
    stampante_.setPageSize(QPageSize(QPageSize::A4));
    stampante_.setPageMargins(margini, QPageLayout::Millimeter);
  }
  std::vector<ParolaPdf> Parole() { return ParolePdf(pdf_); }

  QString pdf_ = Percorso("prova.pdf");
  QPrinter stampante_{QPrinter::HighResolution};
  RegistratoreMessaggi messaggi_;
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

TEST_F(StampaPdf, PiuRigheSiSpezzanoAiRitorniACapoESenzaSpaziAiBordi) {
  Prepara();
  EasyPrint s(stampante_);
  s.SpaziaturaLinea(-2);
  EXPECT_EQ(s.SpaziaturaLinea(), 1);  // never negative
  s.SpaziaturaLinea(2);
  s.FontSize(12);
  const float altezza = s.TextHeight(QStringLiteral("Due"));
  EXPECT_NEAR(s.TextHeight(QStringLiteral("Uno\r\nDue")), 2 * altezza, 0.001);
  s.PrintLeft(20, 20, QStringLiteral("Uno\r\n  Due "), 5);
  s.PrintLeft(20, 60, QStringLiteral("  Tre"));  // one line: its blanks stay
  s.CurrentX(100);
  s.PrintLeft(-1, 80, QStringLiteral("Qui"));  // X < 0: where the printer stands
  ASSERT_FALSE(s.EndDoc());

  const auto parole = Parole();
  const ParolaPdf uno = Parola(parole, "Uno"), due = Parola(parole, "Due");
  EXPECT_NEAR(uno.x0, 25, kTolleranza);  // the indent on the first line only
  EXPECT_NEAR(due.x0, 20, kTolleranza);
  EXPECT_NEAR(due.y0 - uno.y0, altezza + 2, kTolleranza);
  EXPECT_GT(Parola(parole, "Tre").x0, 20 + 1);
  EXPECT_NEAR(Parola(parole, "Qui").x0, 100, kTolleranza);
}

TEST_F(StampaPdf, UnTestoTroppoLungoSiTagliaDallaFineODallInizio) {
  Prepara();
  EasyPrint s(stampante_);
  const QString lungo = QStringLiteral("Kilometri percorsi calcolati : 12345,6");
  ASSERT_GT(s.TextWidth(lungo), 30);
  const QString inizio = s.PrintLeft(20, 20, lungo, 0, 30);
  const QString fine = s.PrintRight(190, 40, lungo, 0, 30);
  ASSERT_FALSE(s.EndDoc());

  // The longest beginning narrower than 30 mm, the longest end not wider.
  EXPECT_TRUE(lungo.startsWith(inizio));
  EXPECT_LT(s.TextWidth(inizio), 30);
  EXPECT_GE(s.TextWidth(lungo.left(inizio.size() + 1)), 30);
  EXPECT_TRUE(lungo.endsWith(fine));
  EXPECT_LE(s.TextWidth(fine), 30);
  EXPECT_GT(s.TextWidth(lungo.right(fine.size() + 1)), 30);
  // The right end stays at 190.
  const auto parole = Parole();
  EXPECT_NEAR(Parola(parole, "12345,6").x1, 190, kTolleranza);
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

TEST_F(StampaPdf, LeImmaginiPrendonoLaMisuraDataOQuellaNaturale) {
  Prepara();
  QImage nera(100, 50, QImage::Format_RGB32);  // 25.4 by 12.7 mm at 100 dpi
  nera.fill(Qt::black);
  nera.setDotsPerMeterX(3937);
  nera.setDotsPerMeterY(3937);
  EasyPrint s(stampante_);
  s.PrintPicture(10, 10, nera, 20, 40);   // 40 x 20
  s.PrintPicture(10, 40, nera, 20, 0);    // natural width, height 20
  s.PrintPicture(10, 70, nera, 0, 40);    // width 40, natural height
  s.PrintPicture(10, 100, nera, -1, 40);  // natural size
  ASSERT_FALSE(s.EndDoc());

  const int dpi = 150;
  const QImage pagina = PaginaPdf(pdf_, dpi);
  // The corner opposite the origin of each picture, just inside and just out.
  const auto angolo = [&](double y, double l, double h) {
    return Inchiostro(pagina, dpi, 10 + l - 0.4, y + h - 0.4, 0.1) &&
           !Inchiostro(pagina, dpi, 10 + l + 0.5, y + h / 2, 0.1) &&
           !Inchiostro(pagina, dpi, 10 + l / 2, y + h + 0.5, 0.1);
  };
  EXPECT_TRUE(angolo(10, 40, 20));
  EXPECT_TRUE(angolo(40, 25.4, 20));
  EXPECT_TRUE(angolo(70, 40, 12.7));
  EXPECT_TRUE(angolo(100, 25.4, 12.7));
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
