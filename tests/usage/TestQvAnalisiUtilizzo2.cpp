// The usage window: its wiring to the registry, the store, the scan, the
// grid's mouse and the consumption window (the scan is tested apart).
#include "AnteprimaStampa.h"
#include "CampioniProva.h"
#include "FinestreProva.h"
#include "GrigliaAttivita.h"
#include "PdfProva.h"
#include "QvAnalisiConsumi.h"
#include "QvAnalisiUtilizzo2.h"

using namespace quarvel;

namespace {
const QColor kVerde(0, 255, 0), kBianco(255, 255, 255);

class FinestraUtilizzoProva : public FinestraProva<QvAnalisiUtilizzo2> {
 protected:
  void SetUp() override {
    FinestraProva::SetUp();
    Registra({"AB123CD", "VU000TO", "ZZ999ZZ"});
    // AB123CD: from 28 February to 5 April 2013; VU000TO: no samples;
    // ZZ999ZZ: no database.
    ScriviCampioni("AB123CD", {Campione(*IstanteDa(2013, 2, 28, 7, 0, 0)),
                               Campione(*IstanteDa(2013, 3, 5, 10, 44, 59)),
                               Campione(*IstanteDa(2013, 3, 5, 10, 45, 0)),
                               Campione(*IstanteDa(2013, 4, 5, 18, 30, 12))});
    ScriviCampioni("VU000TO", {});
    finestra_ = std::make_unique<QvAnalisiUtilizzo2>();
  }
  QString Etichetta(const char* nome) { return C<QLabel>(nome)->text(); }
  void Mese(const QString& mese, const QString& anno) {
    Scegli(C<QComboBox>("Cmb_mese"), mese);
    Scegli(C<QComboBox>("Cmb_anno"), anno);
  }
  void Traccia() { C<QPushButton>("Cmd_TrackMese")->click(); }
  // AB123CD's March 2013 traced: two quarter-hours of the 5th.
  void TracciaMarzo() {
    Scegli(C<QComboBox>("Cmb_Targa"), "AB123CD");
    Mese("Marzo", "2013");
    Traccia();
  }
  GrigliaAttivita* Griglia() { return C<GrigliaAttivita>("Grid1"); }
  QColor Colore(int riga, int colonna) { return Griglia()->Modello().Colore(riga, colonna); }
  int Colorate(const QColor& colore) {
    int n = 0;
    for (int r = 1; r < ModelloGriglia::kRighe; ++r)
      for (int c = 1; c < ModelloGriglia::kColonne; ++c) n += Colore(r, c) == colore;
    return n;
  }
  QPoint Cella(int riga, int colonna) {
    return Griglia()->visualRect(Griglia()->model()->index(riga, colonna)).center();
  }
};
}  // namespace

TEST_F(FinestraUtilizzoProva, LaTargaMostraIlDatabaseEPropostaIlMeseDellUltimoCampione) {
  // Nothing is chosen at opening.
  for (const char* elenco : {"Cmb_Targa", "Cmb_mese", "Cmb_anno"})
    EXPECT_EQ(C<QComboBox>(elenco)->currentIndex(), -1) << elenco;

  Scegli(C<QComboBox>("Cmb_Targa"), "AB123CD");
  EXPECT_EQ(Testo("Txt_NomeDBAnalizze"), PercorsoDB("AB123CD"));
  EXPECT_EQ(Testo("Txt_DBdal"), "28/02/2013 07:00:00");
  EXPECT_EQ(Testo("Txt_DBal"), "05/04/2013 18:30:12");
  EXPECT_EQ(C<QComboBox>("Cmb_mese")->currentText(), "Aprile");
  EXPECT_EQ(C<QComboBox>("Cmb_anno")->currentText(), "2013");
  EXPECT_TRUE(messaggi.messaggi.empty());

  Scegli(C<QComboBox>("Cmb_Targa"), "ZZ999ZZ");
  EXPECT_EQ(Ultimo().testo,
            "Non esistono dati del mezzo targato ZZ999ZZ per l'anno " + Imp().AnnoDB);
  EXPECT_EQ(Testo("Txt_DBal"), "05/04/2013 18:30:12");
  // The missing database is what the track command now opens: it says so.
  Traccia();
  EXPECT_TRUE(Ultimo().testo.contains("ZZ999ZZ_ " + Imp().AnnoDB + ".mdb"));
  EXPECT_EQ(Ultimo().icona, Icona::Critica);

  Scegli(C<QComboBox>("Cmb_Targa"), "VU000TO");
  EXPECT_EQ(Ultimo().testo, "Database vuoto - Errore 1");
  EXPECT_EQ(Testo("Txt_DBdal"), "28/02/2013 07:00:00");
}

// Beside the plate, the years it has a database for and the database year,
// chosen until the user picks another.
TEST_F(FinestraUtilizzoProva, UnAltroAnnoApreIlSuoDatabase) {
  const QString db2019 =
      quarvel::ScriviCampioni(PercorsoDati("DATA/AB123CD_ 2019.mdb"), {*IstanteDa(2019, 3, 1, 8, 0, 0)});
  auto* anni = C<QComboBox>("Cmb_AnnoDB");
  Scegli(C<QComboBox>("Cmb_Targa"), "AB123CD");
  ASSERT_EQ(anni->count(), 2);
  EXPECT_EQ(anni->itemText(0), "2019");
  Scegli(anni, "2019");
  EXPECT_EQ(Testo("Txt_NomeDBAnalizze"), db2019);
  EXPECT_EQ(Testo("Txt_DBal"), "01/03/2019 08:00:00");
  // A plate without a database that year: the database year again.
  Scegli(C<QComboBox>("Cmb_Targa"), "ZZ999ZZ");
  EXPECT_EQ(anni->count(), 1);
}

// The month drawn as CSV: a row per day, 1 in each quarter-hour with
// samples, the day's hours with the user's decimal comma.
TEST_F(FinestraUtilizzoProva, IlMeseInCsv) {
  C<QPushButton>("Cmd_EsportaCsv")->click();
  EXPECT_EQ(Ultimo().testo, "Tracciare prima il mese da esportare");
  TracciaMarzo();
  messaggi.fileScelti = {Percorso("REPORT/marzo")};
  C<QPushButton>("Cmd_EsportaCsv")->click();
  EXPECT_TRUE(messaggi.richiesteFile.back().cartella.endsWith("REPORT/Utilizzo_AB123CD_2013-03.csv"));
  const QStringList righe = QString::fromUtf8(LeggiTutto(Percorso("REPORT/marzo.csv"))).split("\r\n");
  ASSERT_EQ(righe.size(), 33);  // the heading, 31 days, the last line end
  EXPECT_TRUE(righe[0].startsWith("Giorno;00:00;00:15;"));
  EXPECT_TRUE(righe[0].endsWith(";23:45;Ore"));
  QStringList quarti(96, "0");
  quarti[42] = quarti[43] = "1";  // 10:30 and 10:45
  EXPECT_EQ(righe[5], "05/03/2013;" + quarti.join(';') + ";0,50");
}

TEST_F(FinestraUtilizzoProva, LaTracciaColoraIQuartiDOraAttivi) {
  Traccia();
  Mese("Marzo", "2013");
  Traccia();
  ASSERT_EQ(messaggi.Testi(), QStringList({"Selezionare il mese e l'anno da analizzare",
                                           "Selezionare il mezzo da analizzare"}));

  TracciaMarzo();
  EXPECT_EQ(messaggi.messaggi.size(), 2u);
  EXPECT_EQ(Colore(5, 43), kVerde);
  EXPECT_EQ(Colore(5, 44), kVerde);
  EXPECT_EQ(Colorate(kVerde), 2);

  // A month without samples: its message, and only the day numbers left.
  Mese("Gennaio", "2013");
  Traccia();
  EXPECT_EQ(Ultimo().testo, "Non ci sono dati disponibili per il perido selezionato");
  EXPECT_EQ(Colorate(kBianco), 31 * 96);
  EXPECT_EQ(Griglia()->Modello().data(Griglia()->model()->index(31, 0), Qt::DisplayRole), "31");
  EXPECT_TRUE(finestra_->Attivita().Vuota());
}

TEST_F(FinestraUtilizzoProva, UnDatabaseRovinatoDaIlSuoErroreENonUnMeseParziale) {
  TracciaMarzo();
  DanneggiaRadice(PercorsoDB("AB123CD"), "LogsAttivita");
  Traccia();
  EXPECT_EQ(messaggi.Testi(),
            QStringList{"Errore Database, comunicare Err: database disk image is malformed"});
  EXPECT_EQ(Colorate(kVerde), 0);
  EXPECT_TRUE(finestra_->Attivita().Vuota());
  EXPECT_TRUE(C<QPushButton>("Cmd_TrackMese")->isEnabled());
}

TEST_F(FinestraUtilizzoProva, IlTrascinamentoSegnaIlPeriodoCheLeStatisticheRicevono) {
  Scegli(C<QComboBox>("Cmb_Targa"), "AB123CD");
  // Statistics before any selection: the database span.
  C<QPushButton>("Cmd_Statistics")->click();
  auto* consumi = qobject_cast<QvAnalisiConsumi*>(CercaFinestra("QvAnalisiConsumi"));
  ASSERT_TRUE(consumi);
  EXPECT_EQ(consumi->findChild<QDateEdit*>("DTP_AnalStartDate")->date(), QDate(2013, 2, 28));
  EXPECT_EQ(consumi->findChild<QLineEdit*>("Txt_AnalStopH")->text(), "18");

  Mese("Marzo", "2013");
  QWidget* area = Griglia()->viewport();
  QTest::mousePress(area, Qt::LeftButton, {}, Cella(5, 1));
  EXPECT_EQ(Etichetta("Label2"), "2013/03/05 00:00");
  QTest::mouseMove(area, Cella(5, 96));
  EXPECT_EQ(Etichetta("Label4"), "2013/03/05 24:00");
  QTest::mouseMove(area, Cella(5, 4));
  QTest::mouseRelease(area, Qt::LeftButton, {}, Cella(5, 4));
  EXPECT_EQ(Etichetta("Label4"), "2013/03/05 01:00:00");

  // The open consumption window is filled, not a second one.
  const auto periodo = [consumi] {
    QStringList testi{consumi->findChild<QComboBox*>("Cmb_Targa")->currentText(),
                      consumi->findChild<QLineEdit*>("Txt_NomeDBAnalizze")->text(),
                      consumi->findChild<QDateEdit*>("DTP_AnalStartDate")->date().toString(Qt::ISODate),
                      consumi->findChild<QDateEdit*>("DTP_AnalStopDate")->date().toString(Qt::ISODate)};
    for (const char* c : {"Txt_AnalStartH", "Txt_AnalStartMin", "Txt_AnalStopH", "Txt_AnalStopMin"})
      testi << consumi->findChild<QLineEdit*>(c)->text();
    return testi;
  };
  C<QPushButton>("Cmd_Statistics")->click();
  EXPECT_EQ(consumi, CercaFinestra("QvAnalisiConsumi"));
  EXPECT_EQ(periodo(), QStringList({"AB123CD", PercorsoDB("AB123CD"), "2013-03-05", "2013-03-05",
                                    "0", "0", "1", "0"}));

  // Released over the last column: the day's last second. February has no
  // 30th: a press there changes nothing.
  QTest::mousePress(area, Qt::LeftButton, {}, Cella(6, 40));
  QTest::mouseRelease(area, Qt::LeftButton, {}, Cella(6, 96));
  Mese("Febbraio", "2013");
  QTest::mousePress(area, Qt::LeftButton, {}, Cella(30, 8));
  QTest::mouseRelease(area, Qt::LeftButton, {}, Cella(30, 8));
  EXPECT_EQ(Etichetta("Label2"), "2013/03/06 09:45");
  EXPECT_EQ(Etichetta("Label4"), "2013/03/06 23:59:59");
  C<QPushButton>("Cmd_Statistics")->click();
  EXPECT_EQ(periodo().mid(2), QStringList({"2013-03-06", "2013-03-06", "9", "45", "23", "59"}));
  EXPECT_TRUE(messaggi.messaggi.empty());
}

// The consumption window opens over the usage window and wholly inside its
// screen, however low the usage window stands (CTest runs this on the
// offscreen screen and on one 1000 pixels high).
TEST_F(FinestraUtilizzoProva, LaFinestraConsumiSiApreSulloSchermo) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  finestra_->show();
  const QSize cornice = finestra_->frameGeometry().size();
  finestra_->move(area.right() - cornice.width() / 2, area.bottom() - cornice.height() / 3);
  C<QPushButton>("Cmd_Statistics")->click();
  QWidget* consumi = CercaFinestra("QvAnalisiConsumi");
  ASSERT_TRUE(consumi);
  // As much of it on the screen as the screen can hold (the consumption
  // window is wider than the offscreen screen: it starts at its left edge).
  const QRect aperta = consumi->frameGeometry();
  EXPECT_TRUE(area.contains(aperta.topLeft()));
  EXPECT_EQ(aperta.intersected(area).size(), aperta.size().boundedTo(area.size()));
}

TEST_F(FinestraUtilizzoProva, LaStampaPassaAlReportIlMeseDisegnato) {
  RegistratoreAnteprime anteprime;
  anteprime.pdfScelto = Percorso("utilizzo.pdf");
  // Before any choice: the lists' "- - -" for the plate and the month, and
  // an empty grid.
  C<QPushButton>("Cmd_Print")->click();
  ASSERT_EQ(anteprime.richieste.size(), 1u);
  EXPECT_TRUE(anteprime.richieste[0].nome.startsWith("Stampa_Utilizzo_- - -_20"));
  int trattini40 = 0;
  for (const ParolaPdf& p : ParolePdf(anteprime.pdfScelto)) trattini40 += p.testo == "-" && std::abs(p.y0 - 40) < 0.3;
  EXPECT_EQ(trattini40, 6);
  EXPECT_TRUE(QuartiSegnati(anteprime.pdfScelto).isEmpty());

  TracciaMarzo();
  messaggi.messaggi.clear();
  messaggi.risposte = {Risposta::Azione};  // the user asks for the folder
  C<QPushButton>("Cmd_Print")->click();
  ASSERT_EQ(anteprime.richieste.size(), 2u);
  const QString nome = anteprime.richieste[1].nome;
  EXPECT_TRUE(nome.startsWith("Stampa_Utilizzo_AB123CD_20")) << nome.toStdString();
  const auto parole = ParolePdf(anteprime.pdfScelto);
  EXPECT_NEAR(Parola(parole, "Marzo").y0, 40, 0.3);
  EXPECT_NEAR(Parola(parole, "2013").y0, 45, 0.3);
  EXPECT_EQ(Parola(parole, "AB123CD").y0, Parola(parole, "Automezzo:").y0);
  EXPECT_EQ(QuartiSegnati(anteprime.pdfScelto), QStringList({"5 10 2", "5 10 3"}));
  // Where the file went, and its folder opened on request.
  ASSERT_EQ(messaggi.messaggi.size(), 1u) << messaggi.Testi().join('|').toStdString();
  EXPECT_EQ(messaggi.messaggi[0].testo, "Il report è stato salvato nel file PDF:\n" + anteprime.pdfScelto);
  EXPECT_EQ(messaggi.messaggi[0].azione, "Apri cartella");
  EXPECT_EQ(messaggi.cartelleAperte, QStringList{QFileInfo(anteprime.pdfScelto).absolutePath()});
}
