// A simulated week through the real import and the consumption analysis,
// against the ground truth the simulator wrote beside its files.
#include "AnalisiConsumi.h"
#include "ImportProva.h"
#include "Simulatore.h"
#include "Verita.h"

using namespace quarvel;
namespace sim = quarvel::simulatore;

using FineAFine = ImportProva;

TEST_F(FineAFine, UnaSettimanaSimulataArrivaIntegraNelDatabase) {
  // Seed 3 puts a refuel and a theft in the week.
  const std::string cartella = Percorso("sim").toStdString();
  ASSERT_EQ(sim::ScriviCartella({.giorni = 7, .seme = 3}, cartella).errore, "");
  std::string errore;
  const std::optional<sim::Verita> letta = sim::LeggiVerita(sim::FileVerita(cartella), &errore);
  ASSERT_TRUE(letta) << errore;
  const sim::Verita& verita = *letta;
  const QString log = QString::fromStdString(sim::CartellaLog(cartella));
  const RisultatoImport esito = EseguiImport(Richiesta(log), nullptr);
  ASSERT_EQ(esito.stato, StatoImport::Completata);
  const sim::Totali& t = verita.totale;
  // Only the recording headers are lines not stored.
  EXPECT_EQ(std::tuple(esito.fileLetti, esito.recordSalvati, esito.viaggi, esito.righeNonSalvate),
            std::tuple(int(verita.file.size()), t.campioni, t.registrazioni, t.registrazioni));

  // The week has what the import must cope with: seconds lost now and then
  // inside a recording, channels without a reading.
  ASSERT_TRUE(ApriLogs(Database()).ok);
  CursoreLogs& c = RecordsetLogs();
  int64_t buchi = 0, senzaLettura = 0;
  Istante prima = 0;
  for (c.Primo(); !c.AllaFine(); prima = c.TimeDate(), c.Successivo()) {
    buchi += c.Intero(kDatoPT) > 0 && c.TimeDate() - prima > 1;
    senzaLettura += c.Reale(kDato2) == -1 || c.Intero(kDato3) == -1 || c.Intero(kDato5) == -1;
  }
  EXPECT_GT(buchi, 0);
  EXPECT_GT(senzaLettura, 0);
  c.Primo();
  EXPECT_EQ(c.TimeDate(), t.inizio);
  c.Ultimo();
  EXPECT_EQ(c.TimeDate(), t.fine);

  ParametriAnalisi p;
  p.targa = "AB123CD";
  p.sogliaGasolio = 25;
  p.carburante = ParametriCarburante{.capacita = verita.opzioni.capacita};
  p.istanteAnalisi = *IstanteDa(2026, 12, 4, 9, 0, 0);
  const RisultatoAnalisi a = AnalisiTotale(c, p);
  ChiudiLogs();
  ASSERT_EQ(a.esito, EsitoAnalisi::Completa);
  const auto& s = a.totali;
  EXPECT_EQ(std::tuple(s.NumeroAccensioni, s.SecondiAcceso, s.SecondiMarcia, s.SommaGasolio,
                       s.SommaGasolioMarcia, s.SommaVelocita, s.VelocitaMax, s.KmIniziali, s.ContaLitriFinali),
            std::tuple(t.registrazioni, t.secondiAcceso, t.secondiMarcia, t.sommaGasolio, t.sommaGasolioMarcia,
                       t.sommaVelocita, t.velocitaMax, verita.kmCruscottoIniziali,
                       verita.litriCruscottoFinali));
  // Every refuel and loss in litres, near its real span, and nothing else.
  const auto& trovati = a.carburante.eventi;
  ASSERT_GE(verita.eventi.size(), 4u);
  ASSERT_EQ(trovati.size(), verita.eventi.size());
  for (std::size_t i = 0; i < trovati.size(); ++i) {
    const sim::EventoCarburante& v = verita.eventi[i];
    EXPECT_EQ(trovati[i].tipo == TipoEventoCarburante::Rifornimento, v.rifornimento) << i;
    EXPECT_EQ(trovati[i].motore == MotoreEvento::Spento, v.motoreSpento) << i;
    EXPECT_NEAR(trovati[i].litri, v.litri, std::max(3.0, 0.05 * v.litri)) << i;
    EXPECT_LE(std::abs(trovati[i].inizio - v.inizio) + std::abs(trovati[i].fine - v.fine), 300) << i;
  }
  EXPECT_NEAR(a.carburante.bilancio.Scarto(), verita.ScartoVero(), 0.03 * verita.opzioni.capacita);

  // The alert level's jumps, at their second, after the first reading,
  // which the analysis sees as a rise from 0.
  ASSERT_FALSE(verita.carichi.empty() || verita.furti.empty());
  ASSERT_EQ(a.carichi.size(), verita.carichi.size() + 1);
  ASSERT_EQ(a.anomalie.size(), verita.furti.size());
  EXPECT_TRUE(a.carichi[0].contains(TestoDataGenerale(verita.primoLivello.istante)));
  for (std::size_t i = 0; i < verita.carichi.size(); ++i)
    EXPECT_TRUE(a.carichi[i + 1].contains(TestoDataGenerale(verita.carichi[i].istante)))
        << a.carichi[i + 1].toStdString();
  for (std::size_t i = 0; i < verita.furti.size(); ++i)
    EXPECT_TRUE(a.anomalie[i].contains(TestoDataGenerale(verita.furti[i].istante)))
        << a.anomalie[i].toStdString();
}
