#pragma once
// Logger lines for the import benchmark: days of one sample per second, as
// the logger writes them, until the simulator of bench/simulatore can take
// its place.
#include <cstdint>
#include <string>

namespace quarvel {

// `giorni` days from 1 December 2026, one line per second: a recording
// header and a column header at every ignition, idling, driving, a refuel a
// day, and the logger's no-reading values now and then.
// Lines end in CR LF, as on the logger's medium.
std::string GeneraRighe(int giorni, uint32_t seme = 1);

}  // namespace quarvel
