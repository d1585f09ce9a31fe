#include "CampioniProva.h"

#include "DatabaseVeicolo.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quarvel {

std::vector<Istante> Secondi(Istante da, int n, int passo) {
  std::vector<Istante> v;
  for (int i = 0; i < n; ++i) v.push_back(da + Istante(i) * passo);
  return v;
}

QString ScriviCampioni(const QString& percorso, const std::vector<Istante>& istanti,
                       const CampioneLog& modello) {
  if (!QFile::exists(percorso)) {
    EXPECT_TRUE(QFile::copy(PercorsoModello(0), percorso));
  }
  DatabaseLogs db;
  EXPECT_TRUE(db.Apri(percorso));
  for (Istante t : istanti) {
    CampioneLog c = modello;
    c.TimeDate = c.TimeDateLH = t;
    EXPECT_NE(db.Scrivi(c), EsitoScrittura::Errore);
  }
  EXPECT_TRUE(db.Chiudi());
  return percorso;
}

std::vector<CampioneLog> LeggiCampioni(const QString& percorso) {
  std::vector<CampioneLog> v;
  DatabaseLogs db;
  EXPECT_TRUE(db.Apri(percorso));
  CursoreLogs& c = db.Cursore();
  for (c.Primo(); !c.AllaFine(); c.Successivo()) v.push_back(c.Campione());
  EXPECT_EQ(c.Errore(), "");
  return v;
}

}  // namespace quarvel
