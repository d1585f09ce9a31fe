// The month period and the activity scan, on real vehicle databases: the
// track reads the table of active quarter-hours beside the samples, or
// seeks the samples on the key; only the store shows whether either skips a
// slot, and both must give the same month.
#include "ImportProva.h"
#include "TracciaProva.h"

using namespace quarvel;

namespace {
Istante T(int mese, int g, int h, int m, int s) { return *IstanteDa(2013, mese, g, h, m, s); }

class TracciaMeseProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    percorso_ = ScriviCampioni(Percorso("DATA/prova.mdb"), {});
  }
  // Samples stored as the import stores them, without bringing the tables
  // beside them up to date (an import killed before it).
  void Scrivi(const std::vector<Istante>& istanti) { ScriviCampioni(percorso_, istanti); }
  // One month of 2013 from the table, as the window reads it.
  RisultatoTraccia Traccia(int mese) {
    AttivitaLogs db;
    EXPECT_TRUE(db.Apri(percorso_));
    return AnalisiTrackmese2(db, *CalcolaPeriodoMese(2013, mese), attivita_);
  }
  // The same month both ways, checked to agree.
  RisultatoTraccia Entrambe(int mese, std::vector<SlotAttivita>* riportati = nullptr) {
    return TracciaVerificata(percorso_, *CalcolaPeriodoMese(2013, mese), attivita_, riportati);
  }
  std::set<Slot> Attivi() const { return quarvel::Attivi(attivita_); }

  QString percorso_;
  AttivitaMese attivita_;
};
}  // namespace

TEST(PeriodoMese, DalPrimoSecondoAllUltimoSecondoDelMese) {
  const std::tuple<int, int, int> casi[] = {{2024, 2, 29}, {2100, 2, 28}, {2013, 12, 31}};
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
  for (int i = 0; i < 20; ++i) t.push_back(T(3, 7, 23, 59, 50) + i);  // across midnight
  // Fewer than 60 records after the last change of slot, up to the last
  // second of the month; then April.
  for (int i = 0; i < 30; ++i) t.push_back(T(3, 31, 23, 59, 30) + i);
  t.push_back(T(4, 1, 0, 0, 0));
  Scrivi(t);

  std::vector<SlotAttivita> riportati;
  const RisultatoTraccia r = Entrambe(3, &riportati);
  EXPECT_EQ(r.esito, EsitoTraccia::Completa);
  EXPECT_EQ(r.slotAttivi, 9);
  // Each slot is reported once, in time order, as the grid paints it.
  const std::vector<SlotAttivita> attesi = {{1, 0, 3},  {5, 10, 2}, {6, 10, 2}, {6, 10, 3}, {7, 8, 0},
                                            {7, 8, 1},  {7, 23, 3}, {8, 0, 0},  {31, 23, 3}};
  EXPECT_EQ(riportati, attesi);
  EXPECT_EQ(Attivi(), (std::set<Slot>{{1, 0, 3}, {5, 10, 2}, {6, 10, 2}, {6, 10, 3}, {7, 8, 0}, {7, 8, 1},
                                       {7, 23, 3}, {8, 0, 0}, {31, 23, 3}}));

  // A month without samples clears what the last one marked.
  riportati.clear();
  EXPECT_EQ(Entrambe(5, &riportati).esito, EsitoTraccia::Vuota);
  EXPECT_TRUE(attivita_.Vuota());
  EXPECT_TRUE(riportati.empty());
}

// The samples damaged before the table of quarter-hours was brought up to
// date: the rebuild stops on them, and seeking them meets the damage after
// the first slots (the table itself damaged: the window's test).
TEST_F(TracciaMeseProva, UnFileRovinatoNonDiventaUnMesePiuTranquillo) {
  Scrivi(Secondi(T(3, 5, 8, 0, 0), 4 * 3600));
  DanneggiaUltimaFoglia(percorso_, "Logs");
  const RisultatoTraccia r = Traccia(3);
  EXPECT_EQ(r.esito, EsitoTraccia::ErroreDatabase);
  EXPECT_EQ(r.errore, "database disk image is malformed");
  EXPECT_TRUE(attivita_.Vuota());
}

// Another program writes while the window holds the file open: the table,
// up to date when the file was opened, is stale now and the samples tell.
TEST_F(TracciaMeseProva, UnaScritturaDiAltriDopoLAperturaSiVede) {
  Scrivi({T(3, 5, 10, 0, 0)});
  AttivitaLogs db;
  ASSERT_TRUE(db.Apri(percorso_));
  ASSERT_TRUE(db.Aggiornato());
  Scrivi({T(3, 9, 12, 30, 0)});
  EXPECT_EQ(AnalisiTrackmese2(db, *CalcolaPeriodoMese(2013, 3), attivita_).slotAttivi, 2);
  EXPECT_EQ(Attivi(), (std::set<Slot>{{5, 10, 0}, {9, 12, 2}}));
}

// After an import of logger files both ways agree from February to April
// 2026, with the table up to date: reading it writes nothing.
TEST_F(TracciaMeseProva, LaTabellaDaIlMeseDeiCampioniDopoLImport) {
  RegistratoreMessaggi messaggi;
  InizializzaDefault();
  // Recordings across the ends of March, and one in the middle.
  QByteArray testo;
  for (auto [inizio, durata] : {std::pair{*IstanteDa(2026, 2, 28, 23, 50, 0), 1500},
                                {*IstanteDa(2026, 3, 15, 9, 59, 30), 40},
                                {*IstanteDa(2026, 3, 31, 23, 59, 0), 61}})
    testo += kTestata + Righe(inizio, durata);
  ScriviTutto(Percorso("chiavetta/LOG_1.CSV"), testo);
  const RisultatoImport esito = EseguiImport(
      {"AB123CD", Percorso("chiavetta"), {"LOG_1.CSV"}, QDate(2026, 12, 4), 0, {}}, nullptr);
  ASSERT_EQ(esito.stato, StatoImport::Completata) << esito.interruzione.toStdString();
  const QByteArray contatore = LeggiTutto(esito.percorsoDB).mid(24, 4);  // the file's change counter
  std::set<Slot> attivi;
  for (int mese : {2, 3, 4}) {
    bool aggiornato = false;
    TracciaVerificata(esito.percorsoDB, *CalcolaPeriodoMese(2026, mese), attivita_, nullptr, &aggiornato);
    EXPECT_TRUE(aggiornato);
    for (auto [g, h, q] : Attivi()) attivi.insert({mese * 100 + g, h, q});
  }
  EXPECT_EQ(attivi, (std::set<Slot>{{228, 23, 3}, {301, 0, 0}, {315, 9, 3}, {315, 10, 0}, {331, 23, 3}, {401, 0, 0}}));
  EXPECT_EQ(LeggiTutto(esito.percorsoDB).mid(24, 4), contatore);
}
