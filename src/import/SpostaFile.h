#pragma once
// Moving a logger file off the medium without ever losing it: copy, verify
// the copy (size and content), and only then delete the source.
#include <QString>

namespace quarvel {

struct EsitoSpostamento {
  enum class Stato {
    Spostato,        // copied, verified, source deleted
    CopiatoNonRimosso,  // copied and verified, but the source could not be deleted
    NonCopiato       // the copy failed or differs: the source is untouched
  };
  Stato stato = Stato::NonCopiato;
  QString errore;  // why, for the user, when not Spostato
};

EsitoSpostamento SpostaFileVerificato(const QString& sorgente, const QString& destinazione);

}  // namespace quarvel
