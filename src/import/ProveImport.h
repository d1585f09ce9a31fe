#pragma once
// Where a test steps into an import: to stop it dead at a stage (as a kill
// or a power cut would), to spoil a copy before it is checked, to shrink the
// database's room (a full disk), or to commit more often than the clock
// asks. An import left to itself has none of them.
#include <QString>
#include <functional>

struct sqlite3;

namespace quarvel {

enum class FaseImport {
  GiornaleScritto,  // the journal is on the disk, nothing has moved yet
  CopiaInCorso,     // between two blocks of a file's copy
  FileSpostati,     // every file is in the archive
  CampioneScritto,  // a sample written, not yet committed
  LottoConfermato,  // a commit done
  ImportFinita,     // the last commit done, the import not yet closed
};

struct ProveImport {
  std::function<void(FaseImport)> fase;
  std::function<void(const QString& copia)> primaDelConfronto;
  std::function<void(sqlite3*)> dopoApertura;  // the vehicle database, just opened
  int lotto = 0;                 // samples per commit at most; 0: as the clock says
  int attesaMessaggioMs = 2000;  // waiting for another import before saying so
};

}  // namespace quarvel
