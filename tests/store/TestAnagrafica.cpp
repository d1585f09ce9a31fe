#include "Anagrafica.h"
#include "CartellaProva.h"

#include <QDir>

using namespace quarvel;

namespace {
class AnagraficaProva : public CartellaProva {
 protected:
  void TearDown() override { ChiudiAnagrafica(); }
  QString Registro() const { return Percorso("DB/Anagrafica97.mdb"); }
};

VeicoloAnagrafica Veicolo(const char* targa, int16_t capacita) {
  return {targa, "Iveco Stralis", capacita, 60, 1.0, 0.5, "note"};
}
}  // namespace

TEST_F(AnagraficaProva, InserisceNellOrdineEdRifiutaUnaTargaGiaPresente) {
  ASSERT_TRUE(ApriAnagrafica(Registro()));
  for (const char* targa : {"ZZ999ZZ", "AA111AA", "MM555MM"})
    ASSERT_TRUE(InserisciAnagrafica(Veicolo(targa, 400)));
  EXPECT_EQ(RecordsetAnagrafica().Corrente()->Targa, "MM555MM");

  const QByteArray prima = LeggiTutto(Registro());
  const Esito doppio = InserisciAnagrafica(Veicolo("aa111aa", 300));
  EXPECT_EQ(doppio.messaggio, "Il mezzo con targa AA111AA è già presente in anagrafica");
  EXPECT_EQ(InserisciAnagrafica(Veicolo(" ", 300)).messaggio, "Inserire la targa del mezzo");
  EXPECT_EQ(LeggiTutto(Registro()), prima);
  EXPECT_EQ(RecordsetAnagrafica().Veicoli().size(), 3u);
  ChiudiAnagrafica();

  const ElencoTarghe elenco = TargheAnagrafica(Registro());
  EXPECT_TRUE(elenco.esito);
  EXPECT_EQ(elenco.targhe, (QStringList{"ZZ999ZZ", "AA111AA", "MM555MM"}));
}

TEST_F(AnagraficaProva, AggiornaIlRecordCorrenteSenzaToccareLaTarga) {
  ASSERT_TRUE(ApriAnagrafica(Registro()));
  InserisciAnagrafica(Veicolo("ZZ999ZZ", 400));
  InserisciAnagrafica(Veicolo("AA111AA", 500));
  DatabaseAnagrafica& r = RecordsetAnagrafica();
  EXPECT_FALSE(r.Posiziona("XX000XX"));
  ASSERT_TRUE(r.Posiziona("zz999zz"));
  const VeicoloAnagrafica nuovo{"XX000XX", "DAF XF", 600, 70, 1.25, 0.75, "cambiato"};
  ASSERT_TRUE(AggiornaAnagrafica(nuovo));
  ChiudiAnagrafica();

  ASSERT_TRUE(ApriAnagrafica(Registro()));
  VeicoloAnagrafica atteso = nuovo;
  atteso.Targa = "ZZ999ZZ";
  EXPECT_EQ(r.Veicoli(), (std::vector<VeicoloAnagrafica>{atteso, Veicolo("AA111AA", 500)}));
  r.Ultimo();
  r.Successivo();
  EXPECT_TRUE(r.AllaFine());
  EXPECT_EQ(AggiornaAnagrafica(nuovo).messaggio, "Nessun mezzo selezionato");
}

TEST_F(AnagraficaProva, UnRegistroMancanteNonSiApre) {
  const QString manca = Percorso("DB/manca.mdb");
  const ElencoTarghe elenco = TargheAnagrafica(manca);
  EXPECT_EQ(elenco.esito.messaggio, "Impossibile aprire il database " +
                                        QDir::toNativeSeparators(manca) +
                                        ": unable to open database file");
  EXPECT_TRUE(elenco.targhe.isEmpty());
  EXPECT_FALSE(QFile::exists(manca));
  EXPECT_FALSE(ApriAnagrafica(Percorso("DB/proto97.mdb")));
}
