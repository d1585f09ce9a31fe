// Fuel-event benchmark. First the detector against the simulator's truth on
// simulated months that no test and no tuning used: every refuel and loss
// found, its litres, the false events, the balance's unexplained litres;
// the same months read from the fuel-sensor litres instead of the level.
// Then the whole `quarvel-batch rifornimenti` over a month recorded round
// the clock (about 2.6 million samples) against `quarvel-batch analizza`
// over the same month, in the same run, and its peak memory over a day and
// over the month. Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_carburante quarvel-batch && build-rel/bench/carburante/bench_carburante
#include "Istante.h"
#include "MisureBench.h"
#include "ProcessiBench.h"
#include "ValutaCarburante.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

using namespace quarvel;
namespace sim = quarvel::simulatore;

namespace {

// What a set of months gave.
struct Conteggi {
  // [refuel, theft][idling, engine off]: found with good litres / all.
  int buoni[2][2] = {}, tutti[2][2] = {};
  // By size: refuels 20-50, 50-150, 150-400 l; thefts 10-20, 20-40, 40-80 l.
  int buoniTaglia[2][3] = {}, tuttiTaglia[2][3] = {};
  int falsi = 0;
  double giorni = 0, erroreLitri = 0, erroreRelativo = 0, scarto = 0, scartoQuota = 0;

  void Aggiungi(const bench::Valutazione& v, double capacita) {
    for (const bench::Confronto& c : v.veri) {
      const int k = c.vero.rifornimento ? 0 : 1, m = c.vero.motoreSpento ? 1 : 0;
      const double l = c.vero.litri;
      const int t = k == 0 ? (l < 50 ? 0 : l < 150 ? 1 : 2) : (l < 20 ? 0 : l < 40 ? 1 : 2);
      ++tutti[k][m];
      ++tuttiTaglia[k][t];
      buoni[k][m] += c.VolumeBuono();
      buoniTaglia[k][t] += c.VolumeBuono();
      if (c.trovato) {
        const double errore = std::abs(c.litriTrovati - l);
        erroreLitri = std::max(erroreLitri, errore);
        erroreRelativo = std::max(erroreRelativo, errore / std::max(3.0, 0.05 * l));
      }
    }
    falsi += int(v.falsi.size());
    giorni += v.giorni;
    const double s = std::abs(v.scarto - v.scartoVero);
    scarto = std::max(scarto, s);
    scartoQuota = std::max(scartoQuota, s / capacita);
  }
};

Conteggi Mesi(const std::vector<sim::Opzioni>& mesi, bool sensoreLitri) {
  Conteggi c;
  for (const sim::Opzioni& o : mesi) {
    const bench::Valutazione v = bench::Valuta(o, sensoreLitri);
    if (!v.errore.empty()) {
      std::fprintf(stderr, "%s\n", v.errore.c_str());
      std::exit(1);
    }
    c.Aggiungi(v, o.capacita);
  }
  return c;
}

std::string Frazione(int buoni, int tutti) {
  return std::to_string(buoni) + "/" + std::to_string(tutti);
}

void Righe(const char* nome, const Conteggi& c) {
  std::printf("| %s: refuels of 20 L or more found, litres within max(3 L, 5 %%) (idling, engine off) "
              "| %s (%s, %s) | | | all |\n",
              nome, Frazione(c.buoni[0][0] + c.buoni[0][1], c.tutti[0][0] + c.tutti[0][1]).c_str(),
              Frazione(c.buoni[0][0], c.tutti[0][0]).c_str(), Frazione(c.buoni[0][1], c.tutti[0][1]).c_str());
  std::printf("| %s: the same by size, 20-50 L, 50-150 L, 150-400 L | %s, %s, %s | | | all |\n", nome,
              Frazione(c.buoniTaglia[0][0], c.tuttiTaglia[0][0]).c_str(),
              Frazione(c.buoniTaglia[0][1], c.tuttiTaglia[0][1]).c_str(),
              Frazione(c.buoniTaglia[0][2], c.tuttiTaglia[0][2]).c_str());
  std::printf("| %s: losses of 10 L or more found, litres within max(3 L, 5 %%) (idling, engine off) "
              "| %s (%s, %s) | | | all |\n",
              nome, Frazione(c.buoni[1][0] + c.buoni[1][1], c.tutti[1][0] + c.tutti[1][1]).c_str(),
              Frazione(c.buoni[1][0], c.tutti[1][0]).c_str(), Frazione(c.buoni[1][1], c.tutti[1][1]).c_str());
  std::printf("| %s: the same by size, 10-20 L, 20-40 L, 40-80 L | %s, %s, %s | | | all |\n", nome,
              Frazione(c.buoniTaglia[1][0], c.tuttiTaglia[1][0]).c_str(),
              Frazione(c.buoniTaglia[1][1], c.tuttiTaglia[1][1]).c_str(),
              Frazione(c.buoniTaglia[1][2], c.tuttiTaglia[1][2]).c_str());
  std::printf("| %s: false events per 20 days | %.2f (%d in %.0f days) | | | <= 1 |\n", nome,
              c.falsi * 20 / c.giorni, c.falsi, c.giorni);
  std::printf("| %s: the worst litres error of an event found | %.1f L (%.0f %% of its tolerance) | | | |\n",
              nome, c.erroreLitri, 100 * c.erroreRelativo);
  std::printf("| %s: unexplained litres against the truth, worst month | %.1f L (%.1f %% of the tank) "
              "| | | <= 3 %% of the tank |\n",
              nome, c.scarto, 100 * c.scartoQuota);
}

std::vector<sim::Opzioni> Serie(uint64_t primoSeme, int n, double ore, bool continuo, double capacita,
                                double perdita) {
  std::vector<sim::Opzioni> mesi;
  for (int i = 0; i < n; ++i) {
    sim::Opzioni o;
    o.giorni = 30;
    o.seme = primoSeme + uint64_t(i);
    o.ore = ore;
    o.tuttiIGiorni = continuo;
    o.capacita = capacita;
    o.perditaMarcia = perdita;
    mesi.push_back(o);
  }
  return mesi;
}

// Instructions a command runs, counted by callgrind: the same on every run
// whatever else the machine does. Nothing without valgrind.
std::optional<double> Istruzioni(const std::vector<std::string>& comando) {
  QStringList argomenti{QStringLiteral("--tool=callgrind"), QStringLiteral("--callgrind-out-file=/dev/null")};
  for (const std::string& a : comando) argomenti << QString::fromStdString(a);
  QProcess p;
  p.setStandardOutputFile(QProcess::nullDevice());
  p.start(QStringLiteral("valgrind"), argomenti);
  if (!p.waitForFinished(-1) || p.exitCode() != 0) return {};
  const QRegularExpression raccolte(QStringLiteral("Collected : (\\d+)"));
  const QRegularExpressionMatch m = raccolte.match(QString::fromUtf8(p.readAllStandardError()));
  if (!m.hasMatch()) return {};
  return m.captured(1).toDouble();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // Seeds of their own: the tests and the detector's development used others.
  const std::vector<sim::Opzioni> normali = Serie(7001, 12, 11, false, 400, 0);
  std::vector<sim::Opzioni> tutti = normali;
  for (const auto& serie : {Serie(7101, 4, 11, false, 400, 0.6), Serie(7201, 4, 11, false, 800, 0),
                            Serie(7301, 2, 24, true, 400, 0)})
    tutti.insert(tutti.end(), serie.begin(), serie.end());
  std::printf("Simulated months: 12 of 11-hour days with a 400 L tank, 4 more with a leak of 0.6 L/h\n"
              "while moving, 4 with an 800 L tank, 2 recorded round the clock.\n");
  Righe("every month", Mesi(tutti, false));
  Righe("the first 12, from the fuel-sensor litres", Mesi(normali, true));

  // rifornimenti and analizza as processes, over the month of the other
  // benchmarks, in a program folder of their own.
  QTemporaryDir dir;
  const QString programma = dir.filePath("Quarvel");
  bool pronto = dir.isValid() && bench::PreparaCartella(programma, {QStringLiteral("quarvel-batch"),
                                                                    QStringLiteral("IT.lan"),
                                                                    QStringLiteral("DB/proto97.mdb"),
                                                                    QStringLiteral("DB/Anagrafica97.mdb")});
  const sim::Opzioni mese = bench::GiorniContinui(30);
  const auto simulato = sim::ScriviCartella(mese, dir.filePath("sim").toStdString());
  const std::string batch = (programma + "/quarvel-batch").toStdString();
  pronto = pronto && simulato.errore.empty() &&
           bench::Esegui({batch, "registra", mese.targa, "Camion", "400", "60", "1"}) &&
           bench::Esegui({batch, "importa", mese.targa, sim::CartellaLog(dir.filePath("sim").toStdString())});
  if (!pronto) {
    std::fprintf(stderr, "cannot prepare the month in %s: build quarvel-batch and quarvel_cartella\n",
                 qPrintable(dir.path()));
    return 1;
  }
  const std::string db = (programma + "/DATA/" + QString::fromStdString(mese.targa) + "_ " +
                          QString::number(Scomponi(simulato.verita.totale.inizio).anno) + ".mdb")
                             .toStdString();
  const auto minuto = [](Istante t) {
    const DataOra d = Scomponi(t);
    char testo[24];
    std::snprintf(testo, sizeof testo, "%04d-%02d-%02d %02d:%02d", d.anno, d.mese, d.giorno, d.ora, d.minuto);
    return std::string(testo);
  };
  const std::string inizio = minuto(simulato.verita.totale.inizio), fine = minuto(simulato.verita.totale.fine);
  const std::string giorno = minuto(simulato.verita.totale.inizio + 86400);
  // Each a tenth of a second: the best of nine, alternating, so that the
  // machine's moods fall on both.
  bench::Tempi analizza, rifornimenti;
  bool riuscito = true;
  for (int i = 0; i < 9; ++i)
    for (const auto& [tempi, comando] :
         {std::pair{&analizza, "analizza"}, std::pair{&rifornimenti, "rifornimenti"}}) {
      const std::optional<bench::Tempi> t = bench::Esegui({batch, comando, db, inizio, fine});
      riuscito = riuscito && t;
      if (!t) continue;
      tempi->parete = std::min(tempi->parete, t->parete);
      tempi->cpu = std::min(tempi->cpu, t->cpu);
      tempi->memoriaKb = t->memoriaKb;
    }
  const auto unGiorno = bench::MiglioreProcesso({batch, "rifornimenti", db, inizio, giorno});
  if (!riuscito || !unGiorno) {
    std::fprintf(stderr, "quarvel-batch failed on %s\n", db.c_str());
    return 1;
  }
  const double campioni = double(simulato.verita.totale.campioni);
  std::printf("| quarvel-batch rifornimenti over a month recorded round the clock (%.1f million samples), "
              "the whole process, wall clock | %.3f s | analizza %.3f s | %.2fx | <= 1.0x |\n",
              campioni / 1e6, rifornimenti.parete, analizza.parete, rifornimenti.parete / analizza.parete);
  std::printf("| the same by CPU time | %.3f s | analizza %.3f s | %.2fx | |\n", rifornimenti.cpu,
              analizza.cpu, rifornimenti.cpu / analizza.cpu);
  const auto istruzioniA = Istruzioni({batch, "analizza", db, inizio, fine});
  const auto istruzioniR = Istruzioni({batch, "rifornimenti", db, inizio, fine});
  if (istruzioniA && istruzioniR)
    std::printf("| the same by instructions (callgrind, the same on every run) | %.0f M | analizza %.0f M | %.2fx | |\n",
                *istruzioniR / 1e6, *istruzioniA / 1e6, *istruzioniR / *istruzioniA);
  std::printf("| peak memory of rifornimenti over the month (over its first day) | %ld MB | %ld MB | | flat |\n",
              rifornimenti.memoriaKb / 1024, unGiorno->memoriaKb / 1024);
  return 0;
}
