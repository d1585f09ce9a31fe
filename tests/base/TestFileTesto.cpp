#include "CartellaProva.h"
#include "FileTesto.h"

#include <gtest/gtest.h>

using namespace quarvel;

class FileTestoProva : public CartellaProva {};

TEST_F(FileTestoProva, RigheConOgniFineRigaELatino1) {
  EXPECT_EQ(DividiRighe(QStringLiteral("a\r\nb\nc\rd")),
            (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(DividiRighe(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
  ScriviTutto(Percorso("latino.txt"), QByteArray("Capacit\xe0\r\n"));
  EXPECT_EQ(LeggiRigheTesto(Percorso("latino.txt")), QStringList{QStringLiteral("Capacità")});
  EXPECT_FALSE(LeggiRigheTesto(Percorso("manca.txt")).has_value());
}

TEST_F(FileTestoProva, ScritturaConCrLfInUtf8) {
  {
    ScrittoreTesto s(Percorso("uscita.txt"), ScrittoreTesto::Modo::Sostituisci);
    s.Riga(QStringLiteral("Velocità"));
    EXPECT_TRUE(s.Chiudi());
  }
  {
    ScrittoreTesto s(Percorso("uscita.txt"), ScrittoreTesto::Modo::Accoda);
    s.Riga(QStringLiteral(" 5"));
    s.Chiudi();
  }
  EXPECT_EQ(LeggiTutto(Percorso("uscita.txt")), QByteArray("Velocit\xc3\xa0\r\n 5\r\n"));
  ScrittoreTesto nessuno(Percorso("manca/x.txt"), ScrittoreTesto::Modo::Sostituisci);
  EXPECT_FALSE(nessuno.Aperto());
  EXPECT_FALSE(nessuno.Riga(QStringLiteral("x")));
}
