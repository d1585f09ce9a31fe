#include "CampioniProva.h"

#include "DatabaseVeicolo.h"
#include "LetturePeriodo.h"

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

namespace {
std::vector<LetturaCampione> Tutte(SorgenteLetture& sorgente) {
  std::vector<LetturaCampione> v;
  for (auto blocco = sorgente.Prossime(); !blocco.empty(); blocco = sorgente.Prossime())
    v.insert(v.end(), blocco.begin(), blocco.end());
  EXPECT_EQ(sorgente.Errore(), "");
  return v;
}
}  // namespace

std::vector<LetturaCampione> LettureDiRiferimento(const QString& percorso, Istante inizio,
                                                  Istante fine) {
  DatabaseLogs db;
  EXPECT_TRUE(db.Apri(percorso, inizio, fine));
  LettureDaCursore letture(db.Cursore());
  return Tutte(letture);
}

std::vector<LetturaCampione> LettureScelte(const QString& percorso, Istante inizio, Istante fine,
                                           bool* compatte) {
  LetturePeriodo letture;
  EXPECT_TRUE(letture.Apri(percorso, inizio, fine));
  if (compatte) *compatte = letture.Compatte();
  return Tutte(letture);
}

}  // namespace quarvel
