// Every command of quarvel-batch, taken from its table (a new command is
// tried with nothing added here), with random and hostile arguments: empty
// and very long texts, folders, devices, missing files, wrong dates,
// numbers out of range. It exits 2 with the usage text or 1 with a message,
// or does the work; it never crashes and never writes a file outside the
// program's folders but the one it was asked to write.
#include "CampioniProva.h"
#include "CartellaProva.h"
#include "ComandiBatch.h"
#include "Messaggi.h"
#include "SupportoBatch.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <random>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace quarvel;

namespace {
// The files below the folder, with their size and time; without those
// below DATA, REPORT and DB (the program's own) when `fuori`.
std::map<QString, QString> File(const QString& cartella, bool fuori) {
  std::map<QString, QString> f;
  for (QDirIterator it(cartella, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
       it.hasNext();) {
    const QFileInfo v = it.nextFileInfo();
    if (!fuori || !QRegularExpression("/(DATA|REPORT|DB)(/|$)").match(v.filePath()).hasMatch())
      f[v.filePath()] = QString::number(v.size()) + v.lastModified().toString(Qt::ISODateWithMs);
  }
  return f;
}
}  // namespace

TEST_F(CartellaProva, OgniComandoConArgomentiOstiliEsce1O2ENonScriveFuori) {
  RegistratoreMessaggi messaggi;
  const QString db =
      ScriviCampioni(Percorso("DATA/AB123CD_ 2024.mdb"), Secondi(*IstanteDa(2024, 2, 5, 10, 0, 0), 600));
  const QString chiavetta = Chiavetta(), lavoro = Percorso("lavoro"), dispositivi = Percorso("dispositivi");
  QDir().mkpath(lavoro);
  QDir().mkpath(dispositivi);
  // Devices: as root, nodes of our own (writing over /dev/null would break
  // the machine if a check went missing); otherwise the system's, which a
  // user cannot replace.
  QStringList nodi;
  const std::pair<const char*, int> tipi[] = {{"null", 3}, {"zero", 5}, {"full", 7}};
  for (const auto& [nome, minore] : tipi) {
    const QString nodo = dispositivi + '/' + nome;
    nodi << (::geteuid() == 0 && ::mknod(nodo.toUtf8().constData(), S_IFCHR | 0666, makedev(1, minore)) == 0
                 ? nodo
                 : QString("/dev/") + nome);
  }
  const QStringList valori = {
      "", QString(70000, 'x'), QString(300, '9'), " ", "-", "--png", "--vai", "consumi", "utilizzo",
      "AB123CD", "../X1", "A/B", "ÀÉ€漢字", "\t\r\n", ".", "..", "x.pdf", db, Percorso("DB/Anagrafica97.mdb"),
      chiavetta, dir_.path(), Percorso("DATA"), lavoro, Percorso("manca.mdb"), Percorso("manca/x.pdf"),
      lavoro + "/r.pdf", lavoro + "/g.png", nodi[0], nodi[1], nodi[2], "2024-02-05 10:00", "2024-02-05 10:09",
      "2024-02-30 10:00",
      "2024-13-01 00:00", "0000-00-00 00:00", "9999-12-31 23:59", "2024-02-05", "25:61", "0", "-1", "1", "2",
      "12", "13", "2024", "-2147483649", "99999999999999999999", "1e308", "NaN", "inf", "1,5", "0x10"};
  // A right call of each command, one line each: one argument at a time is
  // spoilt, so that the others get past the first checks. A command not
  // listed gets random arguments only.
  const std::map<QString, QStringList> giusti = {
      {"importa", {"AB123CD", chiavetta}},
      {"analizza", {db, "2024-02-05 10:00", "2024-02-05 10:09", "AB123CD"}},
      {"registra", {"ZZ999ZZ", "Iveco", "400", "600", "1.2"}},
      {"attivita", {db, "2024", "2"}},
      {"grafico", {db, "0", "--png", lavoro + "/g.png"}},
      {"stampa", {"consumi", db, "2024-02-05 10:00", "2024-02-05 10:09", "AB123CD", lavoro + "/r.pdf"}},
      {"rifornimenti", {db, "2024-02-05 10:00", "2024-02-05 10:09"}},
      {"flotta", {"2024", "2024-02-05 10:00", "2024-02-05 10:09", "--xlsx", lavoro + "/f.xlsx"}},
  };
  const QString prima = QDir::currentPath();
  QDir::setCurrent(lavoro);  // relative paths land here
  std::mt19937 caso(1);
  auto Valore = [&] { return valori[std::uniform_int_distribution<int>(0, valori.size() - 1)(caso)]; };
  int eseguiti[3] = {0, 0, 0};
  for (const ComandoBatch& c : Comandi()) {
    std::vector<QStringList> prove;
    for (int volta = 0; volta < 30; ++volta) {
      prove.push_back({c.nome});
      const int n = std::uniform_int_distribution<int>(0, c.massimoArgomenti + 1)(caso);
      for (int i = 0; i < n; ++i) prove.back() << Valore();
    }
    const QStringList giusto = giusti.count(c.nome) ? giusti.at(c.nome) : QStringList();
    for (int i = 0; i < giusto.size(); ++i)
      for (int volta = 0; volta < 12; ++volta) {
        prove.push_back(QStringList{c.nome} + giusto);
        prove.back()[i + 1] = Valore();
      }
    for (const QStringList& a : prove) {
      SCOPED_TRACE(a.join(" | ").left(300).toStdString());
      const std::map<QString, QString> tutti = File(dir_.path(), false), fuori = File(dir_.path(), true);
      messaggi.messaggi.clear();
      testing::internal::CaptureStderr();
      testing::internal::CaptureStdout();
      const int stato = EseguiComandoBatch(a);
      const QString errore = QString::fromStdString(testing::internal::GetCapturedStderr());
      const std::string uscita = testing::internal::GetCapturedStdout();
      ASSERT_TRUE(stato >= 0 && stato <= 2) << stato;
      ++eseguiti[stato];
      // A usage error says so and touches nothing at all.
      EXPECT_TRUE(stato != 2 ||
                  (errore.contains("Uso:") && uscita.empty() && File(dir_.path(), false) == tutti))
          << errore.toStdString();
      EXPECT_TRUE(stato != 1 || !errore.trimmed().isEmpty() || !messaggi.messaggi.empty());
      QStringList chiesti;  // the files the command was given, as paths
      for (const QString& v : a) chiesti << QFileInfo(v).absoluteFilePath();
      for (const QString& nodo : nodi) EXPECT_FALSE(QFileInfo(nodo).isFile()) << nodo.toStdString();
      const std::map<QString, QString> dopo = File(dir_.path(), true);
      for (const auto& [file, impronta] : dopo) {
        const auto era = fuori.find(file);
        if ((era == fuori.end() || era->second != impronta) && !chiesti.contains(file))
          ADD_FAILURE() << "scritto fuori dalle cartelle del programma: " << file.toStdString();
      }
      // Only an import takes files away, and only from the folder it is given.
      for (const auto& [file, impronta] : fuori)
        if (!dopo.count(file) && !file.startsWith(chiavetta) && !file.startsWith(lavoro))
          ADD_FAILURE() << "tolto: " << file.toStdString();
    }
  }
  QDir::setCurrent(prima);
  std::printf("Argomenti ostili: %d comandi, usciti 0: %d, 1: %d, 2: %d\n", int(Comandi().size()),
              eseguiti[0], eseguiti[1], eseguiti[2]);
}
