// The fleet's figures without the window: a row from the pass, the totals,
// the figures that cannot be given, the periods, the years offered, and the
// work of several vehicles at once, stopped or meeting a damaged database.
#include "FinestreProva.h"
#include "CalcoloFlotta.h"
#include "CampioniProva.h"
#include "GiornataProva.h"

#include <QDir>

namespace quarvel {
namespace {

RigaFlotta Riga(const char* targa, double km, double litri, double litriMarcia,
                std::optional<int64_t> scarto, int velocita) {
  RigaFlotta r;
  r.targa = targa;
  r.stato = StatoRigaFlotta::Calcolata;
  std::tie(r.km, r.litri, r.litriMarcia, r.decimiScarto, r.velocitaMax) =
      std::tuple(km, litri, litriMarcia, scarto, velocita);
  r.secondiAcceso = 3600;
  r.secondiMarcia = 1800;
  r.decimiPrelevati = 125;
  return r;
}

std::vector<std::optional<double>> Valori(const RigaFlotta& r, std::vector<ColonnaFlotta> colonne) {
  std::vector<std::optional<double>> v;
  for (ColonnaFlotta c : colonne) v.push_back(ValoreFlotta(r, c));
  return v;
}

using C = ColonnaFlotta;
const std::vector<ColonnaFlotta> kMisure = {C::Km, C::KmL, C::L100, C::OreMinimo, C::VelocitaMax,
                                            C::Prelevati, C::Scarto};

// What cannot be computed stays empty: km/L without litres in motion,
// L/100 km without km, the unexplained litres of a tank whose ends are
// unknown; the totals add what is known and take the highest speed; a row
// that could not be read adds nothing.
TEST(RigheFlotta, TotaliEFigureCheMancano) {
  RigaFlotta errore = Riga("EE000EE", 500, 100, 90, 70, 120);
  errore.stato = StatoRigaFlotta::Errore;
  const std::vector<RigaFlotta> righe = {Riga("AB123CD", 100.004, 30, 20, -31, 85),
                                         Riga("CD456EF", 0, 5, 0, std::nullopt, 0), errore};
  EXPECT_EQ(Valori(righe[0], kMisure),
            (std::vector<std::optional<double>>{100, 5, 30, 0.5, 85, 12.5, -3.1}));
  EXPECT_EQ(Valori(righe[1], kMisure), (std::vector<std::optional<double>>{
                                           0, std::nullopt, std::nullopt, 0.5, 0, 12.5, std::nullopt}));
  EXPECT_EQ(ValoreFlotta(errore, C::Km), std::nullopt);
  EXPECT_EQ(Valori(TotaleFlotta(righe), kMisure),
            (std::vector<std::optional<double>>{100, 5, 35, 1, 85, 25, -3.1}));
}

TEST(RigheFlotta, Periodi) {
  const auto giorni = [](const IntervalloFlotta& i) {
    return std::pair(InDateTime(i.inizio), InDateTime(i.fine));
  };
  const QDateTime primoDic(QDate(2026, 12, 1), QTime(0, 0)), fineDic(QDate(2026, 12, 31), QTime(23, 59, 59));
  EXPECT_EQ(giorni(IntervalloPredefinito(PeriodoPredefinito::QuestoMese, 2026, {2026, 12, 6})),
            std::pair(primoDic, fineDic));
  // January's last month is December, read from the new year's databases.
  EXPECT_EQ(giorni(IntervalloPredefinito(PeriodoPredefinito::MeseScorso, 2027, {2027, 1, 10})),
            std::pair(primoDic, fineDic));
  // A past year: its December, its November, all of it.
  EXPECT_EQ(giorni(IntervalloPredefinito(PeriodoPredefinito::QuestoMese, 2026, {2027, 3, 2})),
            std::pair(primoDic, fineDic));
  EXPECT_EQ(giorni(IntervalloPredefinito(PeriodoPredefinito::QuestAnno, 2026, {2027, 3, 2})),
            std::pair(QDateTime(QDate(2026, 1, 1), QTime(0, 0)), fineDic));
  EXPECT_FALSE(IntervalloGiorni({2026, 12, 2}, {2026, 12, 1}));
}

class Flotta : public FinestreProva {};

// The years of the databases in DATA, of every vehicle or of one plate
// whatever the letter case; other files and folders are no years.
TEST_F(Flotta, AnniDeiDatabase) {
  for (const char* nome : {"AB123CD_ 2025.mdb", "ab123cd_ 2026.mdb", "ZZ999ZZ_ 2023.mdb", "AB123CD_ 2022.txt",
                           "XAB123CD_ 2021.mdb", "AB123CD_ 26.mdb"})
    ScriviTutto(Percorso("DATA/") + nome, "x");
  QDir().mkpath(Percorso("DATA/AB123CD_ 2020.mdb"));
  EXPECT_EQ(AnniDatabase(), QStringList({"2021", "2023", "2025", "2026"}));
  EXPECT_EQ(AnniDatabase("AB123CD"), QStringList({"2025", "2026"}));
}

// Registered vehicles with a database for the year, in plate order; one
// the engine cannot read gets its message and no figures, one without a
// sample in the period counts 0; the others are computed whole.
TEST_F(Flotta, OgniMezzoAncheQuandoUnoNonSiLegge) {
  Registra({"ZZ999ZZ", "AB123CD", "MM000MM", "NN111NN"});
  const Istante ore6 = *IstanteDa(2026, 12, 4, 6);
  ScriviMattina(Percorso("DATA/AB123CD_ 2026.mdb"), MattinaCamion(ore6, 0));
  const QString rovinato = ScriviMattina(Percorso("DATA/ZZ999ZZ_ 2026.mdb"), MattinaCamion(ore6, 1));
  DanneggiaUltimaFoglia(rovinato, "Logs");
  quarvel::ScriviCampioni(Percorso("DATA/MM000MM_ 2026.mdb"), {ore6 - 86400});
  const ElencoFlotta elenco = VeicoliFlotta("2026");
  ASSERT_TRUE(elenco.esito);
  ASSERT_EQ(elenco.veicoli.size(), 3u);

  CalcoloFlotta calcolo(elenco.veicoli, ParametriDalleImpostazioni({ore6, ore6 + 86399}));
  calcolo.Avvia(2);
  calcolo.Attendi();
  ASSERT_TRUE(calcolo.Finito());
  EXPECT_EQ(calcolo.Avanzamento(), 1);
  const std::vector<RigaFlotta>& r = calcolo.Righe();
  EXPECT_EQ(std::tuple(r[0].targa, r[1].targa, r[2].targa), std::tuple("AB123CD", "MM000MM", "ZZ999ZZ"));
  EXPECT_EQ(std::tuple(r[0].stato, r[1].stato, r[2].stato),
            std::tuple(StatoRigaFlotta::Calcolata, StatoRigaFlotta::SenzaCampioni, StatoRigaFlotta::Errore));
  EXPECT_TRUE(r[2].errore.contains("malformed")) << r[2].errore.toStdString();
  EXPECT_EQ(ValoreFlotta(r[1], ColonnaFlotta::Km), 0);
}

// Stopped by the user: the walk ends at its next block, and the vehicle's
// figures are not given as if its period had ended there.
TEST_F(Flotta, UnCalcoloFermatoNonDaCifre) {
  const Istante ore6 = *IstanteDa(2026, 12, 4, 6);
  const VeicoloFlotta v{"AB123CD", ScriviMattina(Percorso("DATA/AB123CD_ 2026.mdb"), MattinaCamion(ore6, 0)), {}};
  std::atomic<bool> fermo{false};
  std::atomic<Istante> raggiunto{0};
  const ParametriFlotta p = ParametriDalleImpostazioni({ore6, ore6 + 86399});
  EXPECT_EQ(CalcolaVeicolo(v, p, fermo, raggiunto).stato, StatoRigaFlotta::Calcolata);
  EXPECT_EQ(raggiunto.load(), MattinaCamion(ore6, 0).back().TimeDate);
  fermo = true;
  raggiunto = 0;
  const RigaFlotta fermata = CalcolaVeicolo(v, p, fermo, raggiunto);
  EXPECT_EQ(raggiunto.load(), 0);  // not a block read
  EXPECT_EQ(fermata.stato, StatoRigaFlotta::Interrotta);
  EXPECT_EQ(ValoreFlotta(fermata, ColonnaFlotta::Km), std::nullopt);
}

}  // namespace
}  // namespace quarvel
