#include "CampioniProva.h"
#include "CartellaProva.h"
#include "DatabaseVeicolo.h"
#include "Messaggi.h"
#include "StringCSV.h"

using namespace quarvel;

namespace {
class StringCSVProva : public CartellaProva {
 protected:
  void TearDown() override { ChiudiLogs(); }
  RegistratoreMessaggi messaggi_;
};
}  // namespace

// A recording as the logger writes it, line by line into the shared
// database: the result text of each line, and a second stored once.
TEST_F(StringCSVProva, RisultatiDelleRigheECampioniSalvati) {
  const DatabaseAperto db = ApriDatabaseVeicolo("AB123CD", "2026", 0);
  ASSERT_TRUE(db.esito);
  const std::pair<std::string, QString> righe[] = {
      {"Data,Ora,ID=4711", "Prima riga"},
      {"Data,Ora,N Status,Livello,Giri,Velocita", "intestazione"},
      {"04/12/2026,22.12.05,65535,0,26214,8001,40000,40000,26214,", "Record salvato"},
      {"04/12/2026,22.12.06,1,2,45.5,1450,5,63,7,8,340,10,", "Record salvato"},
      {"04/12/2026,22.12.06,1,2,45.5,1450,5,63,7,8,340,10,", "Errore record duplicato"},
      {"04/12/2026 22:12 riga \xe8 rovinata", "04/12/2026 22:12 riga è rovinata"}};
  QString risultato;
  for (const auto& [riga, atteso] : righe) {
    StringCSV_to_DB(riga, risultato, 0);
    EXPECT_EQ(risultato, atteso);
  }
  StringCSV_to_DB(QStringLiteral("Targa è ignota"), risultato, 0);
  EXPECT_EQ(risultato, "Targa è ignota");
  ChiudiLogs();
  EXPECT_EQ(LeggiCampioni(db.percorso).size(), 2u);
  EXPECT_TRUE(messaggi_.messaggi.empty());
}
