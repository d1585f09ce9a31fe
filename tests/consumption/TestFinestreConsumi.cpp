// The consumption window and the analysis options window: their wiring to
// the store, the settings and the analysis (the figures are tested apart).
#include <QDir>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QTableWidget>
#include <QToolButton>

#include "AnteprimaStampa.h"
#include "CampioniProva.h"
#include "ZipProva.h"
#include "FinestreProva.h"
#include "FrecceSuGiu.h"
#include "ImpostazioniAggiunte.h"
#include "PdfProva.h"
#include "QvAnalisiConsumi.h"

using namespace quarvel;

namespace {

class FinestraConsumiProva : public FinestraProva<QvAnalisiConsumi> {
 protected:
  void SetUp() override {
    FinestraProva::SetUp();
    Registra({"AB123CD", "VU000TO", "ZZ999ZZ"});
    // AB123CD: a first sample at 06:05:09 and a last at 18:40:00, the tank
    // rising to 60 % (a refuel from 0) and dropping to 30 % (an anomaly).
    // VU000TO: a database without samples; ZZ999ZZ has none at all.
    ScriviCampioni("AB123CD", {Campione(primo_, 0, 60), Campione(primo_ + 1, 1, 60),
                               Campione(primo_ + 2, 2, 30), Campione(ultimo_ - 1, 0, 30),
                               Campione(ultimo_, 1, 30)});
    ScriviCampioni("VU000TO", {});
    finestra_ = std::make_unique<QvAnalisiConsumi>();
  }
  void ScegliTarga(const QString& targa) { Scegli(C<QComboBox>("Cmb_Targa"), targa); }
  // RF000AA, a tank of 400 l, standing with the engine on: 120 l, a pause
  // with the engine off, 320 l after it; chosen and analysed.
  void AnalizzaRifornimento() {
    Registra({"RF000AA"}, 400);
    const Istante ore8 = *IstanteDa(2026, 12, 3, 8), ore9 = *IstanteDa(2026, 12, 3, 9);
    std::vector<CampioneLog> campioni;
    for (int s = 0; s < 240; ++s) {
      campioni.push_back(Campione(s < 120 ? ore8 + s : ore9 + s - 120, int16_t(s % 120), s < 120 ? 30 : 80));
      campioni.back().Dato3 = 650;
    }
    ScriviCampioni("RF000AA", campioni);
    // Back in front, the window lists the vehicle added meanwhile.
    QEvent attivazione(QEvent::WindowActivate);
    QApplication::sendEvent(finestra_.get(), &attivazione);
    ScegliTarga("RF000AA");
    C<QPushButton>("Cmd_Analizza2")->click();
  }
  // The arrows beside a box; the box's text after the click.
  QString Freccia(const char* casella, const char* verso) {
    C<FrecceSuGiu>(("UpD_" + QByteArray(casella)).constData())->findChild<QToolButton*>(verso)->click();
    return Testo(("Txt_" + QByteArray(casella)).constData());
  }
  QStringList Report() const { return QDir(Percorso("REPORT")).entryList(QDir::Files); }

  const Istante primo_ = *IstanteDa(2026, 12, 3, 6, 5, 9);
  const Istante ultimo_ = *IstanteDa(2026, 12, 3, 18, 40, 0);
};

TEST_F(FinestraConsumiProva, SceltaDelMezzoEDelFile) {
  EXPECT_EQ(C<QComboBox>("Cmb_Targa")->currentIndex(), -1);
  const QString db = PercorsoDB("AB123CD");
  const auto caselle = [&] {
    return QStringList({Testo("Txt_NomeDBAnalizze"), Testo("Txt_DBdal"), Testo("Txt_AnalStopH")});
  };
  ScegliTarga("AB123CD");
  EXPECT_EQ(caselle(), QStringList({db, "03/12/2026 06:05:09", "18"}));
  // No database for the year, or an empty one: a message, and the boxes as they were.
  ScegliTarga("ZZ999ZZ");
  EXPECT_EQ(caselle(), QStringList({db, "03/12/2026 06:05:09", "18"}));
  ScegliTarga("VU000TO");
  EXPECT_EQ(caselle().mid(1), QStringList({"03/12/2026 06:05:09", "18"}));
  EXPECT_EQ(messaggi.Testi(), QStringList({"Non esistono dati del mezzo targato ZZ999ZZ per l'anno " +
                                               Imp().AnnoDB, "Database vuoto - Errore 1"}));

  // The file dialog opens in Log; a cancelled dialog and a file that is no
  // database leave the path box alone.
  C<QLineEdit>("Txt_NomeDBAnalizze")->setText(db);
  C<QPushButton>("Cmd_ApriDati")->click();
  EXPECT_EQ(messaggi.richiesteFile.at(0).cartella, PercorsoDati("Log"));
  EXPECT_EQ(Ultimo().testo, "Non hai dato un nome al file");
  ScriviTutto(Percorso("Log/appunti.mdb"), "non un database\r\n");
  messaggi.fileScelti.push_back(Percorso("Log/appunti.mdb"));
  C<QPushButton>("Cmd_ApriDati")->click();
  EXPECT_EQ(Ultimo().icona, Icona::Critica);
  EXPECT_EQ(Testo("Txt_NomeDBAnalizze"), db);
}

// The counters behind the arrows start at 0 and wrap round; they follow a
// chosen database (stop hour 18) and what the usage window writes, never
// the typing.
TEST_F(FinestraConsumiProva, FrecceContanoSenzaLeggereLaCasella) {
  EXPECT_EQ(Freccia("AnalStartH", "Giu"), "23");
  Scrivi("Txt_AnalStartH", "10");
  EXPECT_EQ(Freccia("AnalStartH", "Su"), "0");
  EXPECT_EQ(Freccia("AnalStopMin", "Giu"), "59");
  EXPECT_EQ(Freccia("AnalStopMin", "Su"), "0");
  ScegliTarga("AB123CD");
  Scrivi("Txt_AnalStopH", "7");
  EXPECT_EQ(Freccia("AnalStopH", "Su"), "19");
  finestra_->MostraSelezione("AB123CD", "x.mdb", *IstanteDa(2026, 12, 3, 9, 30), ultimo_);
  EXPECT_EQ(Testo("Txt_AnalStartMin"), "30");
  EXPECT_EQ(Freccia("AnalStartMin", "Su"), "6");
}

TEST_F(FinestraConsumiProva, AnalisiDallaFinestra) {
  const auto analizza = [&] { C<QPushButton>("Cmd_Analizza2")->click(); };
  const auto elenchi = [&] {
    return C<QPlainTextEdit>("Txt_datecarico")->toPlainText() + "|" +
           C<QPlainTextEdit>("Txt_datesospette")->toPlainText();
  };
  analizza();
  ScegliTarga("AB123CD");
  Scrivi("Txt_AnalStartH", "6:");
  analizza();
  EXPECT_EQ(messaggi.Testi(), QStringList({"Non hai selezionato il mezzo da analizzare",
                                           "L'ora di inizio non è valida: scrivere un numero da 0 a 23"}));
  EXPECT_TRUE(Report().isEmpty());

  Scrivi("Txt_AnalStartH", "6");
  Imp().LivelloAllertVelocita = 90;
  analizza();
  EXPECT_EQ(Report().size(), 1);
  EXPECT_EQ(C<QLabel>("Lbl_StartDate")->text(), "Data inizio analisi :03/12/2026 06:05:09");
  EXPECT_EQ(C<QLabel>("Llb_NumeroAccensioni")->text(), "Numero accensioni = Numero Viaggi : 2");
  EXPECT_TRUE(C<QLabel>("Lbl_NVelocitaallerta")->text().contains(">90 "));
  EXPECT_TRUE(C<QProgressBar>("Prb_running")->isHidden());
  EXPECT_TRUE(C<QPushButton>("Cmd_Analizza2")->isEnabled());
  const QString righe = elenchi();
  EXPECT_EQ(righe, "03/12/2026 06:05:09 Iniziale:0% Finale: 60\n|"
                   "03/12/2026 06:05:11 Iniziale: 60% Finale: 30%  El: 3\n");
  // A second analysis appends its lines.
  analizza();
  EXPECT_EQ(elenchi(), righe.section('|', 0, 0) + righe.section('|', 0, 0) + "|" +
                           righe.section('|', 1) + righe.section('|', 1));

  // A period without samples: its message, and the labels as they were.
  C<QDateEdit>("DTP_AnalStartDate")->setDate(QDate(2026, 12, 4));
  C<QDateEdit>("DTP_AnalStopDate")->setDate(QDate(2026, 12, 4));
  analizza();
  EXPECT_EQ(messaggi.Testi().mid(2), QStringList{"Record non presenti, controllare date selezionate"});
  EXPECT_EQ(C<QLabel>("Lbl_StartDate")->text(), "Data inizio analisi :03/12/2026 06:05:09");
}

TEST_F(FinestraConsumiProva, StampaIRisultatiDallAnteprima) {
  RegistratoreAnteprime anteprime;
  ScegliTarga("AB123CD");
  C<QPushButton>("Cmd_Analizza2")->click();
  const QStringList report = Report();

  // Closing the preview prints nothing and leaves the window as it was.
  C<QPushButton>("Cmd_Print")->click();
  ASSERT_EQ(anteprime.richieste.size(), 1u);
  const QString nome = anteprime.richieste[0].nome;
  EXPECT_TRUE(nome.startsWith("Stampa_Consumi_AB123CD_20")) << nome.toStdString();
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    EXPECT_EQ(anteprime.richieste[0].fileProposto, Percorso("REPORT/" + nome + ".pdf"));
  }
  EXPECT_EQ(Report(), report);
  EXPECT_TRUE(C<QPushButton>("Cmd_Print")->isEnabled());

  // Printed: the window's texts on the page.
  anteprime.pdfScelto = Percorso("consumi.pdf");
  C<QPushButton>("Cmd_Print")->click();
  const auto parole = ParolePdf(anteprime.pdfScelto);
  EXPECT_EQ(Parola(parole, "AB123CD").y0, Parola(parole, "Automezzo:").y0);
  EXPECT_NEAR(Parola(parole, "06:05:09").y0, 50, 0.3);
  EXPECT_NEAR(Parola(parole, "Tempo").y0, 80, 0.3);
  EXPECT_NEAR(Parola(parole, "iniziali").y0, 140, 0.3);
  EXPECT_EQ(messaggi.Testi(), QStringList{"Il report è stato salvato nel file PDF:\n" + anteprime.pdfScelto});
}

// The refuels and losses in litres: in the table with the balance, on the
// printed report's second page, and in the chart opened from a row.
TEST_F(FinestraConsumiProva, RifornimentiInLitriTabellaStampaEGrafico) {
  AnalizzaRifornimento();
  auto* tabella = C<QTableWidget>("Tbl_Carburante");
  ASSERT_EQ(tabella->rowCount(), 1);
  QStringList riga;
  for (int c = 0; c < tabella->columnCount(); ++c) riga << tabella->item(0, c)->text();
  EXPECT_EQ(riga, QStringList({"Rifornimento", "03/12/2026 08:01:59", "03/12/2026 09:00:00",
                               "120,0", "320,0", "200,0", "Spento"}));
  const QString bilancio = C<QLabel>("Lbl_BilancioCarburante")->text();
  EXPECT_TRUE(bilancio.contains("Riforniti: 200,0   Consumati (flussimetro): 0,0")) << bilancio.toStdString();
  EXPECT_TRUE(bilancio.contains("Litri non spiegati: 0,0\n")) << bilancio.toStdString();

  RegistratoreAnteprime anteprime;
  anteprime.pdfScelto = Percorso("consumi.pdf");
  C<QPushButton>("Cmd_Print")->click();
  ASSERT_EQ(PaginePdf(anteprime.pdfScelto), 2);
  const auto pagina2 = ParolePdf(anteprime.pdfScelto, 2);
  // The litres right-aligned on their column, on the row of the engine's state.
  const double riga0 = Parola(pagina2, "Spento").y0;
  EXPECT_EQ(std::count_if(pagina2.begin(), pagina2.end(), [&](const ParolaPdf& p) {
              return p.testo == "200,0" && std::abs(p.y0 - riga0) < 0.1 && std::abs(p.x1 - 167) < 0.5;
            }), 1);

  // A double click: the chart at 08:01, the refuel's start and end marked
  // in a colour of its own.
  tabella->cellDoubleClicked(0, 0);
  QWidget* grafico = CercaFinestra("QvGraph");
  ASSERT_TRUE(grafico);
  EXPECT_EQ(Controllo<QLineEdit>(grafico, "Txt_DisplayStartMin")->text(), "01");
  const QImage img = Controllo<QWidget>(grafico, "Img_CRT")->grab().toImage();
  int colonne = 0;
  for (int x = 0; x < img.width(); ++x) colonne += img.pixelColor(x, 200) == QColor(255, 0, 255);
  EXPECT_EQ(colonne, 2);
}

// Beside the plate, the years it has a database for; the database year until
// the user picks another, and the year of a database the usage window hands
// over.
TEST_F(FinestraConsumiProva, UnAltroAnno) {
  const QString db2019 =
      quarvel::ScriviCampioni(PercorsoDati("DATA/AB123CD_ 2019.mdb"), {*IstanteDa(2019, 3, 1, 8, 0, 0)});
  auto* anni = C<QComboBox>("Cmb_AnnoDB");
  ScegliTarga("AB123CD");
  EXPECT_EQ(anni->currentText(), Imp().AnnoDB);
  Scegli(anni, "2019");
  EXPECT_EQ(std::pair(Testo("Txt_NomeDBAnalizze"), Testo("Txt_DBdal")),
            std::pair(db2019, QString("01/03/2019 08:00:00")));
  ScegliTarga("VU000TO");  // no database in 2019: the database year
  EXPECT_EQ(anni->currentText(), Imp().AnnoDB);
  finestra_->MostraSelezione("AB123CD", db2019, *IstanteDa(2019, 3, 1, 8), *IstanteDa(2019, 3, 1, 9));
  EXPECT_EQ(anni->currentText(), "2019");
}

// The trips and the refuels of the analysis shown, as CSV in the user's
// format and as a workbook with the events and the balance.
TEST_F(FinestraConsumiProva, EsportaViaggiERifornimenti) {
  C<QAction>("Mnu_EsportaViaggiCsv")->trigger();
  EXPECT_EQ(Ultimo().testo, "Analizzare prima il periodo da esportare");
  AnalizzaRifornimento();
  messaggi.fileScelti = {Percorso("REPORT/viaggi"), Percorso("REPORT/carburante.xlsx")};
  C<QAction>("Mnu_EsportaViaggiCsv")->trigger();
  C<QAction>("Mnu_EsportaCarburanteXlsx")->trigger();
  EXPECT_TRUE(messaggi.richiesteFile[0].cartella.endsWith("REPORT/Viaggi_RF000AA_2026-12-03_2026-12-03.csv"));
  EXPECT_EQ(QString::fromUtf8(LeggiTutto(Percorso("REPORT/viaggi.csv"))).split("\r\n"),
            QStringList({"Viaggio;Dal;Al;Ore motore;Ore di marcia;Km;Velocità media;Velocità massima;"
                         "Volte sopra 0 km/h",
                         "1;03/12/2026 08:00:00;03/12/2026 08:01:59;0,03;0,00;0,000;;0;0",
                         "2;03/12/2026 09:00:00;03/12/2026 09:01:59;0,03;0,00;0,000;;0;0", ""}));
  const QStringList eventi = CelleXlsx(Percorso("REPORT/carburante.xlsx"), 1);
  EXPECT_EQ(eventi.mid(7, 1) + eventi.mid(10), QStringList({"A2=Rifornimento", "D2#120", "E2#320", "F2#200",
                                                            "G2=Spento"}));
  const QStringList bilancio = CelleXlsx(Percorso("REPORT/carburante.xlsx"), 2);
  EXPECT_EQ(bilancio.mid(2, 4), QStringList({"A2=Litri iniziali", "B2#120", "A3=Riforniti", "B3#200"}));
}

// The alert levels, read leniently from the start as they are typed: a
// decimal comma or an exponent ends the number.
TEST_F(FinestraConsumiProva, OpzioniDiAnalisi) {
  Imp().LivelloAllertGasolio = 30;
  C<QAction>("Mnu_opzioni")->trigger();
  QWidget* o = CercaFinestra("QvAnalisiOption");
  auto* gasolio = Controllo<QLineEdit>(o, "Txt_GasolioAllert");
  auto* velocita = Controllo<QLineEdit>(o, "Txt_VelocitaAllert");
  EXPECT_EQ(gasolio->text(), "30");
  gasolio->setText("12,");
  QTest::keyClicks(gasolio, "6");
  velocita->setText("9e");
  QTest::keyClicks(velocita, "1");
  EXPECT_EQ(QList<int>({Imp().LivelloAllertGasolio, Imp().LivelloAllertVelocita}), QList<int>({12, 9}));
  QTest::keyClicks(gasolio, "x");
  EXPECT_EQ(messaggi.Testi(), QStringList{"Inserire un valore numerico"});
  EXPECT_EQ(Imp().LivelloAllertGasolio, 12);
  // The smallest refuel and loss, in litres in the user's format.
  auto* perdita = Controllo<QLineEdit>(o, "Txt_MinimoPerdita");
  EXPECT_EQ(perdita->text(), "10");
  perdita->setText("7,");
  QTest::keyClicks(perdita, "5");
  QTest::keyClicks(Controllo<QLineEdit>(o, "Txt_MinimoRifornimento"), "-");
  EXPECT_EQ(Agg().MinimoPerdita, 7.5);
  EXPECT_EQ(Agg().MinimoRifornimento, 20);
  EXPECT_EQ(messaggi.Testi().size(), 2);
  Controllo<QPushButton>(o, "Cmd_Close")->click();
  EXPECT_FALSE(CercaFinestra("QvAnalisiOption"));
}

}  // namespace
