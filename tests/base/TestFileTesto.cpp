#include "CartellaProva.h"
#include "FileTesto.h"

using namespace quarvel;
using FileTestoProva = CartellaProva;

// Read with any line end, as UTF-8 or else Windows-1252; written UTF-8 with
// CR LF, replaced or appended.
TEST_F(FileTestoProva, LetturaConOgniFineRigaScritturaConCrLf) {
  EXPECT_EQ(DividiRighe("a\r\nb\nc\rd\r\n\r\ne\r\n"), (QStringList{"a", "b", "c", "d", "", "e"}));
  ScriviTutto(Percorso("latino.txt"), QByteArray("Capacit\xe0 \x80\r\n"));
  EXPECT_EQ(LeggiRigheTesto(Percorso("latino.txt")), QStringList{"Capacità €"});
  EXPECT_FALSE(LeggiRigheTesto(Percorso("manca.txt")).has_value());

  for (auto modo : {ScrittoreTesto::Modo::Sostituisci, ScrittoreTesto::Modo::Accoda}) {
    ScrittoreTesto s(Percorso("uscita.txt"), modo);
    s.Riga(modo == ScrittoreTesto::Modo::Accoda ? " 5" : "Velocità");
    EXPECT_TRUE(s.Chiudi());
  }
  EXPECT_EQ(LeggiTutto(Percorso("uscita.txt")), QByteArray("Velocit\xc3\xa0\r\n 5\r\n"));
  ScrittoreTesto nessuno(Percorso("manca/x.txt"), ScrittoreTesto::Modo::Sostituisci);
  EXPECT_FALSE(nessuno.Riga("x"));
}
