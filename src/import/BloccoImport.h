#pragma once
// One import at a time on a program folder: the windows of two Quarvel and
// quarvel-batch alike hold a lock on a file in DATA while they import. The
// system lets it go when the process ends, however it ends, so a killed
// import never blocks the next one.
#include <QString>

namespace quarvel {

class BloccoImport {
 public:
  BloccoImport() = default;
  ~BloccoImport();
  BloccoImport(const BloccoImport&) = delete;
  BloccoImport& operator=(const BloccoImport&) = delete;

  // Waits for the lock; after attesaMessaggioMs of waiting the user is told
  // once that another import is running (OK waits on, Annulla gives up).
  // False when the user gave up or the lock file cannot be made (errore).
  bool Prendi(int attesaMessaggioMs = 2000);
  // Takes the lock only when it is free.
  bool Prova();
  void Rilascia();
  const QString& Errore() const { return errore_; }

 private:
  bool Apri();
  int fd_ = -1;
  QString errore_;
};

}  // namespace quarvel
