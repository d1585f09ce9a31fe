// The usage window: its wiring to the registry, the store, the scan, the
// grid's mouse and the consumption window (the scan is tested apart).
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

#include "Anagrafica.h"
#include "AnteprimaStampa.h"
#include "DatabaseVeicolo.h"
#include "FinestraUnica.h"
#include "FinestreProva.h"
#include "GrigliaAttivita.h"
#include "PdfProva.h"
#include "QvAnalisiConsumi.h"
#include "QvAnalisiUtilizzo2.h"

using namespace quarvel;

namespace {
const QColor kVerde(0, 255, 0), kGiallo(255, 255, 0), kBianco(255, 255, 255);

class FinestraUtilizzoProva : public FinestreProva {
 protected:
  void SetUp() override {
    FinestreProva::SetUp();
    ASSERT_TRUE(ApriAnagrafica(Imp().PercorsoAnagrafica));
    for (const char* targa : {"AB123CD", "VU000TO", "ZZ999ZZ"})
      ASSERT_TRUE(InserisciAnagrafica({targa, "Camion", 250, 60, 1, 1, {}}));
    ChiudiAnagrafica();
    // AB123CD: from 28 February to 5 April 2013; VU000TO: no samples;
    // ZZ999ZZ: no database.
    Scrivi("AB123CD", {*IstanteDa(2013, 2, 28, 7, 0, 0), *IstanteDa(2013, 3, 5, 10, 44, 59),
                       *IstanteDa(2013, 3, 5, 10, 45, 0), *IstanteDa(2013, 4, 5, 18, 30, 12)});
    Scrivi("VU000TO", {});
    finestra_ = std::make_unique<QvAnalisiUtilizzo2>();
  }
  void Scrivi(const char* targa, const std::vector<Istante>& istanti) {
    ASSERT_TRUE(ApriDatabaseVeicolo(targa, Imp().AnnoDB, 0).esito);
    for (Istante t : istanti) {
      CampioneLog c;
      c.TimeDate = c.TimeDateLH = t;
      ASSERT_EQ(ScriviRecordLogs(c), 0);
    }
    ChiudiLogs();
  }

  template <typename T>
  T* C(const char* nome) {
    T* c = finestra_->findChild<T*>(nome);
    EXPECT_TRUE(c) << nome;
    return c;
  }
  QString Testo(const char* nome) { return C<QLineEdit>(nome)->text(); }
  void Scegli(const char* elenco, const QString& voce) {
    auto* cmb = C<QComboBox>(elenco);
    const int i = cmb->findText(voce);
    ASSERT_GE(i, 0) << voce.toStdString();
    cmb->setCurrentIndex(i);
    emit cmb->activated(i);
  }
  void Mese(const QString& mese, const QString& anno) {
    Scegli("Cmb_mese", mese);
    Scegli("Cmb_anno", anno);
  }
  void Traccia() { C<QPushButton>("Cmd_TrackMese")->click(); }
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
  QString Etichetta(const char* nome) { return C<QLabel>(nome)->text(); }

  std::unique_ptr<QvAnalisiUtilizzo2> finestra_;
};
}  // namespace

TEST_F(FinestraUtilizzoProva, AllAperturaIMesiGliAnniEIPulsanti) {
  EXPECT_EQ(finestra_->windowTitle(), "Quarvel - Analisi Utilizzo");
  auto* mesi = C<QComboBox>("Cmb_mese");
  ASSERT_EQ(mesi->count(), 12);
  EXPECT_EQ(mesi->itemText(0), "Gennaio");
  EXPECT_EQ(mesi->itemText(11), "Dicembre");
  auto* anni = C<QComboBox>("Cmb_anno");
  ASSERT_EQ(anni->count(), 21);
  EXPECT_EQ(anni->itemText(20), "2030");
  EXPECT_EQ(C<QComboBox>("Cmb_Targa")->count(), 3);
  for (const char* elenco : {"Cmb_Targa", "Cmb_mese", "Cmb_anno"}) {
    EXPECT_EQ(C<QComboBox>(elenco)->currentIndex(), -1);
    EXPECT_FALSE(C<QComboBox>(elenco)->isEditable());
  }
  EXPECT_EQ(Etichetta("Label6"), "Mezzo da analizzare :");
  EXPECT_EQ(Etichetta("Label2"), "Selezionare periodo");
  EXPECT_TRUE(MostraImmagine(C<QPushButton>("Cmd_Statistics"),
                             Percorso("images/button3D_gray_Statistics_IT.bmp")));
  EXPECT_TRUE(C<QPushButton>("Cmd_Print")->isEnabled());
  EXPECT_EQ(Griglia()->Modello().data(Griglia()->model()->index(31, 0), Qt::DisplayRole), "31");
  EXPECT_TRUE(messaggi.messaggi.empty());
}

TEST_F(FinestraUtilizzoProva, LaTargaMostraIlDatabaseEPropostaIlMeseDellUltimoCampione) {
  Scegli("Cmb_Targa", "AB123CD");
  EXPECT_EQ(Testo("Txt_NomeDBAnalizze"), Percorso("DATA/AB123CD_ " + Imp().AnnoDB + ".mdb"));
  EXPECT_EQ(Testo("Txt_DBdal"), "28/02/2013 07:00:00");
  EXPECT_EQ(Testo("Txt_DBal"), "05/04/2013 18:30:12");
  EXPECT_EQ(C<QComboBox>("Cmb_mese")->currentText(), "Aprile");
  EXPECT_EQ(C<QComboBox>("Cmb_anno")->currentText(), "2013");
  EXPECT_TRUE(messaggi.messaggi.empty());

  Scegli("Cmb_Targa", "ZZ999ZZ");
  EXPECT_EQ(messaggi.Testi().last(),
            "Non esistono dati del mezzo targato ZZ999ZZ per l'anno " + Imp().AnnoDB);
  EXPECT_EQ(Testo("Txt_DBal"), "05/04/2013 18:30:12");
  // The missing database is what the track command now opens: it says so.
  Traccia();
  EXPECT_TRUE(messaggi.Testi().last().contains("ZZ999ZZ_ " + Imp().AnnoDB + ".mdb"));
  EXPECT_EQ(messaggi.messaggi.back().icona, Icona::Critica);

  Scegli("Cmb_Targa", "VU000TO");
  EXPECT_EQ(messaggi.Testi().last(), "Database vuoto - Errore 1");
  EXPECT_EQ(Testo("Txt_DBdal"), "28/02/2013 07:00:00");
}

TEST_F(FinestraUtilizzoProva, LaTracciaColoraIQuartiDOraAttivi) {
  Traccia();
  EXPECT_EQ(messaggi.messaggi.back().titolo, "Avviso");
  EXPECT_EQ(messaggi.Testi().last(), "Selezionare il mese e l'anno da analizzare");
  Mese("Marzo", "2013");
  Traccia();
  EXPECT_EQ(messaggi.Testi().last(), "Selezionare il mezzo da analizzare");
  ASSERT_EQ(messaggi.messaggi.size(), 2u);

  Scegli("Cmb_Targa", "AB123CD");
  Mese("Marzo", "2013");
  Traccia();
  EXPECT_EQ(messaggi.messaggi.size(), 2u);
  EXPECT_EQ(Colore(5, 43), kVerde);
  EXPECT_EQ(Colore(5, 44), kVerde);
  EXPECT_EQ(Colorate(kVerde), 2);
  EXPECT_TRUE(finestra_->Attivita().Attivo(5, 10, 2));

  // The test pattern paints over the grid, and leaves the matrix alone.
  C<QPushButton>("Command1")->click();
  EXPECT_EQ(Colore(31, 96), kGiallo);
  EXPECT_EQ(Colore(24, 93), kGiallo);
  EXPECT_EQ(Colorate(kGiallo), 35);

  // A month without samples: its message, and only the day numbers left.
  Mese("Gennaio", "2013");
  Traccia();
  EXPECT_EQ(messaggi.Testi().last(), "Non ci sono dati disponibili per il perido selezionato");
  EXPECT_EQ(messaggi.messaggi.back().icona, Icona::Nessuna);
  EXPECT_EQ(Colorate(kBianco), 31 * 96);
  EXPECT_TRUE(finestra_->Attivita().Vuota());
}

TEST_F(FinestraUtilizzoProva, UnDatabaseRovinatoDaIlSuoErroreENonUnMeseParziale) {
  std::vector<Istante> t;
  for (int i = 0; i < 4 * 3600; ++i) t.push_back(*IstanteDa(2013, 3, 6, 8, 0, 0) + i);
  Scrivi("AB123CD", t);
  Scegli("Cmb_Targa", "AB123CD");
  QFile file(Percorso("DATA/AB123CD_ " + Imp().AnnoDB + ".mdb"));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.seek(4 * 65536);
  file.write(QByteArray(65536, '\x5a'));
  file.close();
  Mese("Marzo", "2013");
  Traccia();
  EXPECT_EQ(messaggi.Testi().last(),
            "Errore Database, comunicare Err: database disk image is malformed");
  EXPECT_EQ(Colorate(kVerde), 0);
  EXPECT_TRUE(C<QPushButton>("Cmd_TrackMese")->isEnabled());
}

TEST_F(FinestraUtilizzoProva, IlTrascinamentoSegnaIlPeriodoCheLeStatisticheRicevono) {
  Scegli("Cmb_Targa", "AB123CD");
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
  C<QPushButton>("Cmd_Statistics")->click();
  EXPECT_EQ(consumi, CercaFinestra("QvAnalisiConsumi"));
  EXPECT_EQ(consumi->findChild<QComboBox*>("Cmb_Targa")->currentText(), "AB123CD");
  EXPECT_EQ(consumi->findChild<QLineEdit*>("Txt_NomeDBAnalizze")->text(),
            Percorso("DATA/AB123CD_ " + Imp().AnnoDB + ".mdb"));
  EXPECT_EQ(consumi->findChild<QDateEdit*>("DTP_AnalStartDate")->date(), QDate(2013, 3, 5));
  EXPECT_EQ(consumi->findChild<QDateEdit*>("DTP_AnalStopDate")->date(), QDate(2013, 3, 5));
  QStringList ore;
  for (const char* c : {"Txt_AnalStartH", "Txt_AnalStartMin", "Txt_AnalStopH", "Txt_AnalStopMin"})
    ore << consumi->findChild<QLineEdit*>(c)->text();
  EXPECT_EQ(ore, QStringList({"0", "0", "1", "0"}));

  // Released over the last column: the day's last second.
  QTest::mousePress(area, Qt::LeftButton, {}, Cella(6, 40));
  QTest::mouseMove(area, Cella(6, 96));
  QTest::mouseRelease(area, Qt::LeftButton, {}, Cella(6, 96));
  EXPECT_EQ(Etichetta("Label4"), "2013/03/06 23:59:59");

  // February has no 30th: a press there changes nothing.
  Mese("Febbraio", "2013");
  QTest::mousePress(area, Qt::LeftButton, {}, Cella(30, 8));
  QTest::mouseRelease(area, Qt::LeftButton, {}, Cella(30, 8));
  EXPECT_EQ(Etichetta("Label2"), "2013/03/06 09:45");
  EXPECT_EQ(Etichetta("Label4"), "2013/03/06 23:59:59");
  C<QPushButton>("Cmd_Statistics")->click();
  EXPECT_EQ(consumi->findChild<QLineEdit*>("Txt_AnalStopMin")->text(), "59");
  EXPECT_TRUE(messaggi.messaggi.empty());
}

TEST_F(FinestraUtilizzoProva, LaStampaPassaAlReportIlMeseDisegnato) {
  RegistratoreAnteprime anteprime;
  anteprime.pdfScelto = Percorso("utilizzo.pdf");
  // Before any choice: the lists' "- - -" and an empty grid.
  C<QPushButton>("Cmd_Print")->click();
  ASSERT_EQ(anteprime.richieste.size(), 1u);
  EXPECT_TRUE(anteprime.richieste[0].nome.startsWith("Stampa_Utilizzo_- - -_20"));
  int trattini40 = 0, trattini45 = 0;  // the month and the plate; the year
  for (const ParolaPdf& p : ParolePdf(anteprime.pdfScelto)) {
    trattini40 += p.testo == "-" && std::abs(p.y0 - 40) < 0.3;
    trattini45 += p.testo == "-" && std::abs(p.y0 - 45) < 0.3;
  }
  EXPECT_EQ(trattini40, 6);
  EXPECT_EQ(trattini45, 3);
  EXPECT_TRUE(QuartiSegnati(anteprime.pdfScelto).isEmpty());

  Scegli("Cmb_Targa", "AB123CD");
  Mese("Marzo", "2013");
  Traccia();
  C<QPushButton>("Cmd_Print")->click();
  ASSERT_EQ(anteprime.richieste.size(), 2u);
  const QString nome = anteprime.richieste[1].nome;
  EXPECT_TRUE(nome.startsWith("Stampa_Utilizzo_AB123CD_20")) << nome.toStdString();
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    EXPECT_EQ(anteprime.richieste[1].fileProposto, Percorso("REPORT/" + nome + ".pdf"));
  }
  const auto parole = ParolePdf(anteprime.pdfScelto);
  EXPECT_NEAR(Parola(parole, "Marzo").y0, 40, 0.3);
  EXPECT_NEAR(Parola(parole, "2013").y0, 45, 0.3);
  EXPECT_EQ(Parola(parole, "AB123CD").y0, Parola(parole, "Automezzo:").y0);
  EXPECT_EQ(QuartiSegnati(anteprime.pdfScelto), QStringList({"5 10 2", "5 10 3"}));
  EXPECT_TRUE(messaggi.messaggi.empty()) << messaggi.Testi().join('|').toStdString();
}
