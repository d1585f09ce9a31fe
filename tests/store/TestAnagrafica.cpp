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

TEST_F(AnagraficaProva, InserisceNellOrdineAggiornaERifiutaTargheDoppieONonValide) {
  ASSERT_TRUE(ApriAnagrafica(Registro()));
  for (const char* targa : {"ZZ999ZZ", "AA111AA", "AB.12"})  // a single point is a plain name
    ASSERT_TRUE(InserisciAnagrafica(Veicolo(targa, 400)));
  EXPECT_EQ(InserisciAnagrafica(Veicolo("aa111aa", 300)).messaggio,
            "Il mezzo con targa AA111AA è già presente in anagrafica");
  EXPECT_EQ(InserisciAnagrafica(Veicolo(" ", 300)).messaggio, "Inserire la targa del mezzo");
  // A plate names files below DATA: nothing that leaves the folder or that
  // another system cannot name.
  for (const char* targa : {"A/B", "..", "../X1", "A\\B", "X:1", "A*", "A?", "A\"B", "A<B", "A>B",
                            "A|B", "A\tB", "A\x7f"})
    EXPECT_TRUE(InserisciAnagrafica(Veicolo(targa, 300)).messaggio.contains("non è valida")) << targa;

  // An update changes the current vehicle, never its plate.
  ASSERT_TRUE(RecordsetAnagrafica().Posiziona("zz999zz"));
  const VeicoloAnagrafica nuovo{"XX000XX", "DAF XF", 600, 70, 1.25, 0.75, "cambiato"};
  ASSERT_TRUE(AggiornaAnagrafica(nuovo));
  ChiudiAnagrafica();
  ASSERT_TRUE(ApriAnagrafica(Registro()));
  VeicoloAnagrafica atteso = nuovo;
  atteso.Targa = "ZZ999ZZ";
  ASSERT_FALSE(RecordsetAnagrafica().Veicoli().empty());
  EXPECT_EQ(RecordsetAnagrafica().Veicoli().front(), atteso);
  EXPECT_EQ(TargheAnagrafica(Registro()).targhe, (QStringList{"ZZ999ZZ", "AA111AA", "AB.12"}));
}

TEST_F(AnagraficaProva, UnRegistroMancanteORovinatoNonSiApre) {
  const QString manca = Percorso("DB/manca.mdb");
  const ElencoTarghe elenco = TargheAnagrafica(manca);
  EXPECT_TRUE(elenco.esito.messaggio.endsWith(QDir::toNativeSeparators(manca) +
                                              ": unable to open database file"));
  EXPECT_TRUE(elenco.targhe.isEmpty());
  EXPECT_FALSE(QFile::exists(manca));
  EXPECT_FALSE(ApriAnagrafica(Percorso("DB/proto97.mdb")));
  ScriviTutto(Registro(), QByteArray(4096, 'x'));
  EXPECT_TRUE(TargheAnagrafica(Registro()).esito.messaggio.endsWith(": file is not a database"));
}
