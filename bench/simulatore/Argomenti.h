#pragma once
// The command line of quarvel-simulatore, read in the library so that the
// tests can check it without starting a process.
#include "Verita.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quarvel::simulatore {

struct RigaComando {
  Opzioni opzioni;
  std::filesystem::path cartella;
  bool aiuto = false;
  std::string errore;  // a usage error: empty when the line is good
};

// The arguments after the program's name; "--opzione valore" and
// "--opzione=valore" are both accepted.
RigaComando LeggiRigaComando(const std::vector<std::string>& argomenti);

extern const char* const kTestoUso;

}  // namespace quarvel::simulatore
