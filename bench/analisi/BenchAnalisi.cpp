// Analysis benchmark: a simulated month (about 2.6 million samples)
// imported through the import window's code, then the whole consumption
// pass (every figure, the report, the lists) against one SQL aggregate query
// of the same conditions over the same period, measured in the same run:
// through the cursor of Logs (the reference, and what a file that cannot be
// written gets), from the packed hours beside Logs, and as the whole
// quarvel-batch analizza process against the sqlite3 shell running the
// aggregate. Then what the packed hours cost in file size. In-process times
// are CPU seconds of this process (the best of three runs), so that other
// work on the machine does not count; the processes are timed by the wall
// clock (the best of five). Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_analisi quarvel-batch && build-rel/bench/analisi/bench_analisi [days]
#include "AnalisiBench.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "MisureBench.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <algorithm>
#include <cstdio>

using namespace quarvel;
using bench::Migliore;
using bench::SecondiCpu;
using bench::Tempi;
namespace sim = quarvel::simulatore;

namespace {

long MemoriaMassimaKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// "YYYY-MM-DD HH:MM" of the minute holding the instant, as quarvel-batch takes it.
QString Minuto(Istante t) {
  const DataOra d = Scomponi(t);
  return QString::asprintf("%04d-%02d-%02d %02d:%02d", d.anno, d.mese, d.giorno, d.ora, d.minuto);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int giorni = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
  QTemporaryDir dir;
  // The template and the language file, and quarvel-batch to run as a process.
  if (!bench::PreparaCartella(dir.path(), {QStringLiteral("DB/proto97.mdb"), QStringLiteral("IT.lan"),
                                           QStringLiteral("quarvel-batch")}))
    return 1;
  InizializzaDefault();

  const sim::Opzioni o = bench::GiorniContinui(giorni);
  const auto simulato = sim::ScriviCartella(o, (dir.path() + QStringLiteral("/sim")).toStdString());
  if (!simulato.errore.empty()) {
    std::fprintf(stderr, "%s\n", simulato.errore.c_str());
    return 1;
  }
  const QString log = QString::fromStdString(sim::CartellaLog((dir.path() + QStringLiteral("/sim")).toStdString()));
  RichiestaImport r;
  r.targa = QStringLiteral("AB123CD");
  r.cartellaSorgente = log;
  r.file = QDir(log).entryList(QDir::Files, QDir::Name);
  r.oggi = QDate::currentDate();
  const double t0 = SecondiCpu();
  const RisultatoImport importato = EseguiImport(r, nullptr);
  const double tImport = SecondiCpu() - t0;
  const long memoriaImport = MemoriaMassimaKb();

  const Istante inizio = simulato.verita.totale.inizio, fine = simulato.verita.totale.fine;
  const QString db = importato.percorsoDB;
  int64_t campioni = 0;
  const Tempi tSql = bench::AggregatoSql(db, inizio, fine, &campioni);

  ParametriAnalisi p;
  p.targa = r.targa;
  p.sogliaGasolio = 25;
  p.istanteAnalisi = Adesso();
  RisultatoAnalisi a, ore;
  const Tempi tAnalisi = Migliore(3, [&] {
    ApriLogsPeriodo(db, inizio, fine);
    a = AnalisiTotale(RecordsetLogs(), p);
    ChiudiLogs();
  });
  bool compatte = false;
  const Tempi tOre = Migliore(3, [&] { ore = bench::AnalisiScelta(db, inizio, fine, p, &compatte); });
  int64_t letti = 0;
  const Tempi tLettura = Migliore(3, [&] { letti = bench::SoloLettura(db, inizio, fine, &compatte); });
  const long memoriaAnalisi = MemoriaMassimaKb();

  // The whole commands: quarvel-batch analizza of the month's minutes, and
  // the sqlite3 shell running the aggregate over the same rows.
  int esitoBatch = -1, esitoShell = -1;
  QByteArray didascalie;
  const double tBatch = bench::SecondiProcesso(
      dir.path() + QStringLiteral("/quarvel-batch"),
      {QStringLiteral("analizza"), db, Minuto(inizio), Minuto(fine), r.targa}, 5, &esitoBatch,
      &didascalie);
  const double tShell = bench::SecondiProcesso(QStringLiteral(QUARVEL_SQLITE3),
                                               bench::ArgomentiAggregato(db, inizio, fine), 5, &esitoShell);
  const bench::Occupazione occupazione = bench::OccupazioneTabella(db, "LogsOre");

  std::printf("import window path   %9lld lines  %6.2f s CPU  %9.0f lines/s (every step, both threads)\n",
              (long long)(importato.recordSalvati + importato.righeNonSalvate), tImport,
              double(importato.recordSalvati + importato.righeNonSalvate) / tImport);
  std::printf("SQL aggregate query  %9lld rows   %6.3f s CPU  %9.0f rows/s\n", (long long)campioni,
              tSql.cpu, double(campioni) / tSql.cpu);
  std::printf("consumption pass     %9.0f rows   %6.3f s CPU  %9.0f rows/s  ratio %.2f (target <= 1.50)\n",
              a.totali.NumeroCampione, tAnalisi.cpu, a.totali.NumeroCampione / tAnalisi.cpu,
              tAnalisi.cpu / tSql.cpu);
  std::printf("the same, packed     %9.0f rows   %6.3f s CPU  %9.0f rows/s  ratio %.2f%s\n",
              ore.totali.NumeroCampione, tOre.cpu, ore.totali.NumeroCampione / tOre.cpu,
              tOre.cpu / tSql.cpu, compatte ? "" : "  (NOT FROM THE PACKED HOURS)");
  std::printf("packed hours read    %9lld rows   %6.3f s CPU  %9.0f rows/s\n", (long long)letti,
              tLettura.cpu, double(letti) / tLettura.cpu);
  std::printf("quarvel-batch analizza %.3f s wall (exit %d), sqlite3 shell aggregate %.3f s wall (exit %d)\n",
              tBatch, esitoBatch, tShell, esitoShell);
  std::printf("LogsOre %.1f MB in a file of %.1f MB: +%.1f %%\n", occupazione.tabella / 1e6,
              occupazione.file / 1e6, 100 * occupazione.Crescita());
  std::printf("peak memory: %ld MB after the import, %ld MB after the analyses\n", memoriaImport / 1024,
              memoriaAnalisi / 1024);
  std::printf("| the consumption pass over the month, through the cursor | %.3f s | SQL aggregate %.3f s | %.2fx | <= 1.5x |\n",
              tAnalisi.cpu, tSql.cpu, tAnalisi.cpu / tSql.cpu);
  std::printf("| the same from the packed hours | %.3f s | SQL aggregate %.3f s | %.2fx | |\n", tOre.cpu,
              tSql.cpu, tOre.cpu / tSql.cpu);
  std::printf("| the month's packed hours read, every column | %.0f samples/s | | | >= 100000000 samples/s |\n",
              double(letti) / tLettura.cpu);
  std::printf("| quarvel-batch analizza of the month, the whole process (wall) | %.3f s | sqlite3 shell aggregate %.3f s | %.2fx | <= 0.25x |\n",
              tBatch, tShell, tBatch / tShell);
  std::printf("| the file's growth for the packed hours (the month) | %+.1f %% | | | <= 25 %% |\n",
              100 * occupazione.Crescita());
  const bool uguali = bench::StesseCifre(ore, a);
  if (!uguali) std::fprintf(stderr, "the packed hours and the cursor give different figures\n");
  return a.totali.NumeroCampione == double(campioni) && letti == campioni && uguali && compatte &&
                 esitoBatch == 0 && esitoShell == 0
             ? 0
             : 1;
}
