// Fleet benchmark: what the fleet's user waits for, whole commands and the
// window, with whatever source of samples the fleet's reads pick.
//
// The data: simulated years of a truck on the road eleven hours a working
// day (about 11.4 million samples each), one per seed, stored through the
// import's line code and cached beside the build (build-rel/flotta-bench/,
// a few GB): a later run reuses them. The rows need not differ between
// vehicles for a speed test, so sixteen plates share four years through
// hard links.
//
// 1. quarvel-batch flotta over March of four vehicles against four
//    quarvel-batch analizza runs over the same months, each a process timed
//    by the wall clock, the best of three, alternated.
// 2. The fleet window over the whole year of sixteen vehicles, from the
//    choice of "this year" until its table and chart are shown, by the wall
//    clock (a vehicle per core); the first run reads the files from the
//    disk, the second from the system's cache.
// Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_flotta && build-rel/bench/flotta/bench_flotta [years]
#include "Anagrafica.h"
#include "CartellaProgramma.h"
#include "Impostazioni.h"
#include "IndiciLogs.h"
#include "LettureFlotta.h"
#include "Logs.h"
#include "Messaggi.h"
#include "MisureBench.h"
#include "QvFlotta.h"
#include "ScriviNelDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <cxxabi.h>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <typeinfo>
#include <unistd.h>

using namespace quarvel;
namespace sim = quarvel::simulatore;

namespace {

constexpr int kVeicoli = 16;
constexpr int kMesi = 4;  // vehicles of the command's comparison
const QString kMarzoInizio = QStringLiteral("2026-03-01 00:00");
const QString kMarzoFine = QStringLiteral("2026-03-31 23:59");

// A year of seed `seme`, made once and kept.
bool AnnoSimulato(const QString& percorso, uint64_t seme) {
  if (QFile::exists(percorso)) return true;
  std::printf("simulating and storing year %llu (once; kept in %s)\n", (unsigned long long)seme,
              qPrintable(QFileInfo(percorso).path()));
  std::fflush(stdout);
  const QString parziale = percorso + QStringLiteral(".parziale");
  QFile::remove(parziale);
  if (!QFile::copy(PercorsoProgramma(QStringLiteral("DB/proto97.mdb")), parziale)) return false;
  QFile::setPermissions(parziale, QFile::ReadOwner | QFile::WriteOwner);
  if (!ApriLogs(parziale)) return false;
  sim::Opzioni o;
  o.dal = *IstanteDa(2026, 1, 1);
  o.giorni = 365;
  o.seme = seme;
  bench::ScriviNelDatabase destinazione;
  const sim::Esito simulato = sim::Simula(o, destinazione);
  ChiudiLogs();
  if (!simulato.errore.empty()) {
    std::fprintf(stderr, "%s\n", simulato.errore.c_str());
    return false;
  }
  AggiornaIndiciLogs(parziale);
  return QFile::rename(parziale, percorso);
}

QString Targa(int i) { return QStringLiteral("FL%1AA").arg(i + 1, 3, 10, QLatin1Char('0')); }

// A name in DATA for a cached year (a hard link: no copy of its gigabyte).
bool Collega(const QString& anno, const QString& nome) {
  QFile::remove(nome);
  return ::link(QFile::encodeName(anno).constData(), QFile::encodeName(nome).constData()) == 0;
}

// Wall seconds of a whole quarvel-batch run.
double Processo(const QString& batch, const QStringList& argomenti) {
  QProcess p;
  p.setStandardOutputFile(QProcess::nullDevice());
  p.setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer t;
  t.start();
  p.start(batch, argomenti);
  p.waitForFinished(-1);
  const double secondi = double(t.nsecsElapsed()) / 1e9;
  if (p.exitCode() != 0) {
    std::fprintf(stderr, "quarvel-batch %s: exit %d\n", qPrintable(argomenti.join(' ')), p.exitCode());
    std::exit(1);
  }
  return secondi;
}

int64_t Campioni(const QString& percorso) {
  sqlite3* db = nullptr;
  sqlite3_stmt* s = nullptr;
  int64_t n = 0;
  sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  if (sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM Logs", -1, &s, nullptr) == SQLITE_OK &&
      sqlite3_step(s) == SQLITE_ROW)
    n = sqlite3_column_int64(s, 0);
  sqlite3_finalize(s);
  sqlite3_close(db);
  return n;
}

// The type of the samples' source the fleet's reads pick.
std::string Sorgente(const QString& percorso) {
  const LettureAperte aperte = ApriLetturePeriodo(percorso, 0, 0);
  if (!aperte.letture) return "none: " + aperte.esito.messaggio.toStdString();
  const SorgenteLetture& s = *aperte.letture;
  int stato = 0;
  std::unique_ptr<char, void (*)(void*)> nome(abi::__cxa_demangle(typeid(s).name(), nullptr, nullptr, &stato),
                                               std::free);
  return nome ? nome.get() : typeid(s).name();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int anni = argc > 1 ? std::clamp(atoi(argv[1]), 1, kVeicoli) : 4;
  RegistratoreMessaggi messaggi;
  const QString installata = QStringLiteral(QUARVEL_CARTELLA);
  const QString cache = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../../flotta-bench");
  const QString programma = cache + QStringLiteral("/Quarvel");
  QDir(programma).removeRecursively();
  for (const char* c : {"DATA", "REPORT", "DB"}) QDir().mkpath(programma + "/" + c);
  QDir().mkpath(cache + QStringLiteral("/anni"));
  for (const char* parte : {"quarvel-batch", "IT.lan", "DB/proto97.mdb"})
    if (!QFile::copy(installata + "/" + parte, programma + "/" + parte)) {
      std::fprintf(stderr, "%s not found in %s: build quarvel-batch and quarvel_cartella\n", parte,
                   qPrintable(installata));
      return 1;
    }
  QFile::copy(installata + "/DB/protoAnagrafica.mdb", programma + "/DB/Anagrafica97.mdb");
  QFile::setPermissions(programma + "/DB/Anagrafica97.mdb", QFile::ReadOwner | QFile::WriteOwner);
  ImpostaCartellaProgramma(programma);
  InizializzaDefault();

  // Sixteen registered trucks on the cached years; the first four also
  // have a database for 2025 (the year of the import, not of the samples),
  // the four vehicle-months of the command.
  if (!ApriAnagrafica(Imp().PercorsoAnagrafica)) return 1;
  int64_t campioni = 0;
  for (int i = 0; i < kVeicoli; ++i) {
    const QString anno = cache + QStringLiteral("/anni/anno%1.mdb").arg(i % anni + 1);
    if (!AnnoSimulato(anno, uint64_t(i % anni + 1))) return 1;
    InserisciAnagrafica({Targa(i), "Iveco Stralis", 400, 600, 1, 1, {}});
    bool collegato = Collega(anno, PercorsoDatabaseVeicolo(Targa(i), "2026"));
    if (i < kMesi) collegato = collegato && Collega(anno, PercorsoDatabaseVeicolo(Targa(i), "2025"));
    if (!collegato) {
      std::fprintf(stderr, "cannot link %s into DATA\n", qPrintable(anno));
      return 1;
    }
    if (i < anni) campioni += Campioni(anno);
  }
  ChiudiAnagrafica();
  const std::string sorgente = Sorgente(PercorsoDatabaseVeicolo(Targa(0), "2026"));
  std::printf("samples: %d simulated years, about %.1f million samples each; the fleet reads them "
              "through %s\n",
              anni, double(campioni) / anni / 1e6, sorgente.c_str());

  // 1. The command against four analizza runs, best of three, alternated.
  const QString batch = programma + QStringLiteral("/quarvel-batch");
  double flotta = 1e300, analizza = 1e300;
  for (int giro = 0; giro < 3; ++giro) {
    flotta = std::min(flotta, Processo(batch, {"flotta", "2025", kMarzoInizio, kMarzoFine}));
    double quattro = 0;
    for (int i = 0; i < kMesi; ++i)
      quattro += Processo(batch, {"analizza", PercorsoDatabaseVeicolo(Targa(i), "2025"), kMarzoInizio,
                                  kMarzoFine, Targa(i)});
    analizza = std::min(analizza, quattro);
  }

  // 2. The window: this year of the sixteen, twice.
  std::vector<double> finestra;
  for (int giro = 0; giro < 2; ++giro) {
    QvFlotta w;
    QSignalSpy fine(&w, &QvFlotta::CalcoloConcluso);
    w.show();  // this month first, as a user who opens it sees
    if (!fine.wait(600000)) return 1;
    auto* periodo = w.findChild<QComboBox*>(QStringLiteral("Cmb_Periodo"));
    QElapsedTimer t;
    t.start();
    periodo->setCurrentIndex(2);
    emit periodo->activated(2);
    if (!fine.wait(600000)) return 1;
    finestra.push_back(double(t.nsecsElapsed()) / 1e9);
    const int righe = w.findChild<QTableView*>(QStringLiteral("Tbl_Flotta"))->model()->rowCount();
    if (righe != kVeicoli + 1) {
      std::fprintf(stderr, "the window shows %d rows\n", righe);
      return 1;
    }
    w.close();
  }
  const double migliore = *std::min_element(finestra.begin(), finestra.end());
  std::printf("flotta, four vehicle-months     %7.3f s wall   four analizza %7.3f s   ratio %.2f (target <= 0.25)\n",
              flotta, analizza, flotta / analizza);
  std::printf("fleet window, 16 vehicle-years  %7.3f s wall (runs: %.3f s from the disk, %.3f s again)   "
              "target <= 5 s\n",
              migliore, finestra.front(), finestra.back());
  std::printf("| quarvel-batch flotta over four vehicle-months (March), whole process | %.2f s | four analizza %.2f s | %.2fx | <= 0.25x |\n",
              flotta, analizza, flotta / analizza);
  std::printf("| the fleet window, 16 vehicles x a simulated year (%.1f million samples each), \"this year\" until shown, wall clock (the better of two runs) | %.2f s | | | <= 5 s |\n",
              double(campioni) / anni / 1e6, migliore);
  return flotta <= 0.25 * analizza && migliore <= 5 ? 0 : 2;
}
