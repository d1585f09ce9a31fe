// What the user reads depends on the language setting alone: CTest runs this
// test under LANG=C and under an English locale as well, and the screens
// are the same.
#include "FinestreProva.h"
#include "FinestreQuarvel.h"
#include "Localizzazione.h"
#include "QuarvelMain.h"

#include <QCalendarWidget>
#include <QDir>

using namespace quarvel;

namespace {
struct Schermo {
  QString titolo, kmIniziali, inizio, data, mese, carico, annulla;
  bool operator==(const Schermo&) const = default;
};
void PrintTo(const Schermo& s, std::ostream* os) {
  *os << QStringList{s.titolo, s.kmIniziali, s.inizio, s.data, s.mese, s.carico, s.annulla}
             .join(" | ").toStdString();
}

class SchermiProva : public FinestreProva {
 protected:
  void SetUp() override {
    FinestreProva::SetUp();
    Registra({"AB123CD"});
    const Istante primo = *IstanteDa(2026, 12, 3, 6, 5, 9);
    std::vector<CampioneLog> campioni;
    for (int16_t i = 0; i < 3; ++i) {
      campioni.push_back(Campione(primo + i, i, 60));
      campioni.back().Dato10 = 123456.25;
    }
    ScriviCampioni("AB123CD", campioni);
    ImpostaFabbricaFinestre(CreaFinestraQuarvel);
  }
  void TearDown() override {
    FinestreProva::TearDown();
    ImpostaFabbricaFinestre({});
  }

  // Opens the consumption window anew, analyses AB123CD and reads the screen.
  Schermo Analizza() {
    QWidget* w = ApriFinestra(FinestraLavoro::AnalisiConsumi);
    Scegli(w->findChild<QComboBox*>("Cmb_Targa"), "AB123CD");
    w->findChild<QPushButton*>("Cmd_Analizza2")->click();
    auto* data = w->findChild<QDateEdit*>("DTP_AnalStartDate");
    Schermo s{w->windowTitle(),
              w->findChild<QLabel*>("Lbl_KmInitCrusco")->text(),
              w->findChild<QLabel*>("Lbl_StartDate")->text(),
              data->text(),
              data->calendarWidget()->locale().standaloneMonthName(12),
              w->findChild<QPlainTextEdit*>("Txt_datecarico")->toPlainText(),
              QCoreApplication::translate("QPlatformTheme", "Cancel")};
    w->close();
    EliminaChiuse();
    return s;
  }
  // The report's lines after its first (which carries the instant).
  QStringList Report() {
    QDir cartella(Percorso("REPORT"));
    QStringList righe;
    for (const QString& nome : cartella.entryList(QDir::Files)) {
      righe = QString::fromUtf8(LeggiTutto(cartella.filePath(nome))).split("\r\n").mid(1);
      cartella.remove(nome);
    }
    return righe;
  }
};
}  // namespace

TEST_F(SchermiProva, OgniLinguaIlSuoFormatoQualunqueLaMacchina) {
  ImpostaLocaleUtente(QLocale::system());  // as a process starts: the machine's locale
  QuarvelMain principale;
  principale.show();
  const auto scegli = [&](const char* opzione) {
    principale.findChild<QAction*>("Mnu_Opzioni")->trigger();
    QWidget* opzioni = CercaFinestra("QuarvelOption");
    opzioni->findChild<QRadioButton*>(opzione)->click();
    opzioni->close();
  };

  EXPECT_EQ(Analizza(), (Schermo{"Quarvel - Analisi Consumi",
                                 "Kilometri iniziali cruscotto : 123456,25",
                                 "Data inizio analisi :03/12/2026 06:05:09", "03/12/2026",
                                 "dicembre", "03/12/2026 06:05:09 Iniziale:0% Finale: 60\n",
                                 "Annulla"}));
  const QStringList italiano = Report();
  EXPECT_TRUE(italiano.contains("Viaggio : 1 Dal : 03/12/2026 06:05:09 Al: 03/12/2026 06:05:11"));

  scegli("Opt_ENG");
  EXPECT_EQ(Analizza(), (Schermo{"Quarvel - Fuel Consumption Analysis",
                                 "Dashboard start kilometres : 123456.25",
                                 "Analysis start date :03/12/2026 06:05:09", "03/12/2026",
                                 "December", "03/12/2026 06:05:09 Initial:0% Final: 60\n",
                                 "Cancel"}));
  EXPECT_EQ(Report(), italiano);

  scegli("Opt_ESP");
  EXPECT_EQ(Analizza(), (Schermo{QStringLiteral("Quarvel - Análisis de consumos"),
                                 QStringLiteral("Kilómetros iniciales salpicadero : 123456,25"),
                                 QStringLiteral("Fecha inicio análisis :03/12/2026 06:05:09"),
                                 "03/12/2026", "diciembre",
                                 "03/12/2026 06:05:09 Inicial:0% Final: 60\n", "Cancelar"}));
  EXPECT_EQ(Report(), italiano);
  EXPECT_TRUE(messaggi.messaggi.empty());
}
