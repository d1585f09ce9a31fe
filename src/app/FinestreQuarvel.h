#pragma once
// The maker of every working window of the program, installed into the main
// window's factory at start-up. A new window is one line in the .cpp.
#include "FabbricaFinestre.h"

namespace quarvel {

QWidget* CreaFinestraQuarvel(FinestraLavoro finestra);

}  // namespace quarvel
