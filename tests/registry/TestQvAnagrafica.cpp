#include "../consumption/StampaTesto.h"
#include "CartellaProva.h"
#include "Impostazioni.h"
#include "QvAnagrafica.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace quarvel {
void PrintTo(const VeicoloAnagrafica& v, std::ostream* os) {
  *os << QStringLiteral("{%1|%2|%3|%4|%5|%6|%7}").arg(v.Targa, v.MarcaModello).arg(v.Capacita)
             .arg(v.Altezza).arg(v.KGasolio).arg(v.KSensore).arg(v.AltreInfo).toStdString();
}
}  // namespace quarvel

using namespace quarvel;
using Mezzi = std::vector<VeicoloAnagrafica>;

namespace {
VeicoloAnagrafica Mezzo(const QString& targa, int16_t capacita = 250) {
  return {targa, "Iveco Stralis", capacita, 500, 1.2, 1.125, "note"};
}

class QvAnagraficaProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    InizializzaDefault();
  }
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
  QString Testo(const char* nome) const { return finestra_->findChild<QLineEdit*>(nome)->text(); }
  QStringList Testi(std::initializer_list<const char*> nomi) const {
    QStringList t;
    for (const char* n : nomi)
      if (auto* e = finestra_->findChild<QLabel*>(n)) t << e->text();
      else t << Testo(n);
    return t;
  }
  void Scrivi(const char* nome, const QString& testo) {
    auto* casella = finestra_->findChild<QLineEdit*>(nome);
    casella->selectAll();
    QTest::keyClick(casella, Qt::Key_Delete);
    QTest::keyClicks(casella, testo);
  }
  void Premi(const char* nome, int volte = 1) {
    for (int i = 0; i < volte; ++i)
      QTest::mouseClick(finestra_->findChild<QPushButton*>(nome), Qt::LeftButton);
  }

  RegistratoreMessaggi messaggi;
  std::unique_ptr<QvAnagrafica> finestra_;
};

const QString FattoreNonNumerico =
    QStringLiteral("Coefficente Gasolio: il valore non è un numero (esempio: 1.2).");
}  // namespace

TEST_F(QvAnagraficaProva, MostraIMezziEScorreEntroIlimiti) {
  Registra({Mezzo("AA111AA"), Mezzo("BB222BB", -5), Mezzo("CC333CC")});
  Apri();
  EXPECT_EQ(finestra_->windowTitle(), "Quarvel - Anagrafica");
  EXPECT_EQ(Testi({"Lbl_Targa", "Lbl_MarcaModello", "Lbl_Capacita", "Lbl_Altezza", "Lbl_KGasolio",
                   "Lbl_Ksensore", "Lbl_AltreInfo"}),
            (QStringList{"Targa:", "Marca - Modello", "Capacità Serbatoio [Litri]",
                         "Altezza Serbatoio [mm]", "Coefficente Gasolio", "K-sensore", "Altre info"}));
  const auto mostrato = [this] {
    return Testi({"Txt_Targa", "Txt_MarcaModello", "Txt_Capacita", "Txt_Altezza", "Txt_KGasolio",
                  "Txt_Ksensore", "Txt_AltreInfo"});
  };
  const QStringList primo{"AA111AA", "Iveco Stralis", " 250", " 500", " 1.2", " 1.125", "note"};
  EXPECT_EQ(mostrato(), primo);
  Premi("Cmd_menoLista");
  EXPECT_EQ(mostrato(), primo);
  Premi("Cmd_piuLista");
  EXPECT_EQ(Testo("Txt_Capacita"), "-5");
  Premi("Cmd_piuLista", 4);
  EXPECT_EQ(Testo("Txt_Targa"), "CC333CC");
  Premi("Cmd_menoLista", 2);
  EXPECT_EQ(Testo("Txt_Targa"), "AA111AA");
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
  const Messaggio& domanda = messaggi.messaggi[0];
  EXPECT_EQ(domanda.testo, "Aggiornare i dati del mezzo?");
  EXPECT_EQ(domanda.titolo, "Richiesta conferma");
  EXPECT_EQ(domanda.icona, Icona::Domanda);
  EXPECT_EQ(domanda.pulsanti, Pulsanti::OkAnnulla);
  EXPECT_EQ(Registrati(), (Mezzi{Mezzo("AA111AA"), Mezzo("BB222BB")}));

  Premi("Cmd_Aggiorna");
  EXPECT_EQ(Registrati(), (Mezzi{Mezzo("AA111AA"), {"BB222BB", " ", 400, 500, 1.25, 1.125, "note"}}));
  Premi("Cmd_menoLista");  // the list keeps what it loaded
  Premi("Cmd_piuLista");
  EXPECT_EQ(Testo("Txt_Capacita"), " 250");

  Scrivi("Txt_Targa", "ZZ999ZZ");
  Premi("Cmd_Aggiorna");
  EXPECT_EQ(messaggi.Testi().last(),
            "Nessun mezzo con targa ZZ999ZZ in anagrafica: per un mezzo nuovo usare Inserisci.");
  EXPECT_EQ(Registrati().size(), 2u);
}

TEST_F(QvAnagraficaProva, InserisceUnMezzoNuovo) {
  Apri();  // an empty registry: empty boxes
  Premi("Cmd_piuLista");
  EXPECT_EQ(Testo("Txt_Targa"), "");
  Scrivi("Txt_Targa", " DD444DD ");
  Scrivi("Txt_Capacita", "trecento");
  Scrivi("Txt_Altezza", "600");
  Scrivi("Txt_KGasolio", "1.2");
  Scrivi("Txt_Ksensore", "0,556");
  Premi("Cmd_Inserisci");
  EXPECT_EQ(Registrati(), (Mezzi{{"DD444DD", " ", 0, 600, 1.2, 0.556, " "}}));
  EXPECT_EQ(messaggi.messaggi.at(0).icona, Icona::Informazione);
}

TEST_F(QvAnagraficaProva, RifiutaTargheDoppieOVuoteEFattoriNonNumerici) {
  Registra({Mezzo("AA111AA")});
  Apri();
  const QByteArray prima = LeggiTutto(Imp().PercorsoAnagrafica);
  Scrivi("Txt_Targa", "aa111aa");
  Premi("Cmd_Inserisci");
  Scrivi("Txt_Targa", "");
  Premi("Cmd_Inserisci");
  Scrivi("Txt_Targa", "EE555EE");
  Scrivi("Txt_KGasolio", "1.234,5");
  Premi("Cmd_Inserisci");
  Premi("Cmd_Aggiorna");
  EXPECT_EQ(messaggi.Testi(), (QStringList{"Il mezzo con targa AA111AA è già presente in anagrafica",
                                           "Inserire la targa del mezzo.", FattoreNonNumerico,
                                           FattoreNonNumerico}));
  EXPECT_EQ(messaggi.messaggi[2].icona, Icona::Critica);
  EXPECT_TRUE(LeggiTutto(Imp().PercorsoAnagrafica) == prima);
}

TEST_F(QvAnagraficaProva, CalcolaKSensore) {
  Apri();
  for (const auto& [c, h, g, k] : {std::tuple{"250", "500", "1", "0,500"}, {" 400", "600", " 1.2", "0,556"}}) {
    Scrivi("Txt_Capacita", c);
    Scrivi("Txt_Altezza", h);
    Scrivi("Txt_KGasolio", g);
    Premi("Cmd_calcolaK");
    EXPECT_EQ(Testo("Txt_Ksensore"), k);
  }
  EXPECT_TRUE(messaggi.messaggi.empty());

  for (const auto& [h, g] : {std::pair{"0", "1"}, {"600", "uno"}, {"600", "0"}}) {
    Scrivi("Txt_Altezza", h);
    Scrivi("Txt_KGasolio", g);
    Premi("Cmd_calcolaK");
  }
  EXPECT_EQ(messaggi.Testi(),
            (QStringList{"Impossibile calcolare K sensore: l'altezza del serbatoio è 0.",
                         FattoreNonNumerico,
                         "Impossibile calcolare K sensore: il coefficiente gasolio è 0."}));
  EXPECT_EQ(Testo("Txt_Ksensore"), "0,556");
}

TEST_F(QvAnagraficaProva, OltreSediciMezziNeMostraSediciEAvvisaUnaVolta) {
  Mezzi mezzi;
  for (int i = 1; i <= 18; ++i) mezzi.push_back(Mezzo(QStringLiteral("M%1").arg(i)));
  Registra(mezzi);
  Apri();
  Premi("Cmd_piuLista", 20);
  EXPECT_EQ(Testo("Txt_Targa"), "M16");
  EXPECT_EQ(messaggi.Testi(),
            QStringList{"L'anagrafica contiene 18 mezzi: la finestra mostra solo i primi 16."});
}

TEST_F(QvAnagraficaProva, UnRegistroIllegibileLasciaLeCaselleVuote) {
  Imp().PercorsoAnagrafica = Percorso("DB/manca.mdb");
  Apri();
  Premi("Cmd_piuLista");
  EXPECT_EQ(Testo("Txt_Targa"), "");
  ASSERT_EQ(messaggi.messaggi.size(), 1u);
  EXPECT_TRUE(messaggi.messaggi[0].testo.startsWith("Impossibile aprire il database"));
}
