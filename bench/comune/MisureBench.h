#pragma once
// What every benchmark shares: the process's CPU clock, the simulated month
// they all measure on, the best of repeated runs, a whole command timed as a
// process, and the SQL aggregate that the analyses are measured against.
#include "CartellaProgramma.h"
#include "Istante.h"
#include "Simulatore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sqlite3.h>

namespace quarvel::bench {

// CPU seconds of the whole process (every thread), user and system.
inline double SecondiCpu() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// A truck recording round the clock every day, the same lines in every run.
inline simulatore::Opzioni GiorniContinui(int giorni) {
  simulatore::Opzioni o;
  o.giorni = giorni;
  o.ore = 24;
  o.tuttiIGiorni = true;
  o.seme = 7;
  return o;
}

// The benchmark's program folder in `cartella`: DATA, REPORT and DB, and
// the given parts of the built program folder (Quarvel/ two folders above
// the benchmark). False, with a message, when a part is missing.
inline bool PreparaCartella(const QString& cartella, const QStringList& parti) {
  ImpostaCartellaProgramma(cartella);
  for (const char* c : {"DATA", "REPORT", "DB"}) QDir(cartella).mkpath(QString::fromLatin1(c));
  const QString installata = QCoreApplication::applicationDirPath() + QStringLiteral("/../../Quarvel/");
  for (const QString& parte : parti) {
    if (!QFile::copy(installata + parte, cartella + QLatin1Char('/') + parte)) {
      std::fprintf(stderr, "%s non trovato: compilare tutto il progetto.\n", qPrintable(parte));
      return false;
    }
  }
  return true;
}

struct Tempi {
  double cpu = 1e300, parete = 1e300;
  long memoriaKb = 0;  // a child process's peak resident memory
};

// The best CPU and wall times of n runs.
inline Tempi Migliore(int n, const std::function<void()>& f) {
  Tempi t;
  for (int i = 0; i < n; ++i) {
    QElapsedTimer parete;
    parete.start();
    const double c0 = SecondiCpu();
    f();
    t.cpu = std::min(t.cpu, SecondiCpu() - c0);
    t.parete = std::min(t.parete, double(parete.nsecsElapsed()) / 1e9);
  }
  return t;
}

// Wall seconds of a whole command run as a process, the best of n; its exit
// status and standard output in `esito` and `uscita`.
inline double SecondiProcesso(const QString& eseguibile, const QStringList& argomenti, int n,
                              int* esito, QByteArray* uscita = nullptr) {
  double migliore = 1e300;
  for (int i = 0; i < n; ++i) {
    QProcess p;
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(eseguibile, argomenti);
    p.waitForFinished(-1);
    migliore = std::min(migliore, double(t.nsecsElapsed()) / 1e9);
    const QByteArray testo = p.readAllStandardOutput();
    if (uscita) *uscita = testo;
    *esito = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  return migliore;
}

// The same figures the consumption pass adds up, as one SQL aggregate query
// over the period ?1..?2; its last column counts the rows.
inline const char* const kAggregatoConsumi =
    "SELECT SUM(CASE WHEN Dato8 <> -1 THEN Dato8 END),"
    " SUM(CASE WHEN Dato3 > 0 AND Dato5 > 0 AND Dato8 <> -1 THEN Dato8 END),"
    " COUNT(CASE WHEN Dato3 > 0 THEN 1 END), COUNT(CASE WHEN Dato3 > 0 AND Dato5 > 0 THEN 1 END),"
    " SUM(Dato5), MAX(Dato5), COUNT(CASE WHEN DatoPT = 0 THEN 1 END), MAX(Dato2), MAX(Dato10),"
    " MAX(Dato11), COUNT(*) FROM Logs WHERE TimeDate BETWEEN ?1 AND ?2";

// The aggregate's best CPU time of three runs in this process; the rows it
// counted in `righe`.
inline Tempi AggregatoSql(const QString& percorso, Istante inizio, Istante fine, int64_t* righe) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(percorso.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, kAggregatoConsumi, -1, &s, nullptr);
  const Tempi t = Migliore(3, [&] {
    sqlite3_reset(s);
    sqlite3_bind_int64(s, 1, inizio);
    sqlite3_bind_int64(s, 2, fine);
    if (sqlite3_step(s) == SQLITE_ROW) *righe = sqlite3_column_int64(s, 10);
  });
  sqlite3_finalize(s);
  sqlite3_close(db);
  return t;
}

// The aggregate over the same period as a whole sqlite3 shell process: the
// query as the shell takes it, with the bounds written in.
inline QStringList ArgomentiAggregato(const QString& percorso, Istante inizio, Istante fine) {
  QString sql = QString::fromLatin1(kAggregatoConsumi);
  sql.replace(QStringLiteral("?1"), QString::number(inizio));
  sql.replace(QStringLiteral("?2"), QString::number(fine));
  return {QStringLiteral("-readonly"), percorso, sql};
}

// What another program's write does to the tables beside Logs: a commit
// that bumps the file's change counter and changes nothing else.
inline void ScritturaEsterna(const QString& percorso) {
  sqlite3* db = nullptr;
  sqlite3_open(percorso.toUtf8().constData(), &db);
  sqlite3_exec(db, "CREATE TABLE Altro (x); DROP TABLE Altro", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

// The bytes of the file's pages that hold a table, and of the whole file.
struct Occupazione {
  int64_t tabella = 0, file = 0;
  double Crescita() const { return double(tabella) / double(file - tabella); }
};
inline Occupazione OccupazioneTabella(const QString& percorso, const char* tabella) {
  Occupazione o;
  sqlite3* db = nullptr;
  sqlite3_open_v2(percorso.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT (SELECT SUM(pgsize) FROM dbstat WHERE name = ?1), "
                     "(SELECT page_count * page_size FROM pragma_page_count, pragma_page_size)",
                     -1, &s, nullptr);
  sqlite3_bind_text(s, 1, tabella, -1, SQLITE_STATIC);
  if (sqlite3_step(s) == SQLITE_ROW) {
    o.tabella = sqlite3_column_int64(s, 0);
    o.file = sqlite3_column_int64(s, 1);
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
  return o;
}

}  // namespace quarvel::bench
