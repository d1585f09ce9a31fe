// Import benchmark: the whole `quarvel-batch importa` of a simulated month
// recorded round the clock (about 2.6 million lines in 30 files): the lock,
// the journal, the files copied, synced and compared and the medium
// emptied, every line decoded and stored, the commits with their syncs;
// against the sqlite3 shell's .import of the same rows, already converted
// into numbers, into a table of the same shape, measured in the same run.
// Then the month read back through the cursor.
//
// Both commands run as child processes and are timed by the wall clock
// (what the user waits for) and by their CPU time from wait4. The import
// decodes on one thread while SQLite writes on the other, so on two free
// cores its wall clock is well below its CPU time; on a machine shared
// with other work the wall clock measures the neighbours too, and on a
// virtual machine absolute rates follow the host's load (runs an hour apart
// differ by a third). The ratios against the shell, measured in the same
// run, stay put. Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_import quarvel-batch && build-rel/bench/import/bench_import [days]
#include "CursoreVettore.h"
#include "DecodificaRiga.h"
#include "LettoreRighe.h"
#include "Logs.h"
#include "MisureBench.h"
#include "ProcessiBench.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <unistd.h>

using namespace quarvel;
using bench::Esegui;
using bench::Tempi;
namespace sim = quarvel::simulatore;

namespace {

void Stampa(const char* nome, double quanti, const Tempi& t, const char* unita) {
  std::printf("%-26s wall %9.0f %s/s, CPU %9.0f %s/s  (%.2f s wall, %.2f s CPU)\n", nome,
              quanti / t.parete, unita, quanti / t.cpu, unita, t.parete, t.cpu);
}

// A value in its shortest form: as a float for the single-precision
// columns, so the shell parses no more digits than it needs.
template <typename T>
void Numero(std::string& s, T v) {
  char b[32];
  s.append(b, std::size_t(std::to_chars(b, b + sizeof b, v).ptr - b));
}

// The rows the import stores, as numbers, one CSV line each, for the
// shell's .import; the lines of the files counted.
long long ScriviCsv(const QString& cartella, const QString& percorso, long long* linee) {
  std::ofstream csv(percorso.toStdString(), std::ios::binary);
  std::string s;
  long long n = 0;
  float contatore = 0;
  for (const QString& nome : QDir(cartella).entryList(QDir::Files, QDir::Name)) {
    LettoreRighe l;
    l.Apri(cartella + QLatin1Char('/') + nome);
    RigaLetta r;
    while (l.Prossima(r)) {
      ++*linee;
      const RigaDecodificata d = DecodificaRigaCSV(r.testo, contatore);
      if (d.tipo == TipoRiga::PrimaRiga) contatore = 0;
      if (d.tipo != TipoRiga::Dati) continue;
      ++contatore;
      ++n;
      s.clear();
      for (int p = 0; p < kNumeroColonne; ++p) {
        if (p) s += ',';
        const bool singolo = p == kDato2 || p == kDato6 || p == kDato13 || p == kDato15;
        if (singolo) Numero(s, float(ColonnaReale(d.campione, p)));
        else if (p == kDato10 || p == kDato11) Numero(s, ColonnaReale(d.campione, p));
        else Numero(s, ColonnaIntera(d.campione, p));
      }
      s += '\n';
      csv << s;
    }
  }
  return n;
}

long long MemoriaKb() {
  std::ifstream f("/proc/self/status");
  std::string riga;
  while (std::getline(f, riga))
    if (riga.rfind("VmRSS:", 0) == 0) return std::atoll(riga.c_str() + 6);
  return 0;
}

bool Copia(const QString& da, const QString& a) {
  QFile::remove(a);
  return QFile::copy(da, a);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int giorni = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const QString installata = QStringLiteral(QUARVEL_CARTELLA);
  QTemporaryDir dir;
  // A program folder of its own: the command, the templates, the registry.
  const QString programma = dir.filePath("Quarvel");
  QDir().mkpath(programma + "/DB");
  QDir().mkpath(programma + "/DATA");
  bool pronto = dir.isValid();
  for (const char* parte : {"quarvel-batch", "IT.lan", "DB/proto97.mdb", "DB/Anagrafica97.mdb"})
    pronto = pronto && Copia(installata + "/" + parte, programma + "/" + parte);
  const QString base = dir.filePath("base.mdb");
  pronto = pronto && Copia(installata + "/DB/proto97.mdb", base);
  if (!pronto) {
    std::fprintf(stderr, "cannot prepare %s from %s: build quarvel-batch and quarvel_cartella\n",
                 qPrintable(dir.path()), qPrintable(installata));
    return 1;
  }

  // The month on the "stick".
  const sim::Opzioni o = bench::GiorniContinui(giorni);
  const auto simulato = sim::ScriviCartella(o, dir.filePath("sim").toStdString());
  if (!simulato.errore.empty()) {
    std::fprintf(stderr, "%s\n", simulato.errore.c_str());
    return 1;
  }
  const QString chiavetta = QString::fromStdString(sim::CartellaLog(dir.filePath("sim").toStdString()));
  long long linee = 0;
  const QString csv = dir.filePath("righe.csv");
  const long long righeCsv = ScriviCsv(chiavetta, csv, &linee);
  std::printf("Lines: %lld in %lld files (%d days)\n", linee,
              (long long)QDir(chiavetta).entryList(QDir::Files).size(), giorni);

  const std::optional<Tempi> import =
      Esegui({(programma + "/quarvel-batch").toStdString(), "importa", "AB123CD", chiavetta.toStdString()});
  const std::optional<Tempi> shell =
      Esegui({QUARVEL_SQLITE3, base.toStdString(), (".import --csv " + csv + " Logs").toStdString()});
  if (!import || !shell) {
    std::fprintf(stderr, "%s failed\n", import ? "sqlite3 .import" : "quarvel-batch importa");
    return 1;
  }

  // The month through the cursor, every column of every sample.
  const QString db = programma + "/DATA/AB123CD_ " + QString::number(QDate::currentDate().year()) + ".mdb";
  DatabaseLogs logs;
  if (Esito e = logs.Apri(db); !e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.messaggio));
    return 1;
  }
  const long long memoriaPrima = MemoriaKb();
  const auto inizio = std::chrono::steady_clock::now();
  const double cpu0 = bench::SecondiCpu();
  CursoreLogs& c = logs.Cursore();
  long long letti = 0;
  double somma = 0;
  for (c.Primo(); !c.AllaFine(); c.Successivo()) {
    const CampioneLog x = c.Campione();
    somma += double(x.TimeDate) + x.DatoPT + x.Dato0 + x.Dato1 + x.Dato2 + x.Dato3 + x.Dato4 +
             x.Dato5 + x.Dato6 + x.Dato7 + x.Dato8 + x.Dato9 + x.Dato10 + x.Dato11 + x.Dato12 +
             x.Dato13 + x.Dato14 + x.Dato15 + x.Dato16 + double(x.TimeDateLH);
    ++letti;
  }
  Tempi lettura;
  lettura.parete = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  lettura.cpu = bench::SecondiCpu() - cpu0;
  const long long memoriaDopo = MemoriaKb();
  logs.Chiudi();

  Stampa("quarvel-batch importa:", double(letti), *import, "rows");
  Stampa("sqlite3 shell .import:", double(righeCsv), *shell, "rows");
  const double rapporto = (letti / import->parete) / (righeCsv / shell->parete);
  const double rapportoCpu = (letti / import->cpu) / (righeCsv / shell->cpu);
  std::printf("Stored rows/s against .import: %.2fx by the wall clock, %.2fx by CPU time\n", rapporto,
              rapportoCpu);
  Stampa("Cursor, every column:", double(letti), lettura, "samples");
  std::printf("%-26s %lld samples (%lld rows in the CSV), memory %+lld kB while walking, checksum %.6g\n",
              "", letti, righeCsv, memoriaDopo - memoriaPrima, somma);
  const double rateCursore = letti / lettura.cpu;
  std::printf("Targets: whole import >= 1.5x .import %s; cursor >= 2500000 samples/s %s\n",
              rapporto >= 1.5 ? "MET" : "MISSED", rateCursore >= 2.5e6 ? "MET" : "MISSED");
  // Rows of the suite's table (scripts/bench.sh gathers them).
  std::printf("| the whole quarvel-batch importa of a simulated month (lock, journal, copy, sync, compare, decode, store, commits), wall clock | %.0f rows/s | sqlite3 .import %.0f rows/s | %.2fx | >= 1.5x |\n",
              letti / import->parete, righeCsv / shell->parete, rapporto);
  std::printf("| the same by CPU time (two threads) | %.0f rows/s | sqlite3 .import %.0f rows/s | %.2fx | |\n",
              letti / import->cpu, righeCsv / shell->cpu, rapportoCpu);
  std::printf("| the month read back through the cursor, every column | %.0f samples/s | | | >= 2500000 samples/s |\n",
              rateCursore);
  return letti == righeCsv ? 0 : 1;
}
