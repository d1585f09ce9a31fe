#pragma once
// The simulated logger lines stored as the import stores them, into the
// shared vehicle database opened with ApriLogs, without writing the files
// to disk first. For the benchmarks that link the import.
#include "Simulatore.h"
#include "StringCSV.h"

#include <cstdint>

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

}  // namespace quarvel::bench
