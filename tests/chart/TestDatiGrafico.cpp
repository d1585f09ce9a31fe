#include "CampioniProva.h"
#include "CartellaProva.h"
#include "CursoreVettore.h"
#include "DatiGrafico.h"
#include "Logs.h"

#include <memory>

using namespace quarvel;

namespace {
const Istante kInizio = *IstanteDa(2026, 3, 5, 8, 0, 0);

CampioneLog Campione(Istante t, float livello = 50, int16_t sensore = 300) {
  CampioneLog c;
  c.TimeDate = c.TimeDateLH = t;
  c.Dato2 = livello;
  c.Dato3 = 1500;
  c.Dato5 = 80;
  c.Dato14 = sensore;
  return c;
}

class DatiGraficoProva : public CartellaProva {
 protected:
  // A vehicle database of n records, one a second from 08:00.
  QString Database(int n) {
    return ScriviCampioni(Percorso("DATA/AB123CD_ 2026.mdb"), Secondi(kInizio, n), Campione(kInizio));
  }
  std::unique_ptr<DatiGrafico> dati_ = std::make_unique<DatiGrafico>();
};

std::unique_ptr<DatiGrafico> Carica(std::vector<CampioneLog> campioni) {
  auto d = std::make_unique<DatiGrafico>();
  d->Dato_C4.fill(777);  // what an earlier load left
  CursoreVettore c(std::move(campioni));
  c.Primo();
  CaricaCampioni(*d, c);
  return d;
}
}  // namespace

TEST_F(DatiGraficoProva, UnaPaginaIniziaDopoIRecordSaltati) {
  const QString percorso = Database(20000);
  ASSERT_TRUE(Carica4hGrafico(*dati_, percorso, 1));
  EXPECT_EQ(dati_->CampioniCaricati, 14399);
  EXPECT_EQ(TestoOrario(dati_->Orari[0]), "05/03/2026 08.00.01");
  EXPECT_EQ(dati_->Orari[14398], kInizio + 14399);
  for (int64_t p : {7199, 7200, 7201}) {
    ASSERT_TRUE(Carica4hGrafico(*dati_, percorso, double(p)));
    EXPECT_EQ(dati_->Orari[0], kInizio + p);
  }
  // A short page: the entries past it keep the earlier load.
  ASSERT_TRUE(Carica4hGrafico(*dati_, percorso, 2 * 7200));
  EXPECT_EQ(dati_->CampioniCaricati, 20000 - 14400);
  EXPECT_EQ(dati_->Orari[5600], kInizio + 7201 + 5600);
  ASSERT_TRUE(Carica4hGrafico(*dati_, percorso, 20000));
  EXPECT_EQ(dati_->CampioniCaricati, 0);
  EXPECT_FALSE(Carica4hGrafico(*dati_, Percorso("DATA/manca.mdb"), 1));
}

TEST_F(DatiGraficoProva, UnaPaginaRovinataNonCambiaIlBuffer) {
  const QString percorso = Database(5000);
  ASSERT_TRUE(Carica4hGrafico(*dati_, percorso, 0));
  DanneggiaUltimaFoglia(percorso, "Logs");
  const auto prima = std::make_unique<DatiGrafico>(*dati_);
  const Esito e = Carica4hGrafico(*dati_, percorso, 1);
  EXPECT_FALSE(e);
  EXPECT_TRUE(e.messaggio.contains("malformed")) << e.messaggio.toStdString();
  EXPECT_EQ(dati_->CampioniCaricati, prima->CampioniCaricati);
  EXPECT_EQ(dati_->Orari, prima->Orari);
}

TEST_F(DatiGraficoProva, IlSaltoTrovaIlMinutoEsatto) {
  const QString percorso = Database(20000);
  // 08:00:00 is record 1 counted from 1; 11:00:00 is 10801.
  EXPECT_EQ(OrdinaleDelMinuto(percorso, kInizio).valore, 1);
  EXPECT_EQ(OrdinaleDelMinuto(percorso, kInizio + 3 * 3600).valore, 10801);
  EXPECT_FALSE(OrdinaleDelMinuto(percorso, kInizio - 60).valore);
  // 0.5 and 1.5 blocks: halves to even.
  EXPECT_EQ(QList<int>({BloccoDelSalto(10801), BloccoDelSalto(3600), BloccoDelSalto(10800)}),
            QList<int>({2, 0, 2}));
}

TEST(CaricaCampioni, LivelloArrotondatoAlPari) {
  const auto d = Carica({Campione(kInizio, 62.5f), Campione(kInizio + 1, 63.5f),
                         Campione(kInizio + 2, -1), Campione(kInizio + 3, 1e6f)});
  EXPECT_EQ(std::vector<int16_t>(d->Dato_C1.begin(), d->Dato_C1.begin() + 4),
            (std::vector<int16_t>{62, 64, -1, 32767}));
}

TEST(CaricaCampioni, MediaMobileDelSensore) {
  // 10, 20, 30 with gaps of 1 and 2 seconds, then 40 after a gap of 3
  // seconds; 0 and -1 keep the earlier entry and stay out of the mean.
  auto d = Carica({Campione(kInizio, 0, 10), Campione(kInizio + 1, 0, 20),
                   Campione(kInizio + 3, 0, 30), Campione(kInizio + 6, 0, 40),
                   Campione(kInizio + 7, 0, 0), Campione(kInizio + 8, 0, -1),
                   Campione(kInizio + 9, 0, 50)});
  EXPECT_EQ(d->CampioniCaricati, 7);
  const std::vector<int16_t> attesi = {10, 15, 20, 40, 777, 777, 45};
  EXPECT_EQ(std::vector<int16_t>(d->Dato_C4.begin(), d->Dato_C4.begin() + 7), attesi);

  // Beyond 121 values the mean takes the last 121: 1..200 ends on 80..200.
  std::vector<CampioneLog> lunga;
  for (int i = 1; i <= 200; ++i) lunga.push_back(Campione(kInizio + i, 0, int16_t(i)));
  lunga[150].Dato14 = 3;  // 3 instead of 151 among the last 121
  d = Carica(lunga);
  EXPECT_EQ(d->Dato_C4[120], 61);
  EXPECT_EQ(d->Dato_C4[199], (140 * 121 - 148) / 121);
}
