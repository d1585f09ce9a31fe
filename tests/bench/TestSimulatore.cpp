#include "Simulatore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quarvel::simulatore;

// The same options give the same files, CR LF line ends included, on every
// machine: benchmark runs compare like with like.
TEST(Simulatore, StessoSemeStessiFile) {
  QTemporaryDir dir;
  ASSERT_EQ(ScriviCartella({.giorni = 1, .seme = 7, .ore = 2}, dir.path().toStdString()).errore, "");
  QFile file(QString::fromStdString(CartellaLog(dir.path().toStdString()) / "LOG_20261102.CSV"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a of the whole file
  for (char c : file.readAll()) hash = (hash ^ uint8_t(c)) * 1099511628211ULL;
  EXPECT_EQ(hash, 14975641187941368413ULL);
}
