#include "../consumption/StampaTesto.h"
#include "FinestreProva.h"
#include "QvAnagrafica.h"

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

TEST_F(QvAnagraficaProva, MostraIMezziEScorreEntroIlimiti) {
  Registra({Mezzo("AA111AA"), Mezzo("BB222BB", -5), Mezzo("CC333CC")});
  Apri();
  Premi("Cmd_menoLista");
  EXPECT_EQ(QStringList({Testo("Txt_Targa"), Testo("Txt_Capacita"), Testo("Txt_KGasolio"),
                         Testo("Txt_Ksensore")}),
            QStringList({"AA111AA", " 250", " 1.2", " 1.125"}));
  Premi("Cmd_piuLista");
  EXPECT_EQ(Testo("Txt_Capacita"), "-5");
  Premi("Cmd_piuLista", 4);
  EXPECT_EQ(Testo("Txt_Targa"), "CC333CC");
  EXPECT_TRUE(messaggi.messaggi.empty());
}

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

// The list holds 16 vehicles; the 17th and later are reached by their plate.
TEST_F(QvAnagraficaProva, OltreSediciMezzi) {
  Mezzi mezzi;
  for (int i = 1; i <= 16; ++i) mezzi.push_back(Mezzo(QStringLiteral("M%1").arg(i)));
  Registra(mezzi);
  Apri();
  Scrivi("Txt_Targa", "M17");
  Premi("Cmd_Inserisci");
  EXPECT_TRUE(Ultimo().testo.startsWith("Mezzo M17 inserito in anagrafica. La finestra "
                                                 "mostra solo i primi 16 mezzi"));
  Scrivi("Txt_Capacita", "300");
  Premi("Cmd_Aggiorna");
  EXPECT_EQ(Registrati().back().Capacita, 300);

  Apri();
  Premi("Cmd_piuLista", 20);
  EXPECT_EQ(Testo("Txt_Targa"), "M16");
  EXPECT_EQ(Ultimo().testo,
            "L'anagrafica contiene 17 mezzi: la finestra mostra solo i primi 16.");
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
