#pragma once
// Moving a logger file off the medium without ever losing it: copied to a
// temporary name beside its place in the archive, synced, compared byte for
// byte with the original, renamed into place with the folder synced, and
// only then deleted from the medium. Killed at any moment, the file is
// whole on the medium, or whole in the archive, or both.
#include <QString>
#include <functional>

namespace quarvel {

struct EsitoSpostamento {
  enum class Stato {
    Spostato,           // in the archive, gone from the medium
    CopiatoNonRimosso,  // in the archive, but still on the medium
    NonCopiato          // not in the archive: the source is untouched
  };
  Stato stato = Stato::NonCopiato;
  QString errore;  // why, for the user, when not Spostato
};

// Where a test steps in: between blocks of the copy, and on the copy before
// it is compared with the original.
struct ProveSpostamento {
  std::function<void()> duranteCopia;
  std::function<void(const QString& copia)> primaDelConfronto;
};

// A destination that already exists is a copy this move made before a
// kill: when it matches the source, only the deletion of the source is left.
EsitoSpostamento SpostaFileVerificato(const QString& sorgente, const QString& destinazione,
                                      const ProveSpostamento& prove = {});

// True when both files can be read and hold the same bytes.
bool StessoContenuto(const QString& a, const QString& b);

}  // namespace quarvel
