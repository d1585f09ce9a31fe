#include "GiornataProva.h"

#include "DatabaseVeicolo.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quarvel {

std::vector<CampioneLog> MattinaCamion(Istante inizio, int variante) {
  std::vector<CampioneLog> v;
  double km = 150000 + 1000 * variante, litri = 40000;
  float livello = 50;
  Istante t = inizio;
  // One recording: seconds idling, driving, idling again.
  const auto registrazione = [&](int fermoPrima, int marcia, int fermoDopo) {
    for (int i = 0; i < fermoPrima + marcia + fermoDopo; ++i, ++t) {
      CampioneLog& c = v.emplace_back();
      c.TimeDate = c.TimeDateLH = t;
      c.DatoPT = int16_t(i);
      const bool inMarcia = i >= fermoPrima && i < fermoPrima + marcia;
      c.Dato3 = int16_t(inMarcia ? 1300 + i % 400 : 700);
      c.Dato5 = int16_t(inMarcia ? 40 + (i * 7 + 3 * variante) % 56 : 0);
      c.Dato8 = inMarcia ? 450 + (i * 13 + 20 * variante) % 300 : 40 + variante;
      // The level sloshes while moving and settles at a stop.
      c.Dato2 = inMarcia ? livello + float(i % 7) - 3 : livello;
      c.Dato14 = int16_t(c.Dato2 * 4);
      km += c.Dato5 / 3600.0;
      litri += c.Dato8 * 0.05 / 3600;
      c.Dato10 = km;
      c.Dato11 = litri;
      // Now and then no reading.
      if (i % 997 == 500) c.Dato8 = -1;
      if (i % 1301 == 700) c.Dato5 = -1;
    }
  };
  registrazione(300, 1500, 200);
  t += 3600;
  livello += variante % 2 == 0 ? 20 : -5;  // 80 litres in, or 20 out
  registrazione(200, 900, 100);
  return v;
}

QString ScriviMattina(const QString& percorso, const std::vector<CampioneLog>& campioni) {
  if (!QFile::exists(percorso)) {
    EXPECT_TRUE(QFile::copy(PercorsoModello(0), percorso));
  }
  DatabaseLogs db;
  EXPECT_TRUE(db.Apri(percorso));
  for (const CampioneLog& c : campioni) EXPECT_EQ(db.Scrivi(c), EsitoScrittura::Salvato);
  EXPECT_TRUE(db.Chiudi());
  return percorso;
}

}  // namespace quarvel
