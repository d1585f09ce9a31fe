#pragma once
// What every benchmark shares: the process's CPU clock and the simulated
// month they all measure on.
#include "Simulatore.h"

#include <ctime>

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

}  // namespace quarvel::bench
