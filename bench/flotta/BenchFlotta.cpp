// Fleet benchmark: what the fleet's user waits for, whole commands and the
// window, with whatever source of samples the fleet's reads pick.
//
// The data: simulated years of a truck on the road eleven hours a working
// day (about 11.4 million samples each), one per seed, kept in bench/cache/
// of the build folder (bench_anno's year among them). The rows need not
// differ between vehicles for a speed test, so sixteen plates share four
// years through hard links.
//
// 1. quarvel-batch flotta over March of four vehicles against four
//    quarvel-batch analizza runs over the same months, each a process timed
//    by the wall clock, the best of three.
// 2. The fleet window over the whole year of sixteen vehicles, from the
//    choice of "this year" until its table and chart are shown, by the wall
//    clock (a vehicle per core); the better of two runs, the first reading
//    the files from the disk.
// Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_flotta && build-rel/bench/flotta/bench_flotta
#include "Anagrafica.h"
#include "CartellaProgramma.h"
#include "Impostazioni.h"
#include "IndiciLogs.h"
#include "LettureFlotta.h"
#include "Messaggi.h"
#include "MisureBench.h"
#include "QvFlotta.h"
#include "SimulatoNelDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>
#include <unistd.h>

using namespace quarvel;

namespace {

constexpr int kVeicoli = 16, kAnni = 4;
constexpr int kMesi = 4;  // vehicles of the command's comparison
const QString kMarzoInizio = QStringLiteral("2026-03-01 00:00");
const QString kMarzoFine = QStringLiteral("2026-03-31 23:59");

QString Targa(int i) { return QStringLiteral("FL%1AA").arg(i + 1, 3, 10, QLatin1Char('0')); }

// A name in DATA for a cached year: a hard link, a copy only where the
// folders lie on different file systems.
bool Collega(const QString& anno, const QString& nome) {
  return ::link(QFile::encodeName(anno).constData(), QFile::encodeName(nome).constData()) == 0 ||
         QFile::copy(anno, nome);
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

// Wall seconds of a whole quarvel-batch run, the best of three.
double Processo(const QString& batch, const QStringList& argomenti) {
  int esito = 0;
  const double secondi = bench::SecondiProcesso(batch, argomenti, 3, &esito);
  if (esito != 0) {
    std::fprintf(stderr, "quarvel-batch %s: exit %d\n", qPrintable(argomenti.join(' ')), esito);
    std::exit(1);
  }
  return secondi;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  RegistratoreMessaggi messaggi;
  QTemporaryDir dir;
  if (!bench::PreparaCartella(dir.path(), {QStringLiteral("quarvel-batch"), QStringLiteral("IT.lan"),
                                           QStringLiteral("DB/proto97.mdb"),
                                           QStringLiteral("DB/Anagrafica97.mdb")}))
    return 1;
  InizializzaDefault();

  // Sixteen registered trucks on four cached years; the first four also
  // have a database for 2025 (the year of the import, not of the samples),
  // the four vehicle-months of the command.
  QStringList anni;
  int64_t campioni = 0;
  for (int a = 0; a < kAnni; ++a) {
    anni << bench::AnnoInCache(PercorsoProgramma(QStringLiteral("DB/proto97.mdb")), uint64_t(11 + a));
    // A cache made by another version of the program is brought up to date.
    if (anni.back().isEmpty() || !AggiornaIndiciLogs(anni.back())) return 1;
    campioni += Campioni(anni.back());
  }
  if (!ApriAnagrafica(Imp().PercorsoAnagrafica)) return 1;
  for (int i = 0; i < kVeicoli; ++i) {
    InserisciAnagrafica({Targa(i), "Iveco Stralis", 400, 600, 1, 1, {}});
    bool collegato = Collega(anni[i % kAnni], PercorsoDatabaseVeicolo(Targa(i), "2026"));
    if (i < kMesi) collegato = collegato && Collega(anni[i % kAnni], PercorsoDatabaseVeicolo(Targa(i), "2025"));
    if (!collegato) {
      std::fprintf(stderr, "cannot put %s into DATA\n", qPrintable(anni[i % kAnni]));
      return 1;
    }
  }
  ChiudiAnagrafica();
  std::printf("samples: about %.1f million a year; the fleet reads them through %s\n",
              double(campioni) / kAnni / 1e6, Sorgente(PercorsoDatabaseVeicolo(Targa(0), "2026")).c_str());

  // 1. The command against four analizza runs.
  const QString batch = PercorsoProgramma(QStringLiteral("quarvel-batch"));
  const double flotta = Processo(batch, {"flotta", "2025", kMarzoInizio, kMarzoFine});
  double analizza = 0;
  for (int i = 0; i < kMesi; ++i)
    analizza += Processo(batch, {"analizza", PercorsoDatabaseVeicolo(Targa(i), "2025"), kMarzoInizio,
                                 kMarzoFine, Targa(i)});

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
              double(campioni) / kAnni / 1e6, migliore);
  return flotta <= 0.25 * analizza && migliore <= 5 ? 0 : 2;
}
