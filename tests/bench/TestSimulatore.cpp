#include "Argomenti.h"
#include "Simulatore.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quarvel::simulatore;

// The same options give the same files, CR LF line ends included, on every
// machine: benchmark runs compare like with like.
TEST(Simulatore, StessoSemeStessiFile) {
  Opzioni o;
  o.giorni = 1;
  o.seme = 7;
  o.ore = 2;
  QTemporaryDir dir;
  ASSERT_EQ(ScriviCartella(o, dir.path().toStdString()).errore, "");
  QFile file(QString::fromStdString(CartellaLog(dir.path().toStdString()) / "LOG_20261102.CSV"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a of the whole file
  for (char c : file.readAll()) hash = (hash ^ uint8_t(c)) * 1099511628211ULL;
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
