#pragma once
// A picture saved as PNG, as the exports save their files: written beside
// its name and renamed into place.
#include "Connessione.h"

class QImage;

namespace quarvel {

Esito SalvaPng(const QImage& immagine, const QString& percorso);

}  // namespace quarvel
