// Usage benchmark: the month activity track of a month recorded round the
// clock (December 2026, one sample a second, imported through the import
// window's code) against the same command on a month of the same database
// that holds no sample (November 2026), all measured in the same run. The
// track command is what the usage window does on its button and
// quarvel-batch attivita does: open the database, read the month's
// quarter-hours from the table beside the samples, close. Beside it the
// same by seeking the first sample of each quarter-hour (what a file that
// cannot be written gets), and one SQL query that finds the same
// quarter-hours. Then the rebuild of the tables beside Logs after another
// program wrote to the file, and what the user waits for: the window's
// button until the grid is painted, and the whole quarvel-batch attivita
// process.
//
// Times are CPU seconds of this process, the best of many runs (a command of
// milliseconds), with the wall clock beside them; the batch process is
// timed by the wall clock. Build in Release:
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-rel bench_utilizzo && build-rel/bench/utilizzo/bench_utilizzo
#include "Anagrafica.h"
#include "CartellaProgramma.h"
#include "ImportaLog.h"
#include "IndiciLogs.h"
#include "Impostazioni.h"
#include "Logs.h"
#include "Messaggi.h"
#include "QvAnalisiUtilizzo2.h"
#include "MisureBench.h"
#include "TracciaMese.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace quarvel;
using bench::Migliore;
using bench::SecondiCpu;
using bench::Tempi;
namespace sim = quarvel::simulatore;

namespace {

// The track command: open, read the month, close. False in `tabella` when
// the tables beside Logs could not be brought up to date.
RisultatoTraccia Traccia(const QString& percorso, int anno, int mese, AttivitaMese& attivita,
                         bool* tabella = nullptr) {
  const PeriodoMese p = *CalcolaPeriodoMese(anno, mese);
  AttivitaLogs db;
  if (!db.Apri(percorso)) return {EsitoTraccia::ErroreDatabase, {}, 0};
  if (tabella) *tabella = db.Aggiornato();
  const RisultatoTraccia r = AnalisiTrackmese2(db, p, attivita);
  db.Chiudi();
  return r;
}

// The same by seeking the samples: open on the month, scan, close.
RisultatoTraccia TracciaCercando(const QString& percorso, int anno, int mese,
                                 AttivitaMese& attivita) {
  const PeriodoMese p = *CalcolaPeriodoMese(anno, mese);
  DatabaseLogs db;
  if (!db.Apri(percorso, p.InizioMese, p.FineMese)) return {EsitoTraccia::ErroreDatabase, {}, 0};
  const RisultatoTraccia r = AnalisiTrackmese2(db.Cursore(), attivita);
  db.Chiudi();
  return r;
}


// The same quarter-hours as one SQL query over the month.
int64_t QuartiSql(const QString& percorso, Istante inizio, Istante fine) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(percorso.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT COUNT(DISTINCT TimeDate / 900) FROM Logs "
                     "WHERE TimeDate BETWEEN ?1 AND ?2",
                     -1, &s, nullptr);
  sqlite3_bind_int64(s, 1, inizio);
  sqlite3_bind_int64(s, 2, fine);
  const int64_t n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
  sqlite3_finalize(s);
  sqlite3_close(db);
  return n;
}

// The window's button on month `mese` of 2026, until the grid is painted.
void BottoneFinestra(QvAnalisiUtilizzo2& finestra, int mese) {
  finestra.findChild<QComboBox*>(QStringLiteral("Cmb_mese"))->setCurrentIndex(mese - 1);
  finestra.findChild<QPushButton*>(QStringLiteral("Cmd_TrackMese"))->click();
  finestra.findChild<QWidget*>(QStringLiteral("Grid1"))->grab();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  RegistratoreMessaggi messaggi;  // the empty month's message, answered at once
  QTemporaryDir dir;
  if (!bench::PreparaCartella(dir.path(), {QStringLiteral("DB/proto97.mdb"),
                                           QStringLiteral("DB/Anagrafica97.mdb"), QStringLiteral("IT.lan")}))
    return 1;
  InizializzaDefault();
  ApriAnagrafica(Imp().PercorsoAnagrafica);
  InserisciAnagrafica({QStringLiteral("AB123CD"), QStringLiteral("Camion"), 400, 60, 1, 1, {}});
  ChiudiAnagrafica();

  // December 2026, every day round the clock.
  sim::Opzioni o = bench::GiorniContinui(31);
  o.dal = *IstanteDa(2026, 12, 1);
  const std::string sim = (dir.path() + QStringLiteral("/sim")).toStdString();
  const auto simulato = sim::ScriviCartella(o, sim);
  if (!simulato.errore.empty()) {
    std::fprintf(stderr, "%s\n", simulato.errore.c_str());
    return 1;
  }
  const QString log = QString::fromStdString(sim::CartellaLog(sim).string());
  RichiestaImport r;
  r.targa = QStringLiteral("AB123CD");
  r.cartellaSorgente = log;
  r.file = QDir(log).entryList(QDir::Files, QDir::Name);
  r.oggi = QDate(Imp().AnnoDB.toInt(), 1, 1);  // the database the window finds
  const RisultatoImport importato = EseguiImport(r, nullptr);
  const QString db = importato.percorsoDB;

  AttivitaMese pieno, vuoto, pienoCercando, vuotoCercando;
  RisultatoTraccia rPieno, rVuoto, rPienoCercando, rVuotoCercando;
  bool tabella = false;
  constexpr int kVolte = 50;
  const Tempi tPieno = Migliore(kVolte, [&] { rPieno = Traccia(db, 2026, 12, pieno, &tabella); });
  const Tempi tVuoto = Migliore(kVolte, [&] { rVuoto = Traccia(db, 2026, 11, vuoto); });
  const Tempi cPieno =
      Migliore(kVolte, [&] { rPienoCercando = TracciaCercando(db, 2026, 12, pienoCercando); });
  const Tempi cVuoto =
      Migliore(kVolte, [&] { rVuotoCercando = TracciaCercando(db, 2026, 11, vuotoCercando); });
  if (rPieno.esito != EsitoTraccia::Completa || rVuoto.esito != EsitoTraccia::Vuota ||
      rPienoCercando.slotAttivi != rPieno.slotAttivi ||
      rVuotoCercando.esito != EsitoTraccia::Vuota || !tabella) {
    std::fprintf(stderr, "esito inatteso della traccia\n");
    return 1;
  }
  for (int g = 0; g < AttivitaMese::kGiorni; ++g)
    for (int h = 0; h < AttivitaMese::kOre; ++h)
      for (int q = 0; q < AttivitaMese::kQuarti; ++q)
        if (pieno.Attivo(g, h, q) != pienoCercando.Attivo(g, h, q)) {
          std::fprintf(stderr, "la tabella e la ricerca danno mesi diversi\n");
          return 1;
        }

  // The rebuild after another program wrote, as the usage window's opening
  // does it: one pass of seeks over the whole database, here the month (the
  // packed hours are left to the next reader of whole periods).
  double ricostruzione = 1e300;
  for (int i = 0; i < 5; ++i) {
    bench::ScritturaEsterna(db);
    const double c0 = SecondiCpu();
    AggiornaIndiciLogs(db, nullptr, OreCompatte::Lasciate);
    ricostruzione = std::min(ricostruzione, SecondiCpu() - c0);
  }

  const PeriodoMese dicembre = *CalcolaPeriodoMese(2026, 12);
  int64_t quartiSql = 0;
  const Tempi tSql =
      Migliore(3, [&] { quartiSql = QuartiSql(db, dicembre.InizioMese, dicembre.FineMese); });

  QvAnalisiUtilizzo2 finestra;
  auto* targa = finestra.findChild<QComboBox*>(QStringLiteral("Cmb_Targa"));
  targa->setCurrentIndex(0);
  emit targa->activated(0);
  const Tempi fPieno = Migliore(10, [&] { BottoneFinestra(finestra, 12); });
  const Tempi fVuoto = Migliore(10, [&] { BottoneFinestra(finestra, 11); });

  std::printf("samples in the month     %9lld\n", (long long)simulato.verita.totale.campioni);
  std::printf("track, full month        %6.2f ms CPU  %6.2f ms wall  %d active quarter-hours\n",
              tPieno.cpu * 1e3, tPieno.parete * 1e3, rPieno.slotAttivi);
  std::printf("track, empty month       %6.2f ms CPU  %6.2f ms wall\n", tVuoto.cpu * 1e3,
              tVuoto.parete * 1e3);
  std::printf("seeking, full month      %6.2f ms CPU  %6.2f ms wall\n", cPieno.cpu * 1e3,
              cPieno.parete * 1e3);
  std::printf("seeking, empty month     %6.2f ms CPU  %6.2f ms wall\n", cVuoto.cpu * 1e3,
              cVuoto.parete * 1e3);
  std::printf("SQL distinct quarters    %6.2f ms CPU  %6.2f ms wall  %lld quarter-hours\n",
              tSql.cpu * 1e3, tSql.parete * 1e3, (long long)quartiSql);
  std::printf("tables rebuilt           %6.2f ms CPU  (the month's database, after a write)\n",
              ricostruzione * 1e3);
  std::printf("window button, full      %6.2f ms CPU  %6.2f ms wall (read, cells, painted grid)\n",
              fPieno.cpu * 1e3, fPieno.parete * 1e3);
  std::printf("window button, empty     %6.2f ms CPU  %6.2f ms wall\n", fVuoto.cpu * 1e3,
              fVuoto.parete * 1e3);
  std::printf(
      "| the month track of a round-the-clock month (%d quarter-hours) | %.2f ms | "
      "empty month %.2f ms | %.2fx | <= 30 ms, <= 1.5x |\n",
      rPieno.slotAttivi, tPieno.cpu * 1e3, tVuoto.cpu * 1e3, tPieno.cpu / tVuoto.cpu);
  std::printf(
      "| the same by seeking the samples (a file that cannot be written) | %.1f ms | "
      "empty month %.2f ms | %.0fx | |\n",
      cPieno.cpu * 1e3, cVuoto.cpu * 1e3, cPieno.cpu / cVuoto.cpu);
  std::printf(
      "| the same month's quarter-hours by one SQL query | %.2f ms | SQL %.1f ms | %.3fx | |\n",
      tPieno.cpu * 1e3, tSql.cpu * 1e3, tPieno.cpu / tSql.cpu);
  std::printf(
      "| the usage window's button until the grid is painted | %.1f ms | empty month %.1f ms "
      "| %.2fx | |\n",
      fPieno.cpu * 1e3, fVuoto.cpu * 1e3, fPieno.cpu / fVuoto.cpu);
  std::printf(
      "| the tables beside Logs rebuilt after another program wrote (this month's database) "
      "| %.1f ms | | | |\n",
      ricostruzione * 1e3);

  const QString batch = QCoreApplication::applicationDirPath() + QStringLiteral("/../../Quarvel/quarvel-batch");
  if (QFile::exists(batch)) {
    int esitoPieno = -1, esitoVuoto = -1;
    const double bPieno = bench::SecondiProcesso(batch, {"attivita", db, "2026", "12"}, 5, &esitoPieno);
    const double bVuoto = bench::SecondiProcesso(batch, {"attivita", db, "2026", "11"}, 5, &esitoVuoto);
    std::printf(
        "quarvel-batch attivita   %6.1f ms full month (exit %d), %6.1f ms empty (exit %d)\n",
        bPieno * 1e3, esitoPieno, bVuoto * 1e3, esitoVuoto);
    std::printf(
        "| quarvel-batch attivita on that month, the whole process (wall) | %.1f ms | "
        "empty month %.1f ms | %.2fx | |\n",
        bPieno * 1e3, bVuoto * 1e3, bPieno / bVuoto);
  }
  return quartiSql == rPieno.slotAttivi ? 0 : 1;
}
