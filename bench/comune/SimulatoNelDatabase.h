#pragma once
// Simulated logger lines stored as the import stores them, straight into the
// shared vehicle database, without writing the files to disk first: the
// year-sized databases of the benchmarks, made once and kept. Link
// quarvel_import.
#include "IndiciLogs.h"
#include "Logs.h"
#include "Simulatore.h"
#include "StringCSV.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace quarvel::bench {

class ScriviNelDatabase : public simulatore::Destinazione {
 public:
  bool NuovoFile(const std::string&) override { return true; }
  bool Riga(std::string_view riga) override {
    switch (ImportaRigaCSV(riga, contatore_)) {
      case EsitoRiga::RecordSalvato: ++contatore_; ++salvati; return true;
      case EsitoRiga::PrimaRiga: contatore_ = 0; return true;
      case EsitoRiga::ErroreDatabase: return false;
      default: return true;
    }
  }
  bool ChiudiFile() override { return true; }
  std::string Errore() const override { return "errore del database"; }
  int64_t salvati = 0;

 private:
  float contatore_ = 0;
};

// A year of one truck from 1 January 2026: 365 days, eleven hours a
// working day and half of it on Saturdays (about 11.4 million samples).
inline simulatore::Opzioni AnnoSimulato(uint64_t seme) {
  simulatore::Opzioni o;
  o.dal = *IstanteDa(2026, 1, 1);
  o.giorni = 365;
  o.ore = 11;
  o.seme = seme;
  return o;
}

// Simulated days stored into the database at percorso through the import's
// writing code (the shared database, commits every 100,000 samples).
inline bool Simula(const QString& percorso, const simulatore::Opzioni& o) {
  if (Esito e = ApriLogs(percorso); !e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.messaggio));
    return false;
  }
  ScriviNelDatabase destinazione;
  const simulatore::Esito simulato = simulatore::Simula(o, destinazione);
  ChiudiLogs();
  if (!simulato.errore.empty()) std::fprintf(stderr, "%s\n", simulato.errore.c_str());
  return simulato.errore.empty();
}

// The year of that seed in a database kept in bench/cache/ of the build
// folder, made from the template modello on first use (minutes) and used
// again by the next runs (delete it to make it anew): its path, empty when
// it could not be made.
inline QString AnnoInCache(const QString& modello, uint64_t seme) {
  const QString cache = QCoreApplication::applicationDirPath() + QStringLiteral("/../cache");
  const QString anno = cache + QStringLiteral("/anno-365g-11h-seme%1.mdb").arg(seme);
  if (QFile::exists(anno)) return anno;
  std::printf("simulating the year of seed %llu into %s (minutes; kept for the next runs)\n",
              (unsigned long long)seme, qPrintable(anno));
  std::fflush(stdout);
  QDir().mkpath(cache);
  const QString nuovo = anno + QStringLiteral(".part");
  QFile::remove(nuovo);
  if (!QFile::copy(modello, nuovo) || !QFile::setPermissions(nuovo, QFile::ReadOwner | QFile::WriteOwner) ||
      !Simula(nuovo, AnnoSimulato(seme)) || !AggiornaIndiciLogs(nuovo) || !QFile::rename(nuovo, anno))
    return {};
  return anno;
}

}  // namespace quarvel::bench
