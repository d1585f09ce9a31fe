// Chart benchmark: what the chart window's user waits for. A page of 14,399
// samples loaded from record 1 and from record 2,660,000 of a simulated
// month recorded round the clock (two days more than the month, so that the
// record exists), against the same rows read by an OFFSET query, which
// walks every record it skips; a redraw of the busiest view; and, unless
// its days are 0, a page near the end of a year-sized database (a truck on
// the road nine hours a working day). Times are CPU seconds of this process,
// the median of repeated runs, interleaved so that both sides of a ratio see
// the same machine. Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_grafico && build-rel/bench/grafico/bench_grafico [month days] [year days]
#include "CartellaProgramma.h"
#include "DatiGrafico.h"
#include "FiguraGrafico.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "IndiciLogs.h"
#include "OrdinaliLogs.h"
#include "PitturaGrafico.h"
#include "MisureBench.h"
#include "SimulatoNelDatabase.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sqlite3.h>

using namespace quarvel;
namespace sim = quarvel::simulatore;

namespace {

// The medians of two jobs run n times each, alternately.
std::pair<double, double> Mediane(int n, const std::function<void()>& a,
                                  const std::function<void()>& b) {
  std::vector<double> ta, tb;
  for (int i = 0; i < n; ++i) {
    double t0 = bench::SecondiCpu();
    a();
    ta.push_back(bench::SecondiCpu() - t0);
    t0 = bench::SecondiCpu();
    b();
    tb.push_back(bench::SecondiCpu() - t0);
  }
  std::nth_element(ta.begin(), ta.begin() + n / 2, ta.end());
  std::nth_element(tb.begin(), tb.begin() + n / 2, tb.end());
  return {ta[n / 2], tb[n / 2]};
}

struct Database {
  QString percorso;
  int64_t record = 0;
  double secondiIndici = 0;  // the tables beside Logs built after the import
};

Database Crea(const QString& cartella, const QString& nome, const sim::Opzioni& o) {
  Database d;
  d.percorso = cartella + QStringLiteral("/DATA/") + nome;
  QFile::copy(cartella + QStringLiteral("/DB/proto97.mdb"), d.percorso);
  QFile::setPermissions(d.percorso, QFile::ReadOwner | QFile::WriteOwner);
  if (Esito e = ApriLogs(d.percorso); !e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.messaggio));
    std::exit(1);
  }
  bench::ScriviNelDatabase destinazione;
  const sim::Esito simulato = sim::Simula(o, destinazione);
  ChiudiLogs();
  if (!simulato.errore.empty()) {
    std::fprintf(stderr, "%s\n", simulato.errore.c_str());
    std::exit(1);
  }
  d.record = destinazione.salvati;
  const double t0 = bench::SecondiCpu();
  AggiornaIndiciLogs(d.percorso);
  d.secondiIndici = bench::SecondiCpu() - t0;
  return d;
}

// The page as an OFFSET query reads it: the five columns of 14,399 rows
// after walking the first `primo`. Returns the first TimeDate.
Istante PaginaOffset(sqlite3* db, int64_t primo) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT TimeDate, Dato2, Dato3, Dato5, Dato14 FROM Logs ORDER BY TimeDate "
                     "LIMIT 14399 OFFSET ?1",
                     -1, &s, nullptr);
  sqlite3_bind_int64(s, 1, primo);
  Istante primoOrario = 0;
  int64_t somma = 0;
  for (int n = 0; sqlite3_step(s) == SQLITE_ROW; ++n) {
    if (n == 0) primoOrario = sqlite3_column_int64(s, 0);
    somma += int64_t(sqlite3_column_double(s, 1)) + sqlite3_column_int(s, 2) +
             sqlite3_column_int(s, 3) + sqlite3_column_int(s, 4);
  }
  sqlite3_finalize(s);
  return somma == -1 ? 0 : primoOrario;  // keeps the reads
}

struct TempiPagina {
  double quarvel = 0, offset = 0;
};

// A page from record p through the chart's loader and through OFFSET, the
// two alternated; checks they start on the same record.
TempiPagina MisuraPagina(const QString& percorso, int64_t p, DatiGrafico& dati) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(percorso.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  Istante daOffset = 0;
  const auto [quarvel, offset] = Mediane(
      15, [&] { Carica4hGrafico(dati, percorso, double(p)); },
      [&] { daOffset = PaginaOffset(db, p); });
  sqlite3_close(db);
  if (dati.CampioniCaricati != kCampioniPagina || dati.Orari[0] != daOffset) {
    std::fprintf(stderr, "the page from record %lld is not the OFFSET query's\n", (long long)p);
    std::exit(1);
  }
  return {quarvel, offset};
}

// One redraw as the window does it: the figure, the picture, the log entry.
double MisuraRidisegno(const DatiGrafico& dati, int scalaX) {
  VistaGrafico v;
  v.ScalaX = int16_t(scalaX);
  v.visibili = {true, true, true, true};
  QImage immagine(kLarghezzaImmagine, kAltezzaImmagine, QImage::Format_RGB32);
  const auto ridisegna = [&] {
    const FiguraGrafico f = CalcolaFigura(dati, v);
    QPainter p(&immagine);
    DipingiImmagine(p, f);
    ScriviFileLog(QStringLiteral("Start redpen"), 1);
  };
  return Mediane(31, ridisegna, ridisegna).first;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int giorniMese = argc > 1 ? std::max(1, atoi(argv[1])) : 32;
  const int giorniAnno = argc > 2 ? std::max(0, atoi(argv[2])) : 365;
  QTemporaryDir dir;
  ImpostaCartellaProgramma(dir.path());
  for (const char* c : {"DATA", "DB"}) QDir(dir.path()).mkpath(QString::fromLatin1(c));
  const QString installata = QCoreApplication::applicationDirPath() + QStringLiteral("/../../Quarvel/");
  if (!QFile::copy(installata + QStringLiteral("DB/proto97.mdb"), dir.path() + QStringLiteral("/DB/proto97.mdb"))) {
    std::fprintf(stderr, "DB/proto97.mdb non trovato: compilare tutto il progetto.\n");
    return 1;
  }
  InizializzaDefault();

  const sim::Opzioni mese = bench::GiorniContinui(giorniMese);
  const Database m = Crea(dir.path(), QStringLiteral("MESE_ 2026.mdb"), mese);
  auto dati = std::make_unique<DatiGrafico>();
  const int64_t tardi = std::min<int64_t>(2660000, m.record - kCampioniPagina - 1);
  const TempiPagina primo = MisuraPagina(m.percorso, 1, *dati);
  const TempiPagina dopo = MisuraPagina(m.percorso, tardi, *dati);
  const double ridisegno10 = MisuraRidisegno(*dati, 10);
  const double ridisegno1 = MisuraRidisegno(*dati, 1);

  std::printf("month: %lld samples, tables beside Logs built in %.3f s CPU\n", (long long)m.record,
              m.secondiIndici);
  std::printf("page from record 1          %7.2f ms   OFFSET query %7.2f ms\n", primo.quarvel * 1e3,
              primo.offset * 1e3);
  std::printf("page from record %-9lld  %7.2f ms   OFFSET query %7.2f ms   late/early %.2f (target <= 1.30)\n",
              (long long)tardi, dopo.quarvel * 1e3, dopo.offset * 1e3, dopo.quarvel / primo.quarvel);
  std::printf("redraw, 4 channels          %7.2f ms at 10 entries a column, %.2f ms at 1\n",
              ridisegno10 * 1e3, ridisegno1 * 1e3);
  std::printf("| a chart page of 14,399 samples from record 1 | %.2f ms | OFFSET query %.2f ms | | <= 15 ms |\n",
              primo.quarvel * 1e3, primo.offset * 1e3);
  std::printf("| the same from record %lld of the month | %.2f ms | OFFSET query %.2f ms | %.2fx record 1 | <= 15 ms, <= 1.3x |\n",
              (long long)tardi, dopo.quarvel * 1e3, dopo.offset * 1e3, dopo.quarvel / primo.quarvel);
  std::printf("| a chart redraw, four channels, 10 entries a column (1 a column) | %.2f ms (%.2f ms) | | | <= 5 ms |\n",
              ridisegno10 * 1e3, ridisegno1 * 1e3);
  bool bene = primo.quarvel <= 0.015 && dopo.quarvel <= 0.015 && dopo.quarvel <= 1.3 * primo.quarvel &&
              ridisegno10 <= 0.005;

  if (giorniAnno > 0) {
    sim::Opzioni anno;
    anno.dal = *IstanteDa(2026, 1, 1);
    anno.giorni = giorniAnno;
    anno.ore = 9;
    anno.seme = 11;
    const Database a = Crea(dir.path(), QStringLiteral("ANNO_ 2026.mdb"), anno);
    // Halfway through a block: the most steps past a stored ordinal.
    const int64_t fine = (a.record - kCampioniPagina - 1) / kRecordBlocco * kRecordBlocco - kRecordBlocco / 2;
    const TempiPagina inizio = MisuraPagina(a.percorso, 1, *dati);
    const TempiPagina finale = MisuraPagina(a.percorso, fine, *dati);
    std::printf("year: %lld samples, tables beside Logs built in %.3f s CPU\n", (long long)a.record,
                a.secondiIndici);
    std::printf("year page from record 1     %7.2f ms   OFFSET query %7.2f ms\n", inizio.quarvel * 1e3,
                inizio.offset * 1e3);
    std::printf("year page from record %-9lld %7.2f ms   OFFSET query %7.2f ms\n", (long long)fine,
                finale.quarvel * 1e3, finale.offset * 1e3);
    std::printf("| a chart page near the end of a year (record %lld of %lld) | %.2f ms | OFFSET query %.2f ms | %.2fx record 1 | <= 15 ms |\n",
                (long long)fine, (long long)a.record, finale.quarvel * 1e3, finale.offset * 1e3,
                finale.quarvel / inizio.quarvel);
    std::printf("| the tables beside Logs (page seek, quarter-hours) brought up to date after importing a year (a month) | %.2f s (%.2f s) | | | |\n",
                a.secondiIndici, m.secondiIndici);
    bene = bene && finale.quarvel <= 0.015;
  }
  return bene ? 0 : 2;
}
