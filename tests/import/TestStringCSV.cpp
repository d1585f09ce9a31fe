#include "CartellaProva.h"
#include "DatabaseVeicolo.h"
#include "DecodificaRiga.h"
#include "Logs.h"
#include "Messaggi.h"
#include "StringCSV.h"

using namespace quarvel;

namespace {
class StringCSVProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    ASSERT_TRUE(ApriDatabaseVeicolo("AB123CD", "2026", 0).esito);
  }
  void TearDown() override { ChiudiLogs(); }
  RegistratoreMessaggi messaggi_;
};
}  // namespace

// A recording as the logger writes it, imported twice, and read back.
TEST_F(StringCSVProva, RisultatiDelleRigheECampioniSalvati) {
  const std::string righe[] = {
      "Data,Ora,ID=4711",
      "Data,Ora,N Status,Livello,Giri,Velocita",
      "04/12/2026,22.12.05,65535,0,26214,8001,40000,40000,26214,40000,40000,40000,1.5,2,40000,"
      "26214,40000,40000,",
      "04/12/2026,22.12.06,1,2,45.5,1450,5,63,7,8,340,10,123456.7,34567.25,13,14.5,250,16,",
      "04/12/2026 22:12 riga \xe8 rovinata",
      ""};
  const QString attesi[] = {"Prima riga", "intestazione", "Record salvato", "Record salvato",
                            "04/12/2026 22:12 riga è rovinata", ""};
  QString risultato;
  float contatore = 0;
  for (int i = 0; i < 6; ++i) {
    StringCSV_to_DB(righe[i], risultato, contatore);
    EXPECT_EQ(risultato, attesi[i]);
    if (risultato == "Record salvato") ++contatore;
  }
  StringCSV_to_DB(QString::fromStdString(righe[3]), risultato, 9);
  EXPECT_EQ(risultato, "Errore record duplicato");
  StringCSV_to_DB(QStringLiteral("Targa è ignota"), risultato, 0);
  EXPECT_EQ(risultato, "Targa è ignota");

  CursoreLogs& c = RecordsetLogs();
  c.Primo();
  EXPECT_EQ(c.Campione(), DecodificaRigaCSV(righe[2], 0).campione);
  c.Successivo();
  EXPECT_EQ(c.Campione(), DecodificaRigaCSV(righe[3], 1).campione);
  c.Successivo();
  EXPECT_TRUE(c.AllaFine());
  EXPECT_TRUE(messaggi_.messaggi.empty());
}
