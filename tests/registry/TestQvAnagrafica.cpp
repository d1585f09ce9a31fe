#include "../consumption/StampaTesto.h"
#include "FinestreProva.h"
#include "ListaTarghe.h"
#include "QvAnagrafica.h"

#include <QTableWidget>

#include <memory>

using namespace quarvel;
using Mezzi = std::vector<VeicoloAnagrafica>;

namespace {
VeicoloAnagrafica Mezzo(const QString& targa, int16_t capacita = 250) {
  return {targa, "Iveco Stralis", capacita, 500, 1.2, 1.125, "note"};
}

class QvAnagraficaProva : public FinestraProva<QvAnagrafica> {
 protected:
  static void Registra(const Mezzi& mezzi) {
    DatabaseAnagrafica registro;
    registro.Apri(Imp().PercorsoAnagrafica);
    for (const auto& m : mezzi) registro.Inserisci(m);
  }
  static Mezzi Registrati() {
    DatabaseAnagrafica registro;
    registro.Apri(Imp().PercorsoAnagrafica);
    return registro.Veicoli();
  }
  void Apri() {
    finestra_ = std::make_unique<QvAnagrafica>();
    finestra_->show();
  }
  void Premi(const char* nome, int volte = 1) {
    for (int i = 0; i < volte; ++i) QTest::mouseClick(C<QPushButton>(nome), Qt::LeftButton);
  }
};

const QString FattoreNonNumerico =
    QStringLiteral("Coefficente Gasolio: il valore non è un numero (esempio: 1.2).");
}  // namespace

TEST_F(QvAnagraficaProva, AggiornaIlMezzoDellaTargaDopoLaConferma) {
  Registra({Mezzo("AA111AA"), Mezzo("BB222BB")});
  Apri();
  Premi("Cmd_piuLista");
  Scrivi("Txt_MarcaModello", "");
  Scrivi("Txt_Capacita", "400 litri");
  Scrivi("Txt_KGasolio", "1,25");  // the user's separator; the shown " 1.125" stays
  messaggi.risposte = {Risposta::Annulla};
  Premi("Cmd_Aggiorna");
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  EXPECT_EQ(messaggi.messaggi[0].pulsanti, Pulsanti::OkAnnulla);
  EXPECT_EQ(Registrati(), (Mezzi{Mezzo("AA111AA"), Mezzo("BB222BB")}));

  Premi("Cmd_Aggiorna");
  EXPECT_EQ(Registrati(), (Mezzi{Mezzo("AA111AA"), {"BB222BB", " ", 400, 500, 1.25, 1.125, "note"}}));

  Scrivi("Txt_Targa", "ZZ999ZZ");
  Premi("Cmd_Aggiorna");
  EXPECT_TRUE(Ultimo().testo.startsWith("Nessun mezzo con targa ZZ999ZZ"));
  EXPECT_EQ(Registrati().size(), 2u);
}

TEST_F(QvAnagraficaProva, InserisceERifiutaTargheDoppieOVuoteEFattoriNonNumerici) {
  Registra({Mezzo("AA111AA")});
  Apri();
  Scrivi("Txt_Targa", " DD444DD ");
  Scrivi("Txt_MarcaModello", "");
  Scrivi("Txt_Capacita", "trecento");
  Scrivi("Txt_Ksensore", "0,556");
  Premi("Cmd_Inserisci");
  EXPECT_EQ(Registrati().back(), (VeicoloAnagrafica{"DD444DD", " ", 0, 500, 1.2, 0.556, "note"}));
  messaggi.messaggi.clear();

  const QByteArray prima = LeggiTutto(Imp().PercorsoAnagrafica);
  for (const char* targa : {"aa111aa", "", "..", "EE555EE"}) {
    Scrivi("Txt_Targa", targa);
    if (QString(targa) == "EE555EE") Scrivi("Txt_KGasolio", "1.234,5");
    Premi("Cmd_Inserisci");
  }
  EXPECT_EQ(messaggi.Testi(), (QStringList{"Il mezzo con targa AA111AA è già presente in anagrafica",
                                           "Inserire la targa del mezzo.",
                                           "La targa non può contenere i caratteri \\ / : * ? \" < > |, "
                                           "caratteri di controllo o \"..\"",
                                           FattoreNonNumerico}));
  EXPECT_EQ(messaggi.messaggi[3].icona, Icona::Critica);
  EXPECT_TRUE(LeggiTutto(Imp().PercorsoAnagrafica) == prima);
}

TEST_F(QvAnagraficaProva, CalcolaKSensore) {
  Apri();
  for (const auto& [c, h, g, k] : {std::tuple{"250", "500", "1", "0,500"}, {" 400", "600", " 1.2", "0,556"},
                                   {"400", "0", "1", ""}, {"400", "600", "uno", ""},
                                   {"400", "600", "0", ""}, {"400", "1", "1e-320", ""}}) {
    Scrivi("Txt_Capacita", c);
    Scrivi("Txt_Altezza", h);
    Scrivi("Txt_KGasolio", g);
    Premi("Cmd_calcolaK");
    if (*k) {
      EXPECT_EQ(Testo("Txt_Ksensore"), k);
    }
  }
  EXPECT_EQ(messaggi.Testi(),
            (QStringList{"Impossibile calcolare K sensore: l'altezza del serbatoio è 0.",
                         FattoreNonNumerico,
                         "Impossibile calcolare K sensore: il coefficiente gasolio è 0.",
                         "Impossibile calcolare K sensore: il coefficiente gasolio è troppo piccolo."}));
  EXPECT_EQ(Testo("Txt_Ksensore"), "0,556");
}

// The boxes show a vehicle's numbers with a blank for the sign; the table
// lists every vehicle, the 17th too, as the registry holds it now; choosing
// a row shows it, and "-" and "+" go on from there through the first 16.
TEST_F(QvAnagraficaProva, LaTabellaElencaTuttiIMezzi) {
  Mezzi mezzi;
  for (int i = 1; i <= 17; ++i) mezzi.push_back(Mezzo(QStringLiteral("M%1").arg(i)));
  mezzi[1].Capacita = -5;
  mezzi[16].KGasolio = 0.95;
  Registra(mezzi);
  Apri();
  EXPECT_EQ(Ultimo().testo, "L'anagrafica contiene 17 mezzi: i pulsanti - e + scorrono i primi 16, "
                            "gli altri si scelgono nell'elenco.");
  Premi("Cmd_menoLista");
  EXPECT_EQ(QStringList({Testo("Txt_Targa"), Testo("Txt_Capacita"), Testo("Txt_KGasolio"),
                         Testo("Txt_Ksensore")}),
            QStringList({"M1", " 250", " 1.2", " 1.125"}));
  Premi("Cmd_piuLista");
  EXPECT_EQ(Testo("Txt_Capacita"), "-5");
  auto* tabella = C<QTableWidget>("Tbl_Mezzi");
  ASSERT_EQ(tabella->rowCount(), 17);
  QStringList riga;
  for (int c = 0; c < tabella->columnCount(); ++c) riga << tabella->item(16, c)->text();
  EXPECT_EQ(riga, (QStringList{"M17", "Iveco Stralis", "250", "500", "0.95", "1.125"}));

  tabella->setCurrentCell(16, 3);
  EXPECT_EQ(QStringList({Testo("Txt_Targa"), Testo("Txt_KGasolio")}), QStringList({"M17", " 0.95"}));
  tabella->setCurrentCell(2, 0);
  Premi("Cmd_piuLista");
  EXPECT_EQ(Testo("Txt_Targa"), "M4");
  EXPECT_EQ(tabella->currentRow(), 3);
  Premi("Cmd_piuLista", 20);
  EXPECT_EQ(Testo("Txt_Targa"), "M16");

  // A store shows in the table at once.
  Scrivi("Txt_Capacita", "300");
  Premi("Cmd_Aggiorna");
  EXPECT_EQ(tabella->item(15, 2)->text(), "300");
  EXPECT_EQ(Registrati()[15].Capacita, 300);
}

// Elimina removes the shown vehicle after a confirmation; its files stay
// and are named, and the plate lists of the open windows lose it at once.
TEST_F(QvAnagraficaProva, EliminaDopoLaConfermaELasciaIDati) {
  Registra({Mezzo("AA111AA"), Mezzo("BB222BB"), Mezzo("CC333CC")});
  for (const char* nome : {"DATA/BB222BB_ 2025.mdb", "DATA/BB222BB_ 2025.txt", "DATA/BB222BB_X_ 2025.mdb"})
    ScriviTutto(Percorso(nome), "x");
  QDir().mkpath(Percorso("DATA/BB222BB_2026-12-04_ 1"));
  QWidget altra;  // another window, in the background, with BB222BB chosen
  auto* targhe = new QComboBox(&altra);
  targhe->addItem("- - -");
  ASSERT_TRUE(CollegaListaTarghe(targhe));
  targhe->setCurrentIndex(2);
  Apri();
  Premi("Cmd_piuLista");

  messaggi.risposte = {Risposta::Annulla};
  Premi("Cmd_Elimina");
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  EXPECT_EQ(messaggi.messaggi[0].pulsanti, Pulsanti::OkAnnulla);
  EXPECT_TRUE(messaggi.messaggi[0].testo.startsWith("Eliminare il mezzo BB222BB dall'anagrafica?"));
  EXPECT_EQ(Registrati().size(), 3u);

  Premi("Cmd_Elimina");
  EXPECT_EQ(Registrati(), (Mezzi{Mezzo("AA111AA"), Mezzo("CC333CC")}));
  EXPECT_EQ(Ultimo().testo, "Mezzo BB222BB eliminato dall'anagrafica.\nI suoi dati restano nella cartella " +
                                PercorsoDati("DATA") +
                                ":\nBB222BB_ 2025.mdb\nBB222BB_ 2025.txt\nBB222BB_2026-12-04_ 1");
  EXPECT_TRUE(QFile::exists(Percorso("DATA/BB222BB_ 2025.mdb")));
  EXPECT_EQ(C<QTableWidget>("Tbl_Mezzi")->rowCount(), 2);
  EXPECT_EQ(Testo("Txt_Targa"), "CC333CC");
  Premi("Cmd_menoLista");
  EXPECT_EQ(Testo("Txt_Targa"), "AA111AA");
  EXPECT_EQ(QStringList({targhe->itemText(1), targhe->itemText(2), targhe->currentText()}),
            QStringList({"AA111AA", "CC333CC", "- - -"}));
  EXPECT_EQ(targhe->count(), 3);

  // A plate the registry does not hold is said at once, nothing asked.
  const std::size_t prima = messaggi.messaggi.size();
  Scrivi("Txt_Targa", "BB222BB");
  Premi("Cmd_Elimina");
  EXPECT_EQ(messaggi.messaggi.size(), prima + 1);
  EXPECT_EQ(Ultimo().testo, "Nessun mezzo con targa BB222BB in anagrafica.");
}

// A capacity another program stored beyond 16 bits is shown and reported as
// it is, and cannot be stored back until corrected.
TEST_F(QvAnagraficaProva, MisuraFuoriScalaSegnalataNonTroncata) {
  Registra({Mezzo("AA111AA")});
  Connessione c;
  ASSERT_TRUE(c.Apri(Imp().PercorsoAnagrafica));
  ASSERT_TRUE(c.Esegui("UPDATE Anagrafica SET Capacita = 65786"));  // 250 when wrapped
  c.Chiudi();
  Apri();
  EXPECT_EQ(Testo("Txt_Capacita"), " 65786");
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  EXPECT_TRUE(messaggi.Testi()[0].contains("AA111AA - Capacità Serbatoio [Litri]: 65786"));
  Premi("Cmd_Inserisci");
  EXPECT_EQ(Ultimo().testo,
            "Capacità Serbatoio [Litri]: valore fuori scala (da -32768 a 32767).");
}

TEST_F(QvAnagraficaProva, UnRegistroIllegibileLasciaLeCaselleVuote) {
  Imp().PercorsoAnagrafica = Percorso("DB/manca.mdb");
  Apri();
  Premi("Cmd_piuLista");
  EXPECT_EQ(Testo("Txt_Targa"), "");
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  EXPECT_TRUE(messaggi.messaggi[0].testo.startsWith("Impossibile aprire il database"));
}
