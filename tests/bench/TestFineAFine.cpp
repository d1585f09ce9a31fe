#include "AnalisiConsumi.h"
#include "CartellaProva.h"
#include "CartellaProgramma.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "Messaggi.h"
#include "Simulatore.h"
#include "Verita.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace quarvel;
namespace sim = quarvel::simulatore;

namespace {
class FineAFine : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    InizializzaDefault();
    sim::Opzioni o;
    o.giorni = 7;
    o.seme = 11;
    const auto esito = sim::ScriviCartella(o, Percorso("sim").toStdString());
    ASSERT_TRUE(esito.errore.empty()) << esito.errore;
    verita_ = esito.verita;
    const QString log = QString::fromStdString(sim::CartellaLog(Percorso("sim").toStdString()));
    RichiestaImport r;
    r.targa = "AB123CD";
    r.cartellaSorgente = log;
    r.file = QDir(log).entryList(QDir::Files, QDir::Name);
    r.oggi = QDate(2026, 12, 4);
    import_ = EseguiImport(r, nullptr);
    ASSERT_EQ(import_.stato, StatoImport::Completata);
  }
  sim::Verita verita_;
  RisultatoImport import_;
  RegistratoreMessaggi messaggi_;
};
}  // namespace

TEST_F(FineAFine, UnaSettimanaSimulataArrivaIntegraNelDatabase) {
  const sim::Totali& t = verita_.totale;
  EXPECT_EQ(import_.fileLetti, int(verita_.file.size()));
  EXPECT_EQ(import_.recordSalvati, t.campioni);
  EXPECT_EQ(import_.viaggi, t.registrazioni);
  EXPECT_EQ(import_.righeNonSalvate, t.registrazioni);  // only the recording headers

  ASSERT_TRUE(ApriLogs(Percorso("DATA/AB123CD_ 2026.mdb")).ok);
  CursoreLogs& c = RecordsetLogs();
  c.Primo();
  EXPECT_EQ(c.TimeDate(), t.inizio);
  c.Ultimo();
  EXPECT_EQ(c.TimeDate(), t.fine);

  ParametriAnalisi p;
  p.targa = "AB123CD";
  p.sogliaGasolio = 25;
  p.istanteAnalisi = *IstanteDa(2026, 12, 4, 9, 0, 0);
  const RisultatoAnalisi a = AnalisiTotale(c, p);
  ChiudiLogs();
  ASSERT_EQ(a.esito, EsitoAnalisi::Completa);
  EXPECT_EQ(a.totali.NumeroAccensioni, t.registrazioni);
  EXPECT_EQ(a.totali.SecondiAcceso, t.secondiAcceso);
  EXPECT_EQ(a.totali.SecondiMarcia, t.secondiMarcia);
  EXPECT_EQ(a.totali.SommaGasolio, t.sommaGasolio);
  EXPECT_EQ(a.totali.SommaGasolioMarcia, t.sommaGasolioMarcia);
  EXPECT_EQ(a.totali.SommaVelocita, t.sommaVelocita);
  EXPECT_EQ(a.totali.VelocitaMax, t.velocitaMax);
  EXPECT_DOUBLE_EQ(a.totali.KmIniziali, verita_.kmCruscottoIniziali);
  EXPECT_DOUBLE_EQ(a.totali.ContaLitriFinali, verita_.litriCruscottoFinali);
  // Every refuel and theft, plus the first reading seen against 0.
  EXPECT_EQ(a.carichi.size(), verita_.carichi.size() + 1);
  EXPECT_EQ(a.anomalie.size(), verita_.furti.size());
}
