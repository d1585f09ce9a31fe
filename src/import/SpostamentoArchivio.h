#pragma once
// The move of a journal's files into the archive, on a thread of its own:
// while one file is copied, synced and compared, the files already in the
// archive are being imported, so the waits for the disk hide behind the
// decoding. The files are moved in list order, the same order the import
// reads them; when all have moved, the journal says so.
#include "GiornaleImport.h"
#include "ProveImport.h"

#include <QStringList>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace quarvel {

class SpostamentoArchivio {
 public:
  // Starts moving the files of the journal.
  SpostamentoArchivio(const GiornaleImport& giornale, const ProveImport& prove);
  ~SpostamentoArchivio();  // waits for the end
  SpostamentoArchivio(const SpostamentoArchivio&) = delete;
  SpostamentoArchivio& operator=(const SpostamentoArchivio&) = delete;

  // Waits, letting the interface catch up, until file i of the journal has
  // moved or failed; true when it is in the archive.
  bool Attendi(int i);
  // Waits for the end of the moves and of the journal's update.
  void Fine();

  QStringList nonCopiati;     // left on the medium, with the reason
  QStringList nonCancellati;  // archived, but still on the medium
  QString errore;             // the journal could not be updated

 private:
  enum class Stato { InAttesa, Archiviato, Fallito };
  void Sposta(GiornaleImport giornale, const ProveImport& prove);

  std::mutex m_;
  std::condition_variable cv_;
  std::vector<Stato> stati_;
  std::thread thread_;
};

}  // namespace quarvel
