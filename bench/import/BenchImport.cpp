// Import benchmark: a simulated month of logger lines decoded and stored through
// StringCSV_to_DB, against the sqlite3 shell's .import of the same rows
// already converted into numbers, into a table of the same shape; then the
// month read back through the cursor.
//
// Every rate is given twice: by the wall clock, and by the CPU time of the
// process doing the work ("on one core"). On a machine shared with other
// work the wall clock measures the neighbours too; the targets are judged
// on CPU time, and the shell's is its child CPU time from wait4. On a
// virtual machine the absolute rates also follow the host's load (runs an
// hour apart differ by a third); the ratio against the shell, measured in
// the same run, stays put. Build in Release to measure:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_import && build-rel/bench/import/bench_import [days]
#include "CursoreVettore.h"
#include "DecodificaRiga.h"
#include "RigheSimulate.h"
#include "Logs.h"
#include "StringCSV.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <charconv>
#include <chrono>
#include <ctime>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>

using namespace quarvel;

namespace {

// Calls f for every line of the text, without its line end.
void PerOgniRiga(const std::string& testo, const std::function<void(std::string_view)>& f) {
  const char* p = testo.data();
  const char* fine = p + testo.size();
  while (p < fine) {
    const char* a = static_cast<const char*>(std::memchr(p, '\n', std::size_t(fine - p)));
    if (!a) a = fine;
    std::string_view riga(p, std::size_t(a - p));
    if (!riga.empty() && riga.back() == '\r') riga.remove_suffix(1);
    f(riga);
    p = a + 1;
  }
}

// Wall and CPU seconds.
struct Tempi {
  double parete = 0, cpu = 0;
};

class Cronometro {
 public:
  Cronometro() { Riparti(); }
  void Riparti() {
    parete_ = std::chrono::steady_clock::now();
    cpu_ = Cpu();
  }
  Tempi Trascorso() const {
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - parete_).count(),
            Cpu() - cpu_};
  }

 private:
  static double Cpu() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
  }
  std::chrono::steady_clock::time_point parete_;
  double cpu_ = 0;
};

struct Conteggi {
  long long salvati = 0, nonSalvati = 0;
  Tempi tempi;
};

// "name: wall N /s, CPU N /s" with the seconds.
void Stampa(const char* nome, double quanti, const Tempi& t, const char* unita) {
  std::printf("%-24s wall %9.0f %s/s, CPU %9.0f %s/s  (%.2f s wall, %.2f s CPU)\n", nome,
              quanti / t.parete, unita, quanti / t.cpu, unita, t.parete, t.cpu);
}

// The import driver's loop over the lines, timed with the final commit.
Conteggi Importa(const QString& percorso, const std::string& righe) {
  Conteggi n;
  Cronometro t;
  if (Esito e = ApriLogs(percorso); !e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.messaggio));
    std::exit(1);
  }
  QString risultato;
  float contatore = 0;
  PerOgniRiga(righe, [&](std::string_view riga) {
    StringCSV_to_DB(riga, risultato, contatore);
    if (risultato == u"Record salvato") {
      ++n.salvati;
      ++contatore;
    } else if (risultato != u"intestazione") {
      ++n.nonSalvati;
      if (risultato == u"Prima riga") contatore = 0;
    }
  });
  ChiudiLogs();
  n.tempi = t.Trascorso();
  return n;
}

// A value in its shortest form: as a float for the single-precision
// columns, so the shell parses no more digits than it needs.
template <typename T>
void Numero(std::string& s, T v) {
  char b[32];
  s.append(b, std::size_t(std::to_chars(b, b + sizeof b, v).ptr - b));
}

// The stored rows as numbers, one CSV line each, for the shell's .import.
long long ScriviCsv(const std::string& righe, const QString& percorso) {
  std::ofstream csv(percorso.toStdString(), std::ios::binary);
  std::string s;
  long long n = 0;
  float contatore = 0;
  PerOgniRiga(righe, [&](std::string_view riga) {
    const RigaDecodificata d = DecodificaRigaCSV(riga, contatore);
    if (d.tipo == TipoRiga::PrimaRiga) contatore = 0;
    if (d.tipo != TipoRiga::Dati) return;
    ++contatore;
    ++n;
    s.clear();
    for (int p = 0; p < kNumeroColonne; ++p) {
      if (p) s += ',';
      const bool singolo = p == kDato2 || p == kDato6 || p == kDato13 || p == kDato15;
      const bool reale = singolo || p == kDato10 || p == kDato11;
      if (singolo) {
        Numero(s, float(ColonnaReale(d.campione, p)));
      } else if (reale) {
        Numero(s, ColonnaReale(d.campione, p));
      } else {
        Numero(s, ColonnaIntera(d.campione, p));
      }
    }
    s += '\n';
    csv << s;
  });
  return n;
}

long long MemoriaKb() {
  std::ifstream f("/proc/self/status");
  std::string riga;
  while (std::getline(f, riga))
    if (riga.rfind("VmRSS:", 0) == 0) return std::atoll(riga.c_str() + 6);
  return 0;
}

// Runs the sqlite3 shell to completion; its wall and CPU seconds.
std::optional<Tempi> Shell(const QString& db, const QString& comando) {
  const std::string a1 = db.toStdString(), a2 = comando.toStdString();
  char* argomenti[] = {const_cast<char*>(QUARVEL_SQLITE3), const_cast<char*>(a1.c_str()),
                       const_cast<char*>(a2.c_str()), nullptr};
  const auto inizio = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawn(&pid, QUARVEL_SQLITE3, nullptr, nullptr, argomenti, environ) != 0) return {};
  int stato = 0;
  rusage uso{};
  if (wait4(pid, &stato, 0, &uso) != pid || !WIFEXITED(stato) || WEXITSTATUS(stato) != 0)
    return {};
  Tempi t;
  t.parete = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  t.cpu = double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
          (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
  return t;
}

bool Copia(const QString& da, const QString& a) {
  QFile::remove(a);
  return QFile::copy(da, a);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int giorni = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const QString modello = QStringLiteral(QUARVEL_CARTELLA "/DB/proto2k.mdb");
  QTemporaryDir dir;
  const QString db = dir.filePath("AB123CD_ 2026.mdb");
  const QString base = dir.filePath("base.mdb");
  const QString csv = dir.filePath("righe.csv");
  if (!dir.isValid() || !Copia(modello, db) || !Copia(modello, base)) {
    std::fprintf(stderr, "cannot prepare %s from %s\n", qPrintable(dir.path()), qPrintable(modello));
    return 1;
  }

  const std::string righe = GeneraRighe(giorni);
  long long linee = 0;
  PerOgniRiga(righe, [&](std::string_view) { ++linee; });
  std::printf("Lines: %lld (%d days, %.0f MB)\n", linee, giorni, righe.size() / 1e6);

  const Conteggi nuovo = Importa(db, righe);
  Stampa("Decode + store:", double(linee), nuovo.tempi, "lines");
  std::printf("%-24s %lld stored, %lld not stored\n", "", nuovo.salvati, nuovo.nonSalvati);

  const long long righeCsv = ScriviCsv(righe, csv);
  const std::optional<Tempi> shell = Shell(base, ".import --csv " + csv + " Logs");
  if (!shell) {
    std::fprintf(stderr, "sqlite3 .import failed\n");
    return 1;
  }
  Stampa("sqlite3 shell .import:", double(righeCsv), *shell, "rows");
  const double rapportoParete = (nuovo.salvati / nuovo.tempi.parete) / (righeCsv / shell->parete);
  const double rapporto = (nuovo.salvati / nuovo.tempi.cpu) / (righeCsv / shell->cpu);
  std::printf("Stored rows/s against .import: %.2fx by CPU time, %.2fx by the wall clock\n",
              rapporto, rapportoParete);

  const Conteggi doppio = Importa(db, righe);
  Stampa("Importing again:", double(linee), doppio.tempi, "lines");
  std::printf("%-24s %lld stored, %lld not stored\n", "", doppio.salvati, doppio.nonSalvati);

  // The whole month through the cursor, every column of every sample.
  ApriLogsPeriodo(db, *IstanteDa(2026, 12, 1), *IstanteDa(2026, 12, giorni, 23, 59, 59));
  const long long memoriaPrima = MemoriaKb();
  Cronometro t;
  CursoreLogs& c = RecordsetLogs();
  long long letti = 0;
  double somma = 0;
  for (c.Primo(); !c.AllaFine(); c.Successivo()) {
    const CampioneLog x = c.Campione();
    somma += double(x.TimeDate) + x.DatoPT + x.Dato0 + x.Dato1 + x.Dato2 + x.Dato3 + x.Dato4 +
             x.Dato5 + x.Dato6 + x.Dato7 + x.Dato8 + x.Dato9 + x.Dato10 + x.Dato11 + x.Dato12 +
             x.Dato13 + x.Dato14 + x.Dato15 + x.Dato16 + double(x.TimeDateLH);
    ++letti;
  }
  const Tempi lettura = t.Trascorso();
  const long long memoriaDopo = MemoriaKb();
  ChiudiLogs();
  Stampa("Cursor, every column:", double(letti), lettura, "samples");
  std::printf("%-24s %lld samples, memory %+lld kB while walking, checksum %.6g\n", "", letti,
              memoriaDopo - memoriaPrima, somma);

  const double rate = linee / nuovo.tempi.cpu, rateCursore = letti / lettura.cpu;
  std::printf("Targets (CPU time, one core): decode+store >= 500000 lines/s %s; "
              ">= 1.5x .import %s; cursor >= 2500000 samples/s %s\n",
              rate >= 500000 ? "MET" : "MISSED", rapporto >= 1.5 ? "MET" : "MISSED",
              rateCursore >= 2.5e6 ? "MET" : "MISSED");
  // Rows of the suite's table (scripts/bench.sh gathers them).
  std::printf("| import of a simulated month, decode + store | %.0f lines/s | sqlite3 .import %.0f rows/s | %.2fx | >= 500000 lines/s, >= 1.5x |\n",
              rate, righeCsv / shell->cpu, rapporto);
  std::printf("| the month read back through the cursor, every column | %.0f samples/s | | | >= 2500000 samples/s |\n",
              rateCursore);
  return 0;
}
