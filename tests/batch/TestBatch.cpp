#include "Anagrafica.h"
#include "CartellaProva.h"
#include "ComandiBatch.h"
#include "Impostazioni.h"
#include "Messaggi.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace quarvel;

class Batch : public CartellaProva {
 protected:
  RegistratoreMessaggi messaggi_;  // the summary of an import
};

TEST_F(Batch, ErroriDUsoEscono2SenzaToccareNulla) {
  ScriviTutto(Percorso("chiavetta/LOG_A.CSV"), LeggiTutto(DatoProva("import/LOG_A.CSV")));
  EXPECT_EQ(EseguiComandoBatch({}), 2);
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("manca")}), 2);
  EXPECT_EQ(EseguiComandoBatch({"importa", " ", Percorso("chiavetta")}), 2);
  EXPECT_EQ(EseguiComandoBatch({"cancella", "AB123CD"}), 2);
  EXPECT_EQ(EseguiComandoBatch({"registra", "AB123CD", "Iveco", "molti", "600", "1"}), 2);
  EXPECT_TRUE(QFile::exists(Percorso("chiavetta/LOG_A.CSV")));
  EXPECT_TRUE(QDir(Percorso("DATA")).isEmpty());
}

TEST_F(Batch, RegistraEImportaComeLeFinestre) {
  EXPECT_EQ(EseguiComandoBatch({"registra", "AB123CD", "Iveco Stralis", "400", "600", "1.2"}), 0);
  EXPECT_EQ(EseguiComandoBatch({"registra", "ab123cd", "Altro", "400", "600", "1"}), 1);
  const ElencoTarghe elenco = TargheAnagrafica(Imp().PercorsoAnagrafica);
  EXPECT_EQ(elenco.targhe, QStringList{"AB123CD"});

  ScriviTutto(Percorso("chiavetta/LOG_A.CSV"), LeggiTutto(DatoProva("import/LOG_A.CSV")));
  EXPECT_EQ(EseguiComandoBatch({"importa", "AB123CD", Percorso("chiavetta")}), 0);
  EXPECT_FALSE(QFile::exists(Percorso("chiavetta/LOG_A.CSV")));
  EXPECT_TRUE(QFile::exists(Percorso("DATA/AB123CD_ ") + QString::number(QDate::currentDate().year()) +
                            ".mdb"));
}
