#include "CartellaProva.h"
#include "LettoreRighe.h"
#include "StringCSV.h"

using namespace quarvel;

namespace {
struct Letta {
  std::string testo;
  int64_t lunghezza, fine;
  bool operator==(const Letta&) const = default;
};

std::vector<Letta> Leggi(const QString& percorso, int64_t da = 0) {
  LettoreRighe l;
  EXPECT_TRUE(l.Apri(percorso, da));
  std::vector<Letta> righe;
  RigaLetta r;
  while (l.Prossima(r)) righe.push_back({std::string(r.testo), r.lunghezza, r.fine});
  EXPECT_TRUE(l.Errore().isEmpty());
  return righe;
}
}  // namespace

using LettoreProva = CartellaProva;

TEST_F(LettoreProva, FineRigaDiOgniTipoAncheACavalloDeiBlocchi) {
  // Short lines, with a CR LF split by the end of the first read, a lone CR,
  // an empty line, a byte order mark, and no line end after the last line.
  std::string testo = "\xEF\xBB\xBF" "uno\r\n";
  const size_t cr = LettoreRighe::kBloccoLettura + LettoreRighe::kMassimaRiga - 1;
  while (testo.size() + 1002 < cr) testo += std::string(1000, 'x') + "\r\n";
  testo += std::string(cr - testo.size(), 'y') + "\r\ntre\rquattro\n\ncinque";
  ScriviTutto(Percorso("f.csv"), QByteArray::fromStdString(testo));

  std::vector<Letta> attese;  // the same text split in one go
  for (size_t i = 3, inizio = 3; i <= testo.size(); ++i) {
    if (i < testo.size() && testo[i] != '\r' && testo[i] != '\n') continue;
    const size_t fine = i + (i + 1 < testo.size() && testo[i] == '\r' && testo[i + 1] == '\n' ? 2 : 1);
    attese.push_back({testo.substr(inizio, i - inizio), int64_t(i - inizio),
                      int64_t(std::min(fine, testo.size()))});
    i = fine - 1;
    inizio = fine;
  }
  const std::vector<Letta> righe = Leggi(Percorso("f.csv"));
  ASSERT_EQ(righe, attese);
  // Going on from a line's end gives the lines that followed it.
  EXPECT_EQ(Leggi(Percorso("f.csv"), righe[3].fine), std::vector<Letta>(righe.begin() + 4, righe.end()));

  ScriviTutto(Percorso("a_capo.csv"), "a\r\n");
  EXPECT_EQ(Leggi(Percorso("a_capo.csv")).size(), 1u);
}

TEST_F(LettoreProva, UnaRigaSenzaFineTieneSoloIlSuoInizio) {
  const std::string enorme(5 << 20, '7');
  ScriviTutto(Percorso("f.csv"), QByteArray::fromStdString("a\n" + enorme + "\nb"));
  const std::vector<Letta> righe = Leggi(Percorso("f.csv"));
  ASSERT_EQ(righe.size(), 3u);
  EXPECT_EQ(righe[1].testo.size(), size_t(LettoreRighe::kMassimaRiga));
  EXPECT_EQ(righe[1].lunghezza, int64_t(enorme.size()));
  EXPECT_EQ(righe[2], (Letta{"b", 1, int64_t(enorme.size()) + 4}));
}

TEST(RigaErrata, TagliataAMilleCaratteriConIlSegno) {
  // Two-byte characters: a byte cut would show half of one.
  std::string riga;
  for (int i = 0; i < 1500; ++i) riga += "\xC3\xA8";
  const QString testo = TestoRigaErrata(riga);
  EXPECT_TRUE(testo.startsWith(QString(kMassimoErrore, QChar(0xE8)) + " [... riga tagliata"));
  EXPECT_TRUE(testo.endsWith("3000 byte in tutto]"));
  // Only the start of a longer line was kept: the marker says how long it was.
  EXPECT_TRUE(TestoRigaErrata("abc", 70000).endsWith("70000 byte in tutto]"));
  // Not UTF-8: Windows-1252, where 0x80 is the euro sign.
  EXPECT_EQ(TestoRigaErrata("10 \x80 \x93ok\x94"), QString::fromUtf8("10 € “ok”"));
}
