#include "FinestreProva.h"

#include <QDate>

using namespace quarvel;

class ImpostazioniProva : public FinestreProva {
 protected:
  void ScriviIniProva(const QByteArray& byte) { ScriviTutto(Percorso("Quarvelini.ini"), byte); }
};

TEST_F(ImpostazioniProva, SenzaFileValgonoIDefault) {
  const EsitoLetturaIni esito = LeggiIni();
  EXPECT_FALSE(esito.trovato);
  EXPECT_FALSE(esito.Difettoso());
  const Impostazioni& i = Imp();
  EXPECT_EQ(i.TipoDB, 0);
  EXPECT_EQ(i.CapacitaSerbatoio, 250);
  EXPECT_EQ(i.LivelloAllertGasolio, 25);
  EXPECT_EQ(i.LivelloAllertVelocita, 0);
  EXPECT_EQ(i.Lingua, 0);
  EXPECT_EQ(i.CodiceLingua, "IT");
  EXPECT_EQ(i.PercorsoAnagrafica, Percorso("DB/Anagrafica97.mdb"));
  EXPECT_EQ(i.AnnoDB, QString::number(QDate::currentDate().year()));
  EXPECT_EQ(i.AnnoDB.size(), 4);
}

TEST_F(ImpostazioniProva, FileScrittoERilettoSenzaTipoReport) {
  Impostazioni& i = Imp();
  i.TipoDB = 2;
  i.CapacitaSerbatoio = 300;
  i.LivelloAllertGasolio = 30;
  i.LivelloAllertVelocita = -1;
  i.TipoReport = 7;
  i.Lingua = 1;
  ASSERT_TRUE(ScriviIni().ok);
  EXPECT_EQ(LeggiTutto(Percorso("Quarvelini.ini")), LeggiTutto(DatoProva("Quarvelini.ini")));

  InizializzaDefault();
  EXPECT_FALSE(LeggiIni().Difettoso());
  EXPECT_EQ(i.TipoDB, 2);
  EXPECT_EQ(i.CapacitaSerbatoio, 300);
  EXPECT_EQ(i.LivelloAllertGasolio, 30);
  EXPECT_EQ(i.LivelloAllertVelocita, -1);
  EXPECT_EQ(i.TipoReport, 0);
  EXPECT_EQ(i.Lingua, 1);
  EXPECT_EQ(i.CodiceLingua, "EN");
}

TEST_F(ImpostazioniProva, ValoriLettiConTolleranza) {
  // LF line ends and a Latin-1 label, as an older installation left them.
  ScriviIniProva("File ini Quarvel\nTipoDB:\n2.5\nCapacit\xe0 serbatoio:\n250 km\n"
                 "Livello Allert Gasolio:\n3.5\nLivello Allert Velocit\xe0\n\n"
                 "Tipo report\n 9\nLingua\n2\n");
  EXPECT_FALSE(LeggiIni().Difettoso());
  EXPECT_EQ(Imp().TipoDB, 2);
  EXPECT_EQ(Imp().CapacitaSerbatoio, 250);
  EXPECT_EQ(Imp().LivelloAllertGasolio, 4);
  EXPECT_EQ(Imp().LivelloAllertVelocita, 0);  // an empty line reads as 0
  EXPECT_EQ(Imp().TipoReport, 0);
  EXPECT_EQ(Imp().CodiceLingua, "ES");

  // A language index with no language leaves the code as it was.
  ScriviIniProva("File ini Quarvel\r\nTipoDB:\r\n 0\r\nx\r\n 250\r\nx\r\n 25\r\nx\r\n 0\r\n"
                 "x\r\n 0\r\nLingua\r\n 7\r\n");
  InizializzaDefault();
  LeggiIni();
  EXPECT_EQ(Imp().Lingua, 7);
  EXPECT_EQ(Imp().CodiceLingua, "IT");
}

TEST_F(ImpostazioniProva, RigheMancantiOFuoriScalaTengonoIDefault) {
  ScriviIniProva("File ini Quarvel\r\nTipoDB:\r\n 1\r\nCapacit\xc3\xa0 serbatoio:\r\n 40000\r\n"
                 "Livello Allert Gasolio:\r\n-32769\r\n");
  const EsitoLetturaIni esito = LeggiIni();
  EXPECT_TRUE(esito.Difettoso());
  EXPECT_EQ(esito.valoriFuoriScala,
            (QStringList{QStringLiteral("Capacità serbatoio"), "Livello Allert Gasolio"}));
  EXPECT_EQ(esito.valoriMancanti,
            (QStringList{QStringLiteral("Livello Allert Velocità"), "Lingua"}));
  EXPECT_EQ(Imp().TipoDB, 1);
  EXPECT_EQ(Imp().CapacitaSerbatoio, 250);
  EXPECT_EQ(Imp().LivelloAllertGasolio, 25);
  EXPECT_EQ(Imp().CodiceLingua, "IT");
  EXPECT_TRUE(esito.Descrizione().contains(QStringLiteral("Valori fuori scala: Capacità serbatoio")));
}

TEST_F(ImpostazioniProva, RegistroAttivitaAccodaDueRighePerVoce) {
  ScriviTutto(Percorso("Quarvelini.Log"), "Prima\r\n 1\r\n");
  EXPECT_TRUE(ScriviFileLog(QStringLiteral("Carica4hGrafico"), 250));
  EXPECT_TRUE(ScriviFileLog(QStringLiteral("Play"), -1));
  EXPECT_EQ(LeggiTutto(Percorso("Quarvelini.Log")),
            QByteArray("Prima\r\n 1\r\nCarica4hGrafico\r\n 250\r\nPlay\r\n-1\r\n"));
}
