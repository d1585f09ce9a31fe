// The fleet window: the table and the chart's bars as the user reads them,
// the numeric sort with the totals kept last, the exports and the printed
// page of what is shown, and a window closed while it computes.
#include "AnteprimaStampa.h"
#include "FinestreProva.h"
#include "GiornataProva.h"
#include "GraficoFlotta.h"
#include "Localizzazione.h"
#include "PdfProva.h"
#include "QvFlotta.h"
#include "ZipProva.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <algorithm>

using namespace quarvel;

namespace {
const Istante kMattina = *IstanteDa(2026, 12, 4, 6);

class QvFlottaProva : public FinestraProva<QvFlotta> {
 protected:
  void SetUp() override {
    FinestraProva::SetUp();
    Registra({"CD456EF", "AB123CD", "GH789IJ", "ZZ999ZZ"}, 400);
    ScriviMattina(PercorsoDB("AB123CD"), MattinaCamion(kMattina, 0));
    ScriviMattina(PercorsoDB("CD456EF"), MattinaCamion(kMattina, 1));
    // A short drive: single-digit kilometres, which a sort of texts would
    // put above the others.
    std::vector<CampioneLog> breve = MattinaCamion(kMattina, 2);
    breve.resize(780);
    ScriviMattina(PercorsoDB("GH789IJ"), breve);
    finestra_ = std::make_unique<QvFlotta>();
  }
  // Shows the window (which computes this month) and waits for it.
  void Apri() {
    QSignalSpy fine(finestra_.get(), &QvFlotta::CalcoloConcluso);
    finestra_->show();
    ASSERT_TRUE(fine.wait(20000));
  }
  // The user chooses the day of the samples.
  void Calcola4Dicembre() {
    QSignalSpy fine(finestra_.get(), &QvFlotta::CalcoloConcluso);
    Scegli(C<QComboBox>("Cmb_Periodo"), "Dal giorno al giorno");
    C<QDateEdit>("DTP_Dal")->setDate({2026, 12, 4});
    C<QDateEdit>("DTP_Al")->setDate({2026, 12, 4});
    C<QPushButton>("Cmd_Calcola")->click();
    ASSERT_TRUE(fine.wait(20000));
  }
  QStringList Colonna(int colonna) {
    QAbstractItemModel* m = C<QTableView>("Tbl_Flotta")->model();
    QStringList testi;
    for (int r = 0; r < m->rowCount(); ++r) testi << m->index(r, colonna).data().toString();
    return testi;
  }
};
}  // namespace

TEST_F(QvFlottaProva, TabellaGraficoEOrdine) {
  Apri();
  messaggi.messaggi.clear();  // this month may hold no sample on the test's day
  Calcola4Dicembre();
  EXPECT_TRUE(messaggi.messaggi.empty()) << Ultimo().testo.toStdString();
  // The registered vehicles with a database, in plate order, the totals last.
  EXPECT_EQ(Colonna(0), QStringList({"AB123CD", "CD456EF", "GH789IJ", "Totale"}));
  const QStringList km = Colonna(1);
  EXPECT_TRUE(km[2].startsWith("9,")) << km[2].toStdString();
  EXPECT_EQ(Colonna(12), QStringList({"80,0", "0,0", "0,0", "80,0"}));  // litres refuelled

  // The chart: L/100 km and the lost plus unexplained litres, a bar each in
  // the table's order, as long as its value, in its series' colour.
  auto* grafico = C<GraficoFlotta>("Grafico_Flotta");
  const QImage disegno = grafico->grab().toImage();
  const auto& serie = grafico->SerieMostrate();
  ASSERT_EQ(serie.size(), 2u);
  const QStringList l100 = Colonna(4);
  for (int s = 0; s < 2; ++s) {
    ASSERT_EQ(serie[s].barre.size(), 3u);
    for (int b = 0; b < 3; ++b) {
      EXPECT_EQ(serie[s].barre[b].targa, Colonna(0)[b]);
      const QRectF r = grafico->Rettangolo(s, b);
      EXPECT_EQ(disegno.pixelColor(r.center().toPoint()), serie[s].colore) << s << b;
    }
  }
  for (int b = 0; b < 3; ++b)
    EXPECT_EQ(TestoDecimali(*serie[0].barre[b].valore, 2), l100[b]) << b;
  const double pixelPerLitro = grafico->Rettangolo(0, 0).width() / *serie[0].barre[0].valore;
  EXPECT_NEAR(grafico->Rettangolo(0, 1).width(), *serie[0].barre[1].valore * pixelPerLitro, 1);

  // Clicks on Km sort by the number both ways, the totals stay last; the
  // chart follows.
  QHeaderView* intestazione = C<QTableView>("Tbl_Flotta")->horizontalHeader();
  for (int clic = 0; clic < 2; ++clic) {
    QTest::mouseClick(intestazione->viewport(), Qt::LeftButton, {},
                      QPoint(intestazione->sectionViewportPosition(1) + 5, 5));
    std::vector<double> numeri;
    for (const QString& t : Colonna(1).mid(0, 3)) numeri.push_back(QString(t).replace(',', '.').toDouble());
    const bool crescente = intestazione->sortIndicatorOrder() == Qt::AscendingOrder;
    EXPECT_TRUE(crescente ? std::is_sorted(numeri.begin(), numeri.end())
                          : std::is_sorted(numeri.rbegin(), numeri.rend()))
        << Colonna(1).join(' ').toStdString();
    EXPECT_EQ(Colonna(0)[crescente ? 0 : 2], "GH789IJ");
    EXPECT_EQ(Colonna(0).last(), "Totale");
    EXPECT_EQ(grafico->SerieMostrate()[0].barre[crescente ? 0 : 2].targa, "GH789IJ");
  }
}

// The exports hold the table as shown: its order, the totals last, the
// user's decimal comma in the CSV, numbers in the workbook's cells; the
// printed page shows the same rows.
TEST_F(QvFlottaProva, EsportazioniEStampa) {
  Apri();
  Calcola4Dicembre();
  C<QTableView>("Tbl_Flotta")->sortByColumn(0, Qt::DescendingOrder);
  messaggi.fileScelti = {Percorso("REPORT/flotta"), Percorso("REPORT/flotta.xlsx")};
  C<QPushButton>("Cmd_EsportaCsv")->click();
  C<QPushButton>("Cmd_EsportaXlsx")->click();
  ASSERT_EQ(messaggi.richiesteFile.size(), 2u);
  EXPECT_TRUE(messaggi.richiesteFile[0].cartella.endsWith("REPORT/Flotta_" + Imp().AnnoDB +
                                                          "_2026-12-04_2026-12-04.csv"));
  const QStringList csv = QString::fromUtf8(LeggiTutto(Percorso("REPORT/flotta.csv"))).split("\r\n");
  ASSERT_EQ(csv.size(), 6);
  EXPECT_TRUE(csv[0].startsWith("Targa;Km;Litri;Km/L in marcia;L/100 km;"));
  EXPECT_TRUE(csv[1].startsWith("GH789IJ;" + Colonna(1)[0] + ";"));
  EXPECT_TRUE(csv[4].startsWith("Totale;" + Colonna(1)[3] + ";"));
  const QStringList celle = CelleXlsx(Percorso("REPORT/flotta.xlsx"));
  EXPECT_TRUE(celle.contains("A2=GH789IJ"));
  const QString totaleKm = celle.filter(QRegularExpression("^B5#")).value(0);
  EXPECT_DOUBLE_EQ(totaleKm.mid(3).toDouble(), QString(Colonna(1)[3]).replace(',', '.').toDouble())
      << celle.join(' ').toStdString();

  RegistratoreAnteprime anteprime;
  anteprime.pdfScelto = Percorso("flotta.pdf");
  C<QPushButton>("Cmd_Print")->click();
  ASSERT_EQ(PaginePdf(anteprime.pdfScelto), 1);
  QStringList targhe;
  for (const ParolaPdf& p : ParolePdf(anteprime.pdfScelto))
    if (p.testo.size() == 7 || p.testo == "Totale") targhe << p.testo;
  // Both groups of columns, each with the rows as shown.
  EXPECT_EQ(targhe.filter(QRegularExpression("^[A-Z]{2}\\d{3}[A-Z]{2}$|^Totale$")),
            QStringList({"GH789IJ", "CD456EF", "AB123CD", "Totale", "GH789IJ", "CD456EF", "AB123CD", "Totale"}));
}

// Closed while it computes: the work stops, nothing is shown or asked.
TEST_F(QvFlottaProva, ChiusaMentreCalcola) {
  QSignalSpy fine(finestra_.get(), &QvFlotta::CalcoloConcluso);
  finestra_->show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(finestra_->InCalcolo());
  EXPECT_TRUE(finestra_->close());
  EXPECT_FALSE(finestra_->InCalcolo());
  QTest::qWait(300);
  EXPECT_EQ(fine.count(), 0);
  EXPECT_TRUE(messaggi.messaggi.empty());
}
