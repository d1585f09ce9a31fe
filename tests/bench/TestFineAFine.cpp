// A simulated week through the real import and the consumption analysis,
// against the ground truth the simulator wrote beside its files.
#include "AnalisiConsumi.h"
#include "ImportProva.h"
#include "Simulatore.h"
#include "Verita.h"

using namespace quarvel;
namespace sim = quarvel::simulatore;

namespace {
class FineAFine : public ImportProva {
 protected:
  void SetUp() override {
    ImportProva::SetUp();
    // Seed 3 puts a refuel and a theft in the week.
    sim::Opzioni o;
    o.giorni = 7;
    o.seme = 3;
    const std::string cartella = Percorso("sim").toStdString();
    ASSERT_EQ(sim::ScriviCartella(o, cartella).errore, "");
    std::string errore;
    const auto verita = sim::LeggiVerita(sim::FileVerita(cartella), &errore);
    ASSERT_TRUE(verita) << errore;
    verita_ = *verita;
    import_ = EseguiImport(Richiesta(QString::fromStdString(sim::CartellaLog(cartella))), nullptr);
    ASSERT_EQ(import_.stato, StatoImport::Completata);
  }
  sim::Verita verita_;
  RisultatoImport import_;
};
}  // namespace

TEST_F(FineAFine, UnaSettimanaSimulataArrivaIntegraNelDatabase) {
  const sim::Totali& t = verita_.totale;
  // Only the recording headers are lines not stored.
  EXPECT_EQ(std::tuple(import_.fileLetti, import_.recordSalvati, import_.viaggi, import_.righeNonSalvate),
            std::tuple(int(verita_.file.size()), t.campioni, t.registrazioni, t.registrazioni));

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
  p.carburante = ParametriCarburante{.capacita = verita_.opzioni.capacita};
  p.istanteAnalisi = *IstanteDa(2026, 12, 4, 9, 0, 0);
  const RisultatoAnalisi a = AnalisiTotale(c, p);
  ChiudiLogs();
  ASSERT_EQ(a.esito, EsitoAnalisi::Completa);
  const auto& s = a.totali;
  EXPECT_EQ(std::tuple(s.NumeroAccensioni, s.SecondiAcceso, s.SecondiMarcia, s.SommaGasolio,
                       s.SommaGasolioMarcia, s.SommaVelocita, s.VelocitaMax, s.KmIniziali, s.ContaLitriFinali),
            std::tuple(t.registrazioni, t.secondiAcceso, t.secondiMarcia, t.sommaGasolio, t.sommaGasolioMarcia,
                       t.sommaVelocita, t.velocitaMax, verita_.kmCruscottoIniziali,
                       verita_.litriCruscottoFinali));
  // Every refuel and loss in litres, near its real span, and nothing else.
  const auto& trovati = a.carburante.eventi;
  ASSERT_GE(verita_.eventi.size(), 4u);
  ASSERT_EQ(trovati.size(), verita_.eventi.size());
  for (std::size_t i = 0; i < trovati.size(); ++i) {
    const sim::EventoCarburante& v = verita_.eventi[i];
    EXPECT_EQ(trovati[i].tipo == TipoEventoCarburante::Rifornimento, v.rifornimento) << i;
    EXPECT_EQ(trovati[i].motore == MotoreEvento::Spento, v.motoreSpento) << i;
    EXPECT_NEAR(trovati[i].litri, v.litri, std::max(3.0, 0.05 * v.litri)) << i;
    EXPECT_LE(std::abs(trovati[i].inizio - v.inizio) + std::abs(trovati[i].fine - v.fine), 300) << i;
  }
  EXPECT_NEAR(a.carburante.bilancio.Scarto(), verita_.ScartoVero(), 0.03 * verita_.opzioni.capacita);

  // The alert level's jumps, at their second, after the first reading,
  // which the analysis sees as a rise from 0.
  ASSERT_FALSE(verita_.carichi.empty() || verita_.furti.empty());
  ASSERT_EQ(a.carichi.size(), verita_.carichi.size() + 1);
  ASSERT_EQ(a.anomalie.size(), verita_.furti.size());
  EXPECT_TRUE(a.carichi[0].contains(TestoDataGenerale(verita_.primoLivello.istante)));
  for (std::size_t i = 0; i < verita_.carichi.size(); ++i)
    EXPECT_TRUE(a.carichi[i + 1].contains(TestoDataGenerale(verita_.carichi[i].istante)))
        << a.carichi[i + 1].toStdString();
  for (std::size_t i = 0; i < verita_.furti.size(); ++i)
    EXPECT_TRUE(a.anomalie[i].contains(TestoDataGenerale(verita_.furti[i].istante)))
        << a.anomalie[i].toStdString();
}
