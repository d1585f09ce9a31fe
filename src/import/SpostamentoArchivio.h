#pragma once
// The move of a journal's files into the archive, on a thread of its own:
// while one file is copied, synced and compared, the files already in the
// archive are being imported, so the waits for the disk hide behind the
// decoding. The files are moved in list order, the same order the import
// reads them; when all have moved, the journal says so. A file that cannot
// be archived stops the moves: it and the files after it stay on the
// medium, and the journal still says "moving", so that the next import
// moves them and goes on with the same counters, as if nothing had happened.
#include "GiornaleImport.h"
#include "ImportaArchivio.h"
#include "ProveImport.h"

#include <QStringList>
#include <condition_variable>
#include <mutex>
#include <optional>
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
  // moved or failed.
  LavoroArchivio::Arrivo Attendi(int i, QString& motivo);
  // Waits for the end of the moves and of the journal's update.
  void Fine();

  QStringList nonCopiati;     // left on the medium, with the reason
  QStringList nonCancellati;  // archived, but still on the medium
  QString errore;             // the journal could not be updated

 private:
  void Sposta(GiornaleImport giornale, const ProveImport& prove);

  std::mutex m_;
  std::condition_variable cv_;
  std::vector<std::optional<LavoroArchivio::Arrivo>> stati_;  // nothing: not yet moved
  QString fermo_;  // why the moves stopped
  std::thread thread_;
};

}  // namespace quarvel
