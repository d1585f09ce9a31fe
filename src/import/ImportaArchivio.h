#pragma once
// The lines of an archive folder's files into the vehicle database. The
// calling thread reads and decodes the files; a second thread stores the
// samples, keeps the counters and writes the error output. It commits about
// once a second, and each commit carries the import's progress
// (AvanzamentoImport) with it: a kill costs about a second of work, and the
// next import goes on from the last commit with exactly the counters, the
// DatoPT and the error output an uninterrupted import would have had.
#include "AvanzamentoImport.h"
#include "ProveImport.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quarvel {

class DatabaseLogs;

// What the window shows while an import runs. Calls come at most about
// every 30 ms for the line activity, once per file otherwise.
class OsservatoreImport {
 public:
  virtual ~OsservatoreImport() = default;
  virtual void Inizio(int massimoFile) { (void)massimoFile; }  // bars shown
  virtual void File(int valore) { (void)valore; }              // Prb_Import
  virtual void Attivita(int valore) { (void)valore; }          // Prb_running, 0..100
  virtual void VoceFile(const QString& voce) { (void)voce; }   // a Lst_File entry
  virtual void Orario() {}                                     // time stamp on the window
  virtual void Fine() {}                                       // bars hidden
};

struct LavoroArchivio {
  QString cartella;         // the archive folder
  QStringList file;         // its files, in the order they are read
  QString percorsoErrori;   // the error-output file
  QString primaRigaErrori;  // its first line when it starts anew
  // Where to go on from. When nothing is kept (nuovo) it names the first
  // file at its start, and the error output is started anew.
  AvanzamentoImport da;
  bool nuovo = true;
  // Waits until file i is in the archive. Escluso: it never will be (it is
  // gone from the medium) and is left out. Fermo: it stays on the medium,
  // with the files after it, and the import stops before it so that the
  // next import goes on in the same order; motivo says why. Unset: all are
  // there.
  enum class Arrivo { Archiviato, Escluso, Fermo };
  std::function<Arrivo(int i, QString& motivo)> pronto;
};

struct EsitoArchivio {
  // As last committed: every counter counts committed samples only.
  AvanzamentoImport confermato;
  bool completo = false;  // every line stored, and the last commit marks it
  QString motivo;         // why it stopped, when it did
};

EsitoArchivio ImportaArchivio(DatabaseLogs& db, const LavoroArchivio& lavoro,
                              OsservatoreImport* osservatore, const ProveImport& prove);

}  // namespace quarvel
