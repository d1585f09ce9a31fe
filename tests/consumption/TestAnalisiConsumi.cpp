// The consumption pass against figures worked out by hand on small periods.
#include "AnalisiConsumi.h"
#include "CampioniProva.h"
#include "CartellaProva.h"
#include "CursoreVettore.h"
#include "FileTesto.h"
#include "IndiciLogs.h"
#include "LetturePeriodo.h"
#include "StampaTesto.h"

#include <QDir>
#include <QRegularExpression>
#include <random>

namespace quarvel {
namespace {

const Istante kAnalisi = *IstanteDa(2026, 12, 4, 9, 5, 3);
const Istante kBase = *IstanteDa(2026, 12, 3, 10, 0, 0);

struct Riga {
  int pt;
  float livello;
  int giri, velocita, gasolio;
  double km, litri;
};

// Samples one second apart from `inizio`.
std::vector<CampioneLog> Campioni(const std::vector<Riga>& righe, Istante inizio = kBase) {
  std::vector<CampioneLog> v;
  for (const Riga& r : righe) {
    CampioneLog& c = v.emplace_back();
    c.TimeDate = c.TimeDateLH = inizio + Istante(v.size() - 1);
    std::tie(c.DatoPT, c.Dato2, c.Dato3, c.Dato5, c.Dato8, c.Dato10, c.Dato11) =
        std::tuple(int16_t(r.pt), r.livello, int16_t(r.giri), int16_t(r.velocita), r.gasolio, r.km, r.litri);
  }
  return v;
}

class AnalisiConsumi : public CartellaProva {
 protected:
  static RisultatoAnalisi Analizza(std::vector<CampioneLog> campioni, const TestiRisultati& testi = {}) {
    CursoreVettore cursore(std::move(campioni));
    return AnalisiTotale(cursore, {QStringLiteral("AB123CD"), 50, 25, kAnalisi, {}, testi, {}});
  }
  static QString Testo(const RisultatoAnalisi& r, const char* nome) {
    for (const Didascalia& d : r.didascalie)
      if (d.nome == QLatin1String(nome)) return d.testo;
    return QStringLiteral("<manca %1>").arg(QLatin1String(nome));
  }
  static QStringList RigheReport(const RisultatoAnalisi& r) {
    return LeggiRigheTesto(r.percorsoReport).value_or(QStringList());
  }
};

// An hour at 72 km/h burning 200 units of 0.05 l/h, then an hour without a
// fuel reading (-1): it adds nothing, however many there are.
TEST_F(AnalisiConsumi, LitriChilometriEMedie) {
  std::vector<Riga> misti(3600, {1, 50, 800, 72, 200, 0, 0});
  misti.insert(misti.end(), 3600, {1, 50, 800, 72, -1, 0, 0});
  RisultatoAnalisi r = Analizza(Campioni(misti));
  EXPECT_EQ(r.esito, EsitoAnalisi::Completa);
  EXPECT_EQ(Testo(r, "Lbl_GasolioConsumato"), "Litri gasolio consumato : 10");
  EXPECT_EQ(Testo(r, "Lbl_GasolioConsumatoMarcia"), "Litri gasolio in marcia : 10");
  EXPECT_EQ(Testo(r, "Lbl_ConsumoMedMarcia"), "Consumo medio in marcia : 14,4 Km/L");

  // Engine off: the kilometres stay, the time and fuel in motion go.
  r = Analizza(Campioni(std::vector<Riga>(3600, {1, 50, 0, 72, 200, 0, 0})));
  EXPECT_EQ(Testo(r, "Lbl_KmPercorsi"), "Kilometri percorsi calcolati: 72 Km");
  EXPECT_EQ(Testo(r, "Lbl_GasolioConsumatoMarcia"), "Litri gasolio in marcia : 0");
  EXPECT_EQ(Testo(r, "Lbl_velocitamedia"), "Velocità media in marcia : Non calcolabile");
  EXPECT_EQ(Testo(r, "Lbl_ConsumoMedMarcia"), "Consumo medio in marcia : Non calcolabile");
}

TEST_F(AnalisiConsumi, MotoreAccesoEMarcia) {
  const RisultatoAnalisi r = Analizza(Campioni({{1, 50, 800, 0, 0, 0, 0}, {2, 50, 800, 30, 0, 0, 0},
                                                {3, 50, 0, 30, 0, 0, 0}, {4, 50, -1, 30, 0, 0, 0},
                                                {5, 50, 800, -1, 0, 0, 0}}));
  EXPECT_EQ(Testo(r, "Lbl_CamionAcceso"), "Tempo motore acceso :  0h : 0min : 3sec");
  EXPECT_EQ(Testo(r, "Lbl_CamionAccesoMarcia"), "Tempo in marcia :  0h : 0min : 1sec");
  // 0 + 30 + 30 + 30 - 1 km/h over single seconds.
  EXPECT_EQ(Testo(r, "Lbl_KmPercorsi"), "Kilometri percorsi calcolati: 0,025 Km");
  EXPECT_EQ(Testo(r, "Lbl_velocitamedia"), "Velocità media in marcia : 89 Km/h");
  const RisultatoAnalisi tre =  // 89 km/h-seconds over three seconds: two decimals
      Analizza(Campioni({{0, 50, 800, 30, 0, 0, 0}, {1, 50, 800, 30, 0, 0, 0}, {2, 50, 800, 29, 0, 0, 0}}));
  EXPECT_EQ(Testo(tre, "Lbl_velocitamedia"), "Velocità media in marcia : 29,67 Km/h");

  // Halves go up: 45 km/h for a second is 0.0125 km.
  const RisultatoAnalisi mezzo = Analizza(Campioni({{0, 50, 800, 45, 0, 0, 0}}));
  EXPECT_TRUE(RigheReport(mezzo).contains("Kilometri percorsi calcolati: 0,013 Km"));
  EXPECT_EQ(Testo(mezzo, "Lbl_KmPercorsi"), "Kilometri percorsi calcolati: 0,013 Km");
}

TEST_F(AnalisiConsumi, EpisodiDiVelocita) {
  std::vector<Riga> righe(10, {1, 50, 800, 61, 0, 0, 0});
  righe.push_back({1, 50, 800, 50, 0, 0, 0});
  righe.insert(righe.end(), 5, {1, 50, 800, 70, 0, 0, 0});
  righe.push_back({1, 50, 800, -1, 0, 0, 0});
  RisultatoAnalisi r = Analizza(Campioni(righe));
  EXPECT_EQ(Testo(r, "Lbl_NVelocitaallerta"), "N° volte velocità >50 Km/h :2");
  EXPECT_EQ(Testo(r, "Lbl_VelocitaMax_Periodo"), "Velocita Massima periodo: 70 Km/h");

  // A new recording starts a new episode even at a speed above the threshold.
  r = Analizza(Campioni({{0, 50, 800, 60, 0, 0, 0}, {0, 50, 800, 60, 0, 0, 0}}));
  EXPECT_EQ(Testo(r, "Lbl_NVelocitaallerta"), "N° volte velocità >50 Km/h :2");
}

TEST_F(AnalisiConsumi, ContatoriDelCruscotto) {
  RisultatoAnalisi r = Analizza(Campioni({{1, 50, 0, 0, 0, 0, 0}, {2, 50, 0, 0, 0, 0, 40},
                                          {3, 50, 0, 0, 0, 1200.25, 0}, {4, 50, 0, 0, 0, 1201.5, 41.5},
                                          {5, 50, 0, 0, 0, 1201.75, 0}}));
  // The first reading that is not 0, the last as it is.
  EXPECT_EQ(Testo(r, "Lbl_LitriConsumatiCrusco"), "Litri consumati cruscotto : -40");

  // Counters that never leave 0 start from 1.
  r = Analizza(Campioni(std::vector<Riga>(3, {1, 50, 0, 0, 0, 0, 0})));
  EXPECT_EQ(Testo(r, "Lbl_KmPercorsiCrusco"), "Kilometri percorsi cruscotto : -1");
  EXPECT_EQ(Testo(r, "Lbl_Linizialicrusco"), "ContaLitri iniziali cruscotto : 1");
}

// A jump beyond the alert level (25) between two readings; a level of 0 or
// less is no reading, and halves round to even.
TEST_F(AnalisiConsumi, CaliEAumentiDiLivello) {
  const QString primo80 = "03/12/2026 10:00:00 Iniziale:0% Finale: 80\r\n";
  const QString calo = "03/12/2026 10:00:01 Iniziale: 80% Finale: 54%  El: 2\r\n";
  const QString carico = "03/12/2026 10:00:01 Iniziale:30% Finale: 56\r\n";
  const std::vector<std::tuple<std::vector<float>, QStringList, QStringList>> casi = {
      {{80, 55}, {primo80}, {}},
      {{80, 54.5f}, {primo80}, {calo}},
      {{30, 56}, {"03/12/2026 10:00:00 Iniziale:0% Finale: 30\r\n", carico}, {}},
      {{30, 55}, {"03/12/2026 10:00:00 Iniziale:0% Finale: 30\r\n"}, {}},
      {{20}, {}, {}},
      {{80, 0, 79}, {primo80}, {}},
      {{80, 0, -1, 54}, {primo80}, {"03/12/2026 10:00:03 Iniziale: 80% Finale: 54%  El: 4\r\n"}},
  };
  for (const auto& [livelli, carichi, anomalie] : casi) {
    std::vector<Riga> righe;
    for (float l : livelli) righe.push_back({1, l, 0, 0, 0, 0, 0});
    const RisultatoAnalisi r = Analizza(Campioni(righe));
    EXPECT_EQ(r.carichi, carichi) << livelli.back();
    EXPECT_EQ(r.anomalie, anomalie) << livelli.back();
  }
}

TEST_F(AnalisiConsumi, ConfiniDeiViaggi) {
  const auto viaggi = [](const QStringList& righe) { return righe.filter(QRegularExpression("^Viaggio")); };
  // Starting inside a recording: its samples form trip 0 from the zero date-time.
  RisultatoAnalisi r = Analizza(Campioni({{5, 50, 800, 0, 0, 0, 0}, {6, 50, 800, 0, 0, 0, 0},
                                          {0, 50, 800, 0, 0, 0, 0}, {1, 50, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(viaggi(RigheReport(r)),
            QStringList({"Viaggio : 0 Dal : 00:00:00    Al: 03/12/2026 10:00:01",
                         "Viaggio : 1 Dal : 03/12/2026 10:00:02 Al: 03/12/2026 10:00:03"}));
  EXPECT_EQ(Testo(r, "Llb_NumeroAccensioni"), "Numero accensioni = Numero Viaggi : 1");

  r = Analizza(Campioni({{3, 50, 0, 0, 0, 0, 0}, {4, 50, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(viaggi(RigheReport(r)),
            QStringList({"Viaggio : 0 Dal : 00:00:00 Al: 03/12/2026 10:00:01"}));
}

// The pass alone, as the fleet runs it: no report, the trips of the report's
// blocks (the one begun before the period from its first sample), and the
// litres burnt idling: engine on, not in motion, a reading.
TEST_F(AnalisiConsumi, IlPassoSenzaReportDaViaggiEMinimo) {
  CursoreVettore cursore(Campioni({{5, 50, 800, 0, 200, 0, 0}, {6, 50, 800, 30, 200, 0, 0},
                                   {0, 50, 0, 0, 200, 0, 0}, {1, 50, 800, 0, -1, 0, 0},
                                   {2, 50, 800, 0, 3600, 0, 0}}));
  LettureDaCursore letture(cursore);
  ParametriAnalisi p;
  p.sogliaVelocita = 20;
  int blocchi = 0;
  const RisultatoAnalisi r = PassoAnalisi(letture, p, [&](const AccumulatoreConsumi&) { ++blocchi; });
  EXPECT_EQ(r.esito, EsitoAnalisi::Completa);
  EXPECT_TRUE(QDir(Percorso("REPORT")).isEmpty());
  EXPECT_EQ(blocchi, 1);
  EXPECT_DOUBLE_EQ(r.totali.SommaGasolioMinimo, 3800);
  ASSERT_EQ(r.viaggi.size(), 2u);
  const ViaggioAnalisi& primo = r.viaggi[0];
  EXPECT_EQ(std::tuple(primo.numero, primo.inizio, primo.fine, primo.secondiAcceso, primo.secondiMarcia,
                       primo.sommaVelocita, primo.velocitaMax, primo.superamenti),
            std::tuple(0.0, kBase, kBase + 1, 2.0, 1.0, 30.0, int16_t(30), int16_t(1)));
  EXPECT_EQ(std::tuple(r.viaggi[1].numero, r.viaggi[1].inizio, r.viaggi[1].fine, r.viaggi[1].secondiAcceso),
            std::tuple(1.0, kBase + 2, kBase + 4, 2.0));
}

// Every trip's figures start again at its recording, the third and later ones too.
TEST_F(AnalisiConsumi, OgniViaggioRiparteDaZero) {
  const RisultatoAnalisi r = Analizza(Campioni(
      {{0, 50, 800, 80, 0, 0, 0}, {1, 50, 800, 80, 0, 0, 0}, {2, 50, 800, 0, 0, 0, 0},
       {0, 50, 800, 10, 0, 0, 0}, {1, 50, 800, 20, 0, 0, 0},
       {0, 50, 800, 60, 0, 0, 0}, {1, 50, 0, 0, 0, 0, 0}, {2, 50, 800, 40, 0, 0, 0},
       {0, 50, 800, 30, 0, 0, 0}}));
  const QStringList righe = RigheReport(r);
  // On, in motion, km, average, maximum, episodes above 50 km/h.
  const std::vector<QStringList> attesi = {
      {"0min : 3sec", "0min : 2sec", ": 0,044 Km", ": 80Km/h", ": 80 Km/h", ":1"},
      {"0min : 2sec", "0min : 2sec", ": 0,008 Km", ": 15Km/h", ": 20 Km/h", ":0"},
      {"0min : 2sec", "0min : 2sec", ": 0,028 Km", ": 50Km/h", ": 60 Km/h", ":1"}};
  for (std::size_t v = 0; v < attesi.size(); ++v) {
    const qsizetype inizio = righe.indexOf(QRegularExpression(QStringLiteral("Viaggio : %1 Dal.*").arg(v + 1)));
    ASSERT_GE(inizio, 0) << v + 1;
    for (qsizetype i = 0; i < attesi[v].size(); ++i)
      EXPECT_TRUE(righe.value(inizio + 1 + i).endsWith(attesi[v][i]))
          << "viaggio " << v + 1 << ": " << righe.value(inizio + 1 + i).toStdString();
  }
  EXPECT_TRUE(righe.contains("Viaggio : 4 Dal : 03/12/2026 10:00:08 Al: 03/12/2026 10:00:08"));
}

// A translation that lost its %1 still shows the value, after its text (the
// words of every language are checked on the screens of the whole program).
TEST_F(AnalisiConsumi, UnaTraduzioneSenzaSegnapostoMostraIlValore) {
  const TestiRisultati inglese(
      [](long long numero, const QString& italiano) -> QString {
        return numero == 5041 ? "Diesel used :" : italiano;
      },
      LocaleLingua("EN"));
  const RisultatoAnalisi r = Analizza(Campioni(std::vector<Riga>(36, {1, 50, 800, 72, 1050, 0, 0})), inglese);
  EXPECT_EQ(Testo(r, "Lbl_GasolioConsumato"), "Diesel used :0.53");
}

TEST_F(AnalisiConsumi, FileDelReport) {
  EXPECT_EQ(PercorsoReport("AB123CD", kAnalisi),
            Percorso("REPORT/Report_AB123CD_2026-12-04 09-05-03.txt"));

  // An empty period writes the first line only; REPORT/ is made when missing.
  ASSERT_TRUE(QDir(Percorso("REPORT")).removeRecursively());
  RisultatoAnalisi r = Analizza({});
  EXPECT_EQ(r.esito, EsitoAnalisi::PeriodoVuoto);
  EXPECT_TRUE(r.didascalie.empty());
  EXPECT_EQ(LeggiTutto(r.percorsoReport),
            "File Output Report 2026-12-04 09:05:03 Identificato da : AB123CD\r\n");

  // A REPORT that is a file: no report, no analysis, a reason to show.
  ASSERT_TRUE(QDir(Percorso("REPORT")).removeRecursively());
  ScriviTutto(Percorso("REPORT"), "non una cartella");
  r = Analizza(Campioni({{0, 50, 800, 10, 0, 0, 0}}));
  EXPECT_EQ(r.esito, EsitoAnalisi::ReportNonCreato);
  EXPECT_FALSE(r.erroreFile.isEmpty());
  EXPECT_TRUE(r.didascalie.empty());
}

TEST_F(AnalisiConsumi, SecondiInOreMinutiSecondi) {
  EXPECT_EQ(SecondiToTime(3599), " 0h : 59min : 59sec");
  EXPECT_EQ(SecondiToTime(2600000), " 722h : 13min : 20sec");
}

// Two recordings: a refuel at each start, a theft in the first, speed
// episodes across both, counters starting at 0, a fuel rate with no reading.
TEST_F(AnalisiConsumi, ReportEDidascalieDiDueViaggi) {
  ScriviTutto(PercorsoReport("AB123CD", kAnalisi), "un report precedente, da sostituire");
  std::vector<CampioneLog> v = Campioni({{0, 60, 800, 0, 7200, 0, 0},
                                         {1, 60.4f, 900, 40, 14400, 1000.5, 500},
                                         {2, 61, 1200, 55, -1, 1000.5, 500},
                                         {3, 30.5f, 1300, 60, 36000, 1000.6, 501},
                                         {4, -1, 0, 10, 0, 1000.6, 501}},
                                        *IstanteDa(2026, 12, 3, 8, 0, 0));
  for (const CampioneLog& c : Campioni({{0, 56.5f, 700, 52, 72000, 1000.6, 501.5},
                                        {1, 56, 800, -1, 7200, 1000.7, 502},
                                        {2, 55, 800, 51, 7200, 1000.7, 502.3}},
                                       *IstanteDa(2026, 12, 3, 9, 30, 0)))
    v.push_back(c);
  const RisultatoAnalisi r = Analizza(v);
  EXPECT_EQ(r.esito, EsitoAnalisi::Completa);
  EXPECT_EQ(LeggiTutto(r.percorsoReport), LeggiTutto(DatoProva("consumi_due_viaggi.txt")));
  EXPECT_EQ(r.carichi, QStringList({"03/12/2026 08:00:00 Iniziale:0% Finale: 60\r\n",
                                    "03/12/2026 09:30:00 Iniziale:30% Finale: 56\r\n"}));
  EXPECT_EQ(r.anomalie,
            QStringList({"03/12/2026 08:00:03 Iniziale: 61% Finale: 30%  El: 4\r\n"}));

  QString didascalie;
  for (const Didascalia& d : r.didascalie) didascalie += d.nome + " = " + d.testo + "\r\n";
  EXPECT_EQ(didascalie.toUtf8(), LeggiTutto(DatoProva("consumi_due_viaggi_didascalie.txt")));
}

// The same analysis from the packed hours beside Logs and through the cursor
// of Logs, on random periods and alert levels of a week of a truck: the
// captions, the report with its trip blocks and both lists alike.
TEST_F(AnalisiConsumi, DalleOreCompatteComeDaiCampioni) {
  std::mt19937 gen(7);
  auto caso = [&](int n) { return int(gen() % unsigned(n)); };
  const QString percorso = ScriviCampioni(Percorso("DATA/AB123CD_ 2026.mdb"), {});
  {
    DatabaseLogs db;
    ASSERT_TRUE(db.Apri(percorso));
    CampioneLog c;
    c.Dato2 = 60;
    for (Istante t = kBase, prima = t; t < kBase + 7 * 86400; prima = t, t += caso(3000) ? 1 : 600 + caso(20000)) {
      // A recording opens after a pause, and now and then without one.
      c.DatoPT = int16_t(t - prima != 1 || caso(8000) == 0 ? 0 : c.DatoPT + 1);
      c.TimeDate = c.TimeDateLH = t;
      c.Dato3 = int16_t(caso(30) ? 800 + caso(1200) * (caso(3) > 0) : -1);
      c.Dato5 = int16_t(std::clamp(c.Dato5 + caso(7) - 3, -1, 130));
      c.Dato2 = caso(3000) ? std::clamp(c.Dato2 + float(caso(11) - 5) / 10, 1.f, 100.f) : float(caso(101));
      c.Dato8 = caso(50) ? caso(30000) : -1;
      c.Dato10 = caso(500) ? 20000 + double(t - kBase) / 100 : 0;
      c.Dato11 = double((t - kBase) / 120) / 2;
      ASSERT_NE(db.Scrivi(c), EsitoScrittura::Errore);
    }
  }
  ASSERT_TRUE(AggiornaIndiciLogs(percorso));
  for (int i = 0; i < 25; ++i) {
    const Istante a = kBase + caso(7 * 86400), b = i ? a + caso(3 * 86400) : kFineTabella;
    const ParametriAnalisi p{"AB123CD", int16_t(caso(100)), int16_t(1 + caso(30)), kAnalisi, {}, {}, {}};
    LetturePeriodo ore;
    ASSERT_TRUE(ore.Apri(percorso, a, b));
    ASSERT_TRUE(ore.Compatte());
    const RisultatoAnalisi r = AnalisiTotale(ore, p);
    const QByteArray report = LeggiTutto(r.percorsoReport);
    DatabaseLogs db;
    ASSERT_TRUE(db.Apri(percorso, a, b));
    const RisultatoAnalisi atteso = AnalisiTotale(db.Cursore(), p);
    EXPECT_EQ(r.esito, atteso.esito);
    EXPECT_EQ(report, LeggiTutto(atteso.percorsoReport)) << a << " " << b;
    ASSERT_EQ(r.didascalie.size(), atteso.didascalie.size());
    for (std::size_t d = 0; d < r.didascalie.size(); ++d)
      EXPECT_EQ(r.didascalie[d].testo, atteso.didascalie[d].testo);
    EXPECT_EQ(r.carichi, atteso.carichi);
    EXPECT_EQ(r.anomalie, atteso.anomalie);
  }
}

}  // namespace
}  // namespace quarvel
