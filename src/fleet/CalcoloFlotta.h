#pragma once
// The fleet's figures: every registered vehicle with a database for the
// year, each analysed over the period by the consumption pass with the fuel
// events, several vehicles at a time (one thread per core, each with its
// own connection). No widgets: the window polls the progress and the end,
// quarvel-batch waits.
#include "Connessione.h"
#include "PeriodoFlotta.h"
#include "RigaFlotta.h"
#include "RilevatoreCarburante.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace quarvel {

struct VeicoloFlotta {
  QString targa;
  QString percorso;  // its database for the year
  ParametriCarburante carburante;
};

// The registered vehicles that have a database for the year, in plate
// order, with their tanks from the registry and the settings' smallest
// events. Read on the calling thread: the settings are not shared with the
// workers.
struct ElencoFlotta {
  Esito esito;
  std::vector<VeicoloFlotta> veicoli;
};
ElencoFlotta VeicoliFlotta(const QString& anno);

struct ParametriFlotta {
  IntervalloFlotta periodo;
  int16_t sogliaVelocita = 0;  // LivelloAllertVelocita
  int16_t sogliaGasolio = 25;  // LivelloAllertGasolio
};
// The alert levels of the settings.
ParametriFlotta ParametriDalleImpostazioni(const IntervalloFlotta& periodo);

class CalcoloFlotta {
 public:
  CalcoloFlotta(std::vector<VeicoloFlotta> veicoli, const ParametriFlotta& parametri);
  // Stops the work and waits for it.
  ~CalcoloFlotta();
  CalcoloFlotta(const CalcoloFlotta&) = delete;
  CalcoloFlotta& operator=(const CalcoloFlotta&) = delete;

  // Starts the threads: at most fili, by default one per core.
  void Avvia(int fili = 0);
  bool Finito() const { return finiti_.load() == veicoli_.size(); }
  // The share of the work done, 0 to 1: each vehicle counts by how far its
  // walk has come through the period.
  double Avanzamento() const;
  // Asks the threads to stop at their next block of samples and waits; the
  // vehicles not finished are Interrotta.
  void Ferma();
  void Attendi();
  // One row per vehicle in the given order; complete once Finito().
  const std::vector<RigaFlotta>& Righe() const { return righe_; }

 private:
  struct Stato {
    std::atomic<Istante> raggiunto{0};
    std::atomic<bool> finito{false};
  };
  void Lavora();

  std::vector<VeicoloFlotta> veicoli_;
  ParametriFlotta parametri_;
  std::vector<RigaFlotta> righe_;
  std::unique_ptr<Stato[]> stati_;
  std::atomic<std::size_t> prossimo_{0};
  std::atomic<std::size_t> finiti_{0};
  std::atomic<bool> fermo_{false};
  std::vector<std::thread> fili_;
};

// One vehicle as a thread of the fleet computes it; fermo stops the walk
// (the row is then Interrotta) and raggiunto follows it.
RigaFlotta CalcolaVeicolo(const VeicoloFlotta& veicolo, const ParametriFlotta& parametri,
                          const std::atomic<bool>& fermo, std::atomic<Istante>& raggiunto);

}  // namespace quarvel
