#pragma once
// A window's plate list (its Cmb_Targa): the plates of the registry after the
// list's own items (the import window's "- - -"), read again every time the
// window is activated, so that a vehicle just added in the registry window
// can be chosen without reopening. Any window with a plate list uses it.
#include "Connessione.h"

class QComboBox;

namespace quarvel {

// Fills the list and keeps it current; call it once, when the list sits in
// its window. The plate shown stays chosen while the registry holds it, and
// the refresh emits no signal of the list. Returns how the first reading
// went, for the window to report; a later reading that fails leaves the
// list as it is, without a message (showing one would activate the window
// again).
Esito CollegaListaTarghe(QComboBox* targhe);

// Reads the registry again into the list now, as an activation does.
Esito AggiornaListaTarghe(QComboBox* targhe);

// The same for every list of the open windows, after the registry changed.
void AggiornaListeTarghe();

}  // namespace quarvel
