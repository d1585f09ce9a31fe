// The month period and the activity scan, on real vehicle databases: the
// scan seeks on the key, so only the store shows whether it skips a slot.
#include "CartellaProva.h"
#include "DatabaseVeicolo.h"
#include "TracciaMese.h"

#include <QFile>
#include <random>
#include <set>

using namespace quarvel;

namespace {
Istante T(int mese, int g, int h, int m, int s) { return *IstanteDa(2013, mese, g, h, m, s); }

class TracciaMeseProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    percorso_ = Percorso("DATA/prova.mdb");
    ASSERT_TRUE(QFile::copy(PercorsoModello(0), percorso_));
  }
  void Scrivi(const std::vector<Istante>& istanti) {
    DatabaseLogs db;
    ASSERT_TRUE(db.Apri(percorso_));
    for (Istante t : istanti) {
      CampioneLog c;
      c.TimeDate = c.TimeDateLH = t;
      ASSERT_EQ(db.Scrivi(c), EsitoScrittura::Salvato);
    }
    ASSERT_TRUE(db.Chiudi());
  }
  // The scan of one month of 2013; the slots reported, in order.
  RisultatoTraccia Traccia(int mese, std::vector<SlotAttivita>* riportati = nullptr) {
    const PeriodoMese p = *CalcolaPeriodoMese(2013, mese);
    DatabaseLogs db;
    EXPECT_TRUE(db.Apri(percorso_, p.InizioMese, p.FineMese));
    return AnalisiTrackmese2(db.Cursore(), attivita_, [riportati](const SlotAttivita& s) {
      if (riportati) riportati->push_back(s);
    });
  }
  std::set<std::tuple<int, int, int>> Attivi() const {
    std::set<std::tuple<int, int, int>> a;
    for (int g = 0; g < AttivitaMese::kGiorni; ++g)
      for (int h = 0; h < AttivitaMese::kOre; ++h)
        for (int q = 0; q < AttivitaMese::kQuarti; ++q)
          if (attivita_.Attivo(g, h, q)) a.insert({g, h, q});
    return a;
  }

  QString percorso_;
  AttivitaMese attivita_;
};
}  // namespace

TEST(PeriodoMese, DalPrimoSecondoAllUltimoSecondoDelMese) {
  const std::tuple<int, int, int> casi[] = {{2024, 2, 29}, {2023, 2, 28}, {2100, 2, 28},
                                            {2000, 2, 29}, {2013, 4, 30}, {2013, 12, 31}};
  for (auto [anno, mese, giorni] : casi) {
    const std::optional<PeriodoMese> p = CalcolaPeriodoMese(anno, mese);
    ASSERT_TRUE(p) << anno << "/" << mese;
    EXPECT_EQ(p->giorni, giorni);
    EXPECT_EQ(p->InizioMese, *IstanteDa(anno, mese, 1, 0, 0, 0));
    EXPECT_EQ(p->FineMese, *IstanteDa(anno, mese, giorni, 23, 59, 59));
  }
  EXPECT_FALSE(CalcolaPeriodoMese(2013, 13));
  EXPECT_FALSE(CalcolaPeriodoMese(2013, 0));
}

TEST_F(TracciaMeseProva, OgniQuartoDOraConUnCampioneENientAltro) {
  std::vector<Istante> t = {T(2, 28, 23, 59, 59),  // February: outside the month
                            T(3, 1, 0, 53, 10),    // the first of the month, late in its hour
                            T(3, 5, 10, 44, 59),   // alone: hour 10, quarter 2
                            T(3, 6, 10, 44, 59), T(3, 6, 10, 45, 0)};  // two adjacent quarters
  // A recording of 100 seconds inside one quarter, then one in the next.
  for (int i = 0; i < 100; ++i) t.push_back(T(3, 7, 8, 0, 0) + i);
  t.push_back(T(3, 7, 8, 15, 0));
  // Fewer than 60 records after the last change of slot, up to the last
  // second of the month; then April.
  for (int i = 0; i < 30; ++i) t.push_back(T(3, 31, 23, 59, 30) + i);
  t.push_back(T(4, 1, 0, 0, 0));
  Scrivi(t);

  std::vector<SlotAttivita> riportati;
  const RisultatoTraccia r = Traccia(3, &riportati);
  EXPECT_EQ(r.esito, EsitoTraccia::Completa);
  const std::set<std::tuple<int, int, int>> attesi = {{1, 0, 3}, {5, 10, 2}, {6, 10, 2}, {6, 10, 3},
                                                      {7, 8, 0}, {7, 8, 1},  {31, 23, 3}};
  EXPECT_EQ(Attivi(), attesi);
  // Each slot is reported once, in time order, as the grid paints it.
  const std::vector<SlotAttivita> ordine = {{1, 0, 3}, {5, 10, 2}, {6, 10, 2}, {6, 10, 3},
                                            {7, 8, 0}, {7, 8, 1},  {31, 23, 3}};
  EXPECT_EQ(riportati, ordine);
  EXPECT_EQ(r.slotAttivi, 7);
}

// Random recordings over a month, checked against every sample's own slot.
TEST_F(TracciaMeseProva, ComeEsaminareOgniCampione) {
  std::mt19937 gen(20130305);
  std::vector<Istante> t;
  std::set<std::tuple<int, int, int>> attesi;
  Istante istante = T(3, 1, 0, 0, 0);
  while (istante <= T(3, 31, 23, 59, 59)) {
    const int durata = int(gen() % 2000);
    for (int i = 0; i < durata && istante <= T(3, 31, 23, 59, 59); ++i, ++istante) {
      t.push_back(istante);
      const SlotAttivita s = SlotDi(istante);
      attesi.insert({s.giorno, s.ora, s.quarto});
    }
    istante += 1 + Istante(gen() % 20000);
  }
  Scrivi(t);
  EXPECT_EQ(Traccia(3).esito, EsitoTraccia::Completa);
  EXPECT_EQ(Attivi(), attesi);
}

TEST_F(TracciaMeseProva, UnMeseSenzaCampioniLasciaLaMatriceVuota) {
  Scrivi({T(3, 31, 23, 59, 59), T(5, 1, 0, 0, 0)});
  Traccia(3);
  ASSERT_FALSE(attivita_.Vuota());
  std::vector<SlotAttivita> riportati;
  EXPECT_EQ(Traccia(4, &riportati).esito, EsitoTraccia::Vuota);
  EXPECT_TRUE(attivita_.Vuota());
  EXPECT_TRUE(riportati.empty());
}

TEST_F(TracciaMeseProva, UnFileRovinatoNonDiventaUnMesePiuTranquillo) {
  std::vector<Istante> t;
  for (int i = 0; i < 4 * 3600; ++i) t.push_back(T(3, 5, 8, 0, 0) + i);
  Scrivi(t);
  QFile file(percorso_);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.seek(4 * 65536);  // a leaf page in the middle of the table
  file.write(QByteArray(65536, '\x5a'));
  file.close();
  const RisultatoTraccia r = Traccia(3);
  EXPECT_EQ(r.esito, EsitoTraccia::ErroreDatabase);
  EXPECT_EQ(r.errore, "database disk image is malformed");
  EXPECT_TRUE(attivita_.Vuota());
}
