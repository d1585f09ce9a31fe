#pragma once
// The import benchmark's input: a month of the simulated logger, recording
// round the clock (about 2.6 million lines), as one text with CR LF.
#include <string>

namespace quarvel {

std::string GeneraRighe(int giorni, unsigned seme = 7);

}  // namespace quarvel
