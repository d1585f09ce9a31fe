#include "Anagrafica.h"
#include "CartellaDati.h"
#include "CartellaProgramma.h"
#include "CartellaProva.h"
#include "DatabaseVeicolo.h"
#include "Logs.h"

#include <QDir>
#include <QDirIterator>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarvel;

namespace {
// The program folder as the package installs it (no DATA, REPORT or
// registry), read-only, with XDG_DATA_HOME in a folder of the test's own.
class CartellaInstallata : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    ASSERT_TRUE(xdg_.isValid());
    QDir(Percorso("DATA")).removeRecursively();
    QDir(Percorso("REPORT")).removeRecursively();
    QFile::remove(Percorso("DB/Anagrafica97.mdb"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(xdg_.path()));
    ImpostaCartellaProgramma(dir_.path());
  }
  void TearDown() override {
    ChiudiAnagrafica();
    SolaLettura(false);
    qunsetenv("XDG_DATA_HOME");
  }
  void SolaLettura(bool si) {
    std::error_code ignora;
    for (const QString& c : {dir_.path(), Percorso("DB"), Percorso("DATA")})
      std::filesystem::permissions(c.toStdString(), std::filesystem::perms(si ? 0555 : 0755), ignora);
  }
  QStringList Contenuto() const {
    QStringList voci;
    for (QDirIterator it(dir_.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();)
      voci << it.next();
    voci.sort();
    return voci;
  }
  QString Dati(const QString& parte = {}) const {
    return QDir::cleanPath(xdg_.path() + "/quarvel/" + parte);
  }
  QTemporaryDir xdg_;
};

// Root may write anywhere, so a folder's permissions prove something only
// for an ordinary user: as root the check runs in a child as nobody.
bool SenzaPrivilegi(const std::function<bool()>& prova) {
  if (geteuid() != 0) return prova();
  const pid_t figlio = fork();
  if (figlio == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && prova() ? 0 : 1);
  int stato = 0;
  waitpid(figlio, &stato, 0);
  return WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
}
}  // namespace

TEST_F(CartellaInstallata, ScriveNellaCartellaDellUtenteEFaLAnagraficaDalModello) {
  SolaLettura(true);
  const QStringList installata = Contenuto();
  ASSERT_EQ(CartellaDati(), Dati());
  ASSERT_TRUE(PreparaCartellaDati());
  EXPECT_TRUE(QFileInfo(Dati("DATA")).isDir() && QFileInfo(Dati("REPORT")).isDir());
  ASSERT_TRUE(ApriAnagrafica(Dati("DB/Anagrafica97.mdb")));
  ASSERT_TRUE(InserisciAnagrafica({"AB123CD", "Iveco Stralis", 400, 60, 1.0, 0.5, ""}));
  ChiudiAnagrafica();
  // A vehicle database from the program folder's template, in the user's DATA.
  DatabaseLogs db;
  const DatabaseAperto veicolo = ApriDatabaseVeicolo("AB123CD", "2026", 0, db);
  EXPECT_TRUE(veicolo.esito) << veicolo.esito.messaggio.toStdString();
  EXPECT_EQ(veicolo.percorso, Dati("DATA/AB123CD_ 2026.mdb"));
  db.Chiudi();
  EXPECT_EQ(Contenuto(), installata);

  // The next start finds the registry and keeps its vehicles.
  ImpostaCartellaProgramma(dir_.path());
  ASSERT_TRUE(PreparaCartellaDati());
  EXPECT_EQ(TargheAnagrafica(Dati("DB/Anagrafica97.mdb")).targhe, QStringList{"AB123CD"});
}

TEST_F(CartellaInstallata, UnaCartellaDatiImpossibileDaCreareLoDice) {
  ScriviTutto(xdg_.filePath("file"), "non una cartella");
  qputenv("XDG_DATA_HOME", QFile::encodeName(xdg_.filePath("file")));
  ImpostaCartellaProgramma(dir_.path());
  const Esito esito = PreparaCartellaDati();
  EXPECT_FALSE(esito);
  const QString atteso = "Impossibile preparare la cartella dei dati " + xdg_.filePath("file/quarvel");
  EXPECT_TRUE(esito.messaggio.startsWith(atteso)) << esito.messaggio.toStdString();
}

TEST_F(CartellaInstallata, UnaCartellaProgrammaConDATATieneIDatiSoloSeSiPuoScrivere) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("DATA"));
  ImpostaCartellaProgramma(dir_.path());
  EXPECT_EQ(CartellaDati(), dir_.path());  // the build folder, a copy on a stick
  SolaLettura(true);
  const QString programma = dir_.path(), attesa = Dati();
  EXPECT_TRUE(SenzaPrivilegi([&] {
    ImpostaCartellaProgramma(programma);
    return CartellaDati() == attesa;
  }));
}
