#include "AttivitaMese.h"
#include "FunzioniStampa.h"
#include "Localizzazione.h"
#include "StampantePdf.h"

#include <QDate>

using namespace quarvel;

namespace {
constexpr int kDpi = 200;
using Report = StampantePdf;
}  // namespace

TEST_F(Report, ConsumiIntestazioneETestiAlloroPosto) {
  TestiReportConsumi t;
  t.targa = "AB123CD";
  t.inizio = "Data inizio analisi : 04/12/2026 08:00:00";
  t.fine = "Data fine analisi : 04/12/2026 18:00:00";
  for (const QString& nome : EtichetteReportConsumi()) t.risultati << nome + " : 1";
  ASSERT_FALSE(ReportConsumi(stampante_, t));
  EXPECT_TRUE(messaggi_.messaggi.empty());
  EXPECT_EQ(PaginePdf(pdf_), 1);

  const auto parole = ParolePdf(pdf_);
  EXPECT_NEAR(Parola(parole, "REPORT").y0, 22, kTolleranza);
  EXPECT_NEAR(Parola(parole, "-").x0, 80 + 1, 1.0);  // after the leading blank
  EXPECT_NEAR(Parola(parole, "Stampato").y0, 23, kTolleranza);
  // The date ends at the right margin, in the user's language.
  const QString anno = QString::number(QDate::currentDate().year());
  EXPECT_NEAR(Parola(parole, anno).x1, 195, kTolleranza);
  Parola(parole, LocaleUtente().dayName(QDate::currentDate().dayOfWeek()) + ",");

  EXPECT_NEAR(Parola(parole, "Automezzo:").x0, 75, kTolleranza);
  EXPECT_NEAR(Parola(parole, "Automezzo:").y0, 40, kTolleranza);
  EXPECT_NEAR(Parola(parole, "inizio").y0, 50, kTolleranza);
  EXPECT_NEAR(Parola(parole, "fine").y0, 60, kTolleranza);
  for (int i = 0; i < EtichetteReportConsumi().size(); ++i) {
    const ParolaPdf p = Parola(parole, EtichetteReportConsumi()[i]);
    EXPECT_NEAR(p.x0, 15, kTolleranza) << i;
    EXPECT_NEAR(p.y0, 80 + 10 * i, kTolleranza) << i;
  }
  // "Arial" is printed in its metric twin.
  for (const QString& font : FontPdf(pdf_)) EXPECT_TRUE(font.contains("LiberationSans")) << font.toStdString();

  // The double line, the frame from 35 to 275 and its rules at 48 and 262,
  // all from the left margin to the right one.
  const QImage pagina = PaginaPdf(pdf_, kDpi);
  for (double y : {30.0, 31.0, 35.0, 48.0, 262.0, 275.0})
    for (double x : {16.0, 105.0, 194.0}) EXPECT_TRUE(Inchiostro(pagina, kDpi, x, y)) << x << " " << y;
  for (double x : {15.0, 195.0}) EXPECT_TRUE(Inchiostro(pagina, kDpi, x, 100)) << x;
  for (double x : {13.0, 197.0}) EXPECT_FALSE(Inchiostro(pagina, kDpi, x, 100)) << x;
  EXPECT_FALSE(Inchiostro(pagina, kDpi, 105, 33));
  EXPECT_FALSE(Inchiostro(pagina, kDpi, 105, 278));
  // The logo at its natural size from (15, 15).
  EXPECT_TRUE(Inchiostro(pagina, kDpi, 16, 16));
  EXPECT_FALSE(Inchiostro(pagina, kDpi, 14, 16));
}

TEST_F(Report, UtilizzoSegnaEsattamenteIQuartiDOraAttivi) {
  AttivitaMese a;
  a.Segna(1, 0, 0);
  a.Segna(5, 10, 2);
  a.Segna(5, 10, 3);
  a.Segna(17, 13, 1);
  a.Segna(31, 23, 3);
  ASSERT_FALSE(ReportUtilizzo(stampante_, a, {"AB123CD", "Dicembre", "1999"}));

  const auto parole = ParolePdf(pdf_);
  EXPECT_NEAR(Parola(parole, "AB123CD").y0, 40, kTolleranza);
  EXPECT_NEAR(Parola(parole, "Dicembre").y0, 40, kTolleranza);
  EXPECT_NEAR(Parola(parole, "1999").y0, 45, kTolleranza);
  // The hour scale on the row at 60, the days down the left margin.
  std::vector<ParolaPdf> ore, giorni;
  for (const ParolaPdf& p : parole) {
    if (std::abs(p.y0 - 60) < kTolleranza) ore.push_back(p);
    if (std::abs(p.x0 - 15) < kTolleranza && p.y0 > 62) giorni.push_back(p);
  }
  ASSERT_EQ(QList<std::size_t>({ore.size(), giorni.size()}), QList<std::size_t>({25, 31}));
  EXPECT_EQ(QStringList({ore[0].testo, ore[24].testo, giorni[0].testo, giorni[30].testo}),
            QStringList({"0", "24", "1", "31"}));
  EXPECT_NEAR(ore[24].x0, 140, kTolleranza);
  EXPECT_NEAR(giorni[30].y0, 246, kTolleranza);

  // Ink in the middle of every active quarter-hour, none in any other.
  EXPECT_EQ(QuartiSegnati(pdf_), QStringList({"1 0 0", "5 10 2", "5 10 3", "17 13 1", "31 23 3"}));
}
