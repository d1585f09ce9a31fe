#include "Argomenti.h"
#include "Simulatore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quarvel::simulatore;

namespace {
class Raccolta : public Destinazione {
 public:
  std::vector<std::string> nomi, righe;
  bool NuovoFile(const std::string& nome) override {
    nomi.push_back(nome);
    return true;
  }
  bool Riga(std::string_view riga) override {
    righe.emplace_back(riga);
    return true;
  }
  bool ChiudiFile() override { return true; }
  std::string Errore() const override { return {}; }
};
}  // namespace

// The same options give the same lines on every machine: benchmark runs
// compare like with like.
TEST(Simulatore, StessoSemeStessiFile) {
  Opzioni o;
  o.giorni = 1;
  o.seme = 7;
  o.ore = 2;
  Raccolta r;
  ASSERT_EQ(Simula(o, r).errore, "");
  EXPECT_EQ(r.nomi, std::vector<std::string>{"LOG_20261102.CSV"});
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a of the whole text, line ends included
  for (const auto& riga : r.righe)
    for (char c : riga + "\r\n") hash = (hash ^ uint8_t(c)) * 1099511628211ULL;
  EXPECT_EQ(hash, 2702588711403578758ULL);
}

// A usage error exits with status 2 and says why; a good command writes the
// files and a ground truth that reads back.
TEST(Simulatore, RigaDiComandoEFileDellaVerita) {
  const RigaComando r = LeggiRigaComando({"--dal=2026-12-01", "--seme", "42", "--cartella", "a"});
  EXPECT_EQ(r.errore, "");
  EXPECT_EQ(r.opzioni.dal, *quarvel::IstanteDa(2026, 12, 1));
  EXPECT_EQ(r.opzioni.seme, 42u);
  QTemporaryDir dir;
  QProcess p;
  p.start(QStringLiteral(QUARVEL_SIMULATORE), {"--giorni", "0", "--cartella", dir.path()});
  ASSERT_TRUE(p.waitForFinished());
  EXPECT_EQ(p.exitCode(), 2);
  EXPECT_TRUE(p.readAllStandardError().startsWith("quarvel-simulatore: i giorni devono"));
  p.start(QStringLiteral(QUARVEL_SIMULATORE), {"--ore", "1", "--giorni", "1", "--cartella", dir.path()});
  ASSERT_TRUE(p.waitForFinished());
  EXPECT_EQ(p.exitCode(), 0);
  EXPECT_TRUE(LeggiVerita(FileVerita(dir.path().toStdString())));
}
