// A year of one truck (365 days, eleven hours a working day, half of it on
// Saturdays: about 11.4 million samples): the consumption window's analysis
// from its button to the figures, from the packed hours beside Logs, against
// one SQL aggregate query over the same rows and against the same analysis
// through the cursor of Logs (what a file that cannot be written gets), all
// in the same run. Then the rate at which the packed hours give their
// columns, what they cost in file size, and what bringing them up to date
// costs after an import and after another program's write.
//
// Simulating and storing a year takes minutes: the database is kept in
// bench/cache/ of the build folder and used again by the next run (delete it
// to make it anew). The window is timed by the wall clock and by this
// process's CPU, the best of three; the rest by CPU seconds. Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_anno && build-rel/bench/anno/bench_anno
#include "AnalisiBench.h"
#include "Impostazioni.h"
#include "IndiciLogs.h"
#include "Logs.h"
#include "Messaggi.h"
#include "MisureBench.h"
#include "QvAnalisiConsumi.h"
#include "SimulatoNelDatabase.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using namespace quarvel;
using bench::Migliore;
using bench::Tempi;
namespace sim = quarvel::simulatore;

namespace {

// The year's database, from the cache or made and put there.
bool PreparaAnno(const QString& modello, const QString& percorso) {
  const QString copia = bench::AnnoInCache(modello, 11);
  return !copia.isEmpty() && QFile::copy(copia, percorso) &&
         QFile::setPermissions(percorso, QFile::ReadOwner | QFile::WriteOwner);
}

std::pair<Istante, Istante> Estremi(const QString& percorso) {
  DatabaseLogs db;
  db.Apri(percorso);
  db.Cursore().Primo();
  const Istante primo = db.Cursore().TimeDate();
  db.Cursore().Ultimo();
  return {primo, db.Cursore().TimeDate()};
}


template <typename T>
T* Controllo(QWidget& w, const char* nome) {
  return w.findChild<T*>(QString::fromLatin1(nome));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  RegistratoreMessaggi messaggi;
  QTemporaryDir dir;
  if (!bench::PreparaCartella(dir.path(), {QStringLiteral("DB/proto97.mdb"),
                                           QStringLiteral("DB/Anagrafica97.mdb"), QStringLiteral("IT.lan")}))
    return 1;
  InizializzaDefault();
  const QString db = dir.path() + QStringLiteral("/DATA/AB123CD_ 2026.mdb");
  if (!PreparaAnno(dir.path() + QStringLiteral("/DB/proto97.mdb"), db)) return 1;
  AggiornaIndiciLogs(db);  // a cache made by another version of the program
  const auto [inizio, fine] = Estremi(db);

  int64_t campioni = 0;
  const Tempi tSql = bench::AggregatoSql(db, inizio, fine, &campioni);

  // The window: the whole year typed into its period, then its button.
  QvAnalisiConsumi finestra;
  Controllo<QLineEdit>(finestra, "Txt_NomeDBAnalizze")->setText(db);
  const DataOra primo = Scomponi(inizio), ultimo = Scomponi(fine);
  Controllo<QDateEdit>(finestra, "DTP_AnalStartDate")->setDate(QDate(primo.anno, primo.mese, primo.giorno));
  Controllo<QDateEdit>(finestra, "DTP_AnalStopDate")->setDate(QDate(ultimo.anno, ultimo.mese, ultimo.giorno));
  Controllo<QLineEdit>(finestra, "Txt_AnalStartH")->setText(QStringLiteral("0"));
  Controllo<QLineEdit>(finestra, "Txt_AnalStartMin")->setText(QStringLiteral("0"));
  Controllo<QLineEdit>(finestra, "Txt_AnalStopH")->setText(QStringLiteral("23"));
  Controllo<QLineEdit>(finestra, "Txt_AnalStopMin")->setText(QStringLiteral("59"));
  const Tempi tFinestra = Migliore(3, [&] { Controllo<QPushButton>(finestra, "Cmd_Analizza2")->click(); });
  const QString accensioni = Controllo<QLabel>(finestra, "Llb_NumeroAccensioni")->text();

  ParametriAnalisi p;
  p.targa = QStringLiteral("AB123CD");
  p.sogliaVelocita = Imp().LivelloAllertVelocita;
  p.sogliaGasolio = Imp().LivelloAllertGasolio;
  p.istanteAnalisi = Adesso();
  RisultatoAnalisi ore, cursore;
  bool compatte = false;
  const Tempi tOre = Migliore(3, [&] { ore = bench::AnalisiScelta(db, inizio, fine, p, &compatte); });
  int64_t letti = 0;
  const Tempi tLettura = Migliore(3, [&] { letti = bench::SoloLettura(db, inizio, fine, &compatte); });
  const Tempi tCursore = Migliore(1, [&] {
    DatabaseLogs logs;
    logs.Apri(db, inizio, fine);
    cursore = AnalisiTotale(logs.Cursore(), p);
  });
  const bench::Occupazione occupazione = bench::OccupazioneTabella(db, "LogsOre");

  // One more day stored by our own writer, then another program's write.
  sim::Opzioni giorno = bench::AnnoSimulato(11);
  giorno.dal = *IstanteDa(2027, 1, 4);
  giorno.giorni = 1;
  bench::Simula(db, giorno);
  AggiornamentoIndici dopoGiorno = AggiornamentoIndici::Fallito, dopoAltri = AggiornamentoIndici::Fallito;
  const Tempi tGiorno = Migliore(1, [&] { AggiornaIndiciLogs(db, &dopoGiorno); });
  bench::ScritturaEsterna(db);
  const Tempi tAltri = Migliore(1, [&] { AggiornaIndiciLogs(db, &dopoAltri); });

  std::printf("year: %lld samples from %s to %s\n", (long long)campioni,
              qPrintable(InDateTime(inizio).toString(Qt::ISODate)), qPrintable(InDateTime(fine).toString(Qt::ISODate)));
  std::printf("SQL aggregate            %7.3f s CPU\n", tSql.cpu);
  std::printf("window, button to figures %6.3f s wall, %.3f s CPU (%s)\n", tFinestra.parete, tFinestra.cpu,
              qPrintable(accensioni));
  std::printf("analysis, packed hours   %7.3f s CPU%s\n", tOre.cpu, compatte ? "" : " (NOT FROM THE PACKED HOURS)");
  std::printf("analysis, cursor         %7.3f s CPU\n", tCursore.cpu);
  std::printf("packed hours read        %7.3f s CPU  %.0f samples/s\n", tLettura.cpu, double(letti) / tLettura.cpu);
  std::printf("LogsOre %.1f MB in a file of %.1f MB: +%.1f %%\n", occupazione.tabella / 1e6,
              occupazione.file / 1e6, 100 * occupazione.Crescita());
  std::printf("update after a day of our own writes %.3f s CPU (%s), after another program's write %.3f s CPU (%s)\n",
              tGiorno.cpu, dopoGiorno == AggiornamentoIndici::Incrementale ? "incremental" : "NOT INCREMENTAL",
              tAltri.cpu, dopoAltri == AggiornamentoIndici::Completo ? "full" : "NOT FULL");
  std::printf("| the consumption window's analysis of a simulated year (%lld samples), button to figures (wall) | %.3f s | SQL aggregate %.3f s | %.2fx | <= 0.5 s |\n",
              (long long)campioni, tFinestra.parete, tSql.cpu, tFinestra.parete / tSql.cpu);
  std::printf("| the same analysis through the cursor (a file that cannot be written) | %.3f s | SQL aggregate %.3f s | %.2fx | |\n",
              tCursore.cpu, tSql.cpu, tCursore.cpu / tSql.cpu);
  std::printf("| the year's packed hours read, every column, one core | %.0f samples/s | | | >= 100000000 samples/s |\n",
              double(letti) / tLettura.cpu);
  std::printf("| the analysis from the packed hours alone, one core: 16 such years on 2 cores | %.3f s (%.2f s) | | | |\n",
              tOre.cpu, 8 * tOre.cpu);
  std::printf("| the file's growth for the packed hours (the year) | %+.1f %% | | | <= 25 %% |\n",
              100 * occupazione.Crescita());
  std::printf("| the tables beside Logs brought up to date after storing one more day (after another program wrote) | %.3f s (%.2f s) | | | |\n",
              tGiorno.cpu, tAltri.cpu);
  const bool uguali = bench::StesseCifre(ore, cursore);
  if (!uguali) std::fprintf(stderr, "the packed hours and the cursor give different figures\n");
  return uguali && compatte && letti == campioni && dopoGiorno == AggiornamentoIndici::Incrementale &&
                 dopoAltri == AggiornamentoIndici::Completo
             ? 0
             : 1;
}
