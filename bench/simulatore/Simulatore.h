#pragma once
// The logger-data simulator: the files a truck's logger would write over a
// number of days, one file a day, a recording header at each ignition and a
// data line each second, with the ground truth of what they hold.
#include "Verita.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quarvel::simulatore {

// Where the logger's lines go, one file after the other.
class Destinazione {
 public:
  virtual ~Destinazione() = default;
  virtual bool NuovoFile(const std::string& nome) = 0;
  virtual bool Riga(std::string_view riga) = 0;  // the line without its line end
  virtual bool ChiudiFile() = 0;
  // Why the last call returned false.
  virtual std::string Errore() const = 0;
};

// Empty when the options can be simulated; otherwise what is wrong with them.
std::string ControllaOpzioni(const Opzioni& opzioni);

struct Esito {
  std::string errore;  // empty on success
  Verita verita;
};

// Simulates the days and sends the logger's lines to the destination. The
// same options (seed included) give the same lines on every machine.
Esito Simula(const Opzioni& opzioni, Destinazione& destinazione);

// Writes the logger files (CR LF line ends) into CartellaLog(cartella), as
// they would lie on the logger's stick, after removing LOG_*.CSV files an
// earlier run left there, and the ground truth into FileVerita(cartella).
Esito ScriviCartella(const Opzioni& opzioni, const std::filesystem::path& cartella);
std::filesystem::path CartellaLog(const std::filesystem::path& cartella);
std::filesystem::path FileVerita(const std::filesystem::path& cartella);

}  // namespace quarvel::simulatore
