// Analysis benchmark: a simulated month (about 2.6 million samples) imported
// through the import window's code, then the whole consumption pass
// (every figure, the report, the lists) against one SQL aggregate query of
// the same conditions over the same period, measured in the same run.
// Times are CPU seconds of this process (the best of three runs), so that
// other work on the machine does not count. Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_analisi && build-rel/bench/analisi/bench_analisi [days]
#include "AnalisiConsumi.h"
#include "CartellaProgramma.h"
#include "ImportaLog.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "MisureBench.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <sys/resource.h>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace quarvel;
using bench::SecondiCpu;
namespace sim = quarvel::simulatore;

namespace {

long MemoriaMassimaKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// The best CPU time of three runs.
double Migliore(const std::function<void()>& f) {
  double migliore = 1e300;
  for (int i = 0; i < 3; ++i) {
    const double t0 = SecondiCpu();
    f();
    migliore = std::min(migliore, SecondiCpu() - t0);
  }
  return migliore;
}

// The same figures the pass adds up, as one SQL aggregate query.
const char* const kAggregato =
    "SELECT SUM(CASE WHEN Dato8 <> -1 THEN Dato8 END),"
    " SUM(CASE WHEN Dato3 > 0 AND Dato5 > 0 AND Dato8 <> -1 THEN Dato8 END),"
    " COUNT(CASE WHEN Dato3 > 0 THEN 1 END), COUNT(CASE WHEN Dato3 > 0 AND Dato5 > 0 THEN 1 END),"
    " SUM(Dato5), MAX(Dato5), COUNT(CASE WHEN DatoPT = 0 THEN 1 END), MAX(Dato2), MAX(Dato10),"
    " MAX(Dato11), COUNT(*) FROM Logs WHERE TimeDate BETWEEN ?1 AND ?2";

double Aggregato(const QString& percorso, Istante inizio, Istante fine, int64_t* righe) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(percorso.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, kAggregato, -1, &s, nullptr);
  const double t = Migliore([&] {
    sqlite3_reset(s);
    sqlite3_bind_int64(s, 1, inizio);
    sqlite3_bind_int64(s, 2, fine);
    if (sqlite3_step(s) == SQLITE_ROW) *righe = sqlite3_column_int64(s, 10);
  });
  sqlite3_finalize(s);
  sqlite3_close(db);
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int giorni = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
  QTemporaryDir dir;
  ImpostaCartellaProgramma(dir.path());
  QDir(dir.path()).mkpath(QStringLiteral("DATA"));
  QDir(dir.path()).mkpath(QStringLiteral("REPORT"));
  QDir(dir.path()).mkpath(QStringLiteral("DB"));
  // The template and the language file come from the built program folder.
  const QString installata = QCoreApplication::applicationDirPath() + QStringLiteral("/../../Quarvel/");
  for (const QString& parte : {QStringLiteral("DB/proto97.mdb"), QStringLiteral("IT.lan")}) {
    if (!QFile::copy(installata + parte, dir.path() + QLatin1Char('/') + parte)) {
      std::fprintf(stderr, "%s non trovato: compilare tutto il progetto.\n", qPrintable(parte));
      return 1;
    }
  }
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
  int64_t campioni = 0;
  const double tSql = Aggregato(importato.percorsoDB, inizio, fine, &campioni);

  ParametriAnalisi p;
  p.targa = r.targa;
  p.sogliaGasolio = 25;
  p.istanteAnalisi = Adesso();
  RisultatoAnalisi a;
  const double tAnalisi = Migliore([&] {
    ApriLogsPeriodo(importato.percorsoDB, inizio, fine);
    a = AnalisiTotale(RecordsetLogs(), p);
    ChiudiLogs();
  });
  const long memoriaAnalisi = MemoriaMassimaKb();

  std::printf("import window path   %9lld lines  %6.2f s CPU  %9.0f lines/s (every step, both threads)\n",
              (long long)(importato.recordSalvati + importato.righeNonSalvate), tImport,
              double(importato.recordSalvati + importato.righeNonSalvate) / tImport);
  std::printf("SQL aggregate query  %9lld rows   %6.3f s CPU  %9.0f rows/s\n", (long long)campioni,
              tSql, double(campioni) / tSql);
  std::printf("consumption pass     %9.0f rows   %6.3f s CPU  %9.0f rows/s  ratio %.2f (target <= 1.50)\n",
              a.totali.NumeroCampione, tAnalisi, a.totali.NumeroCampione / tAnalisi, tAnalisi / tSql);
  std::printf("peak memory: %ld MB after the import, %ld MB after the analyses\n", memoriaImport / 1024,
              memoriaAnalisi / 1024);
  std::printf("| the consumption pass over the month | %.3f s | SQL aggregate %.3f s | %.2fx | <= 1.5x |\n",
              tAnalisi, tSql, tAnalisi / tSql);
  return a.totali.NumeroCampione == double(campioni) ? 0 : 1;
}
