#include "BloccoImport.h"

#include "CartellaProgramma.h"
#include "FileDurevoli.h"
#include "Messaggi.h"
#include "PassoEventi.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quarvel {

BloccoImport::~BloccoImport() { Rilascia(); }

bool BloccoImport::Apri() {
  if (fd_ >= 0) return true;
  const QString dati = PercorsoDati(QStringLiteral("DATA"));
  QDir().mkpath(dati);
  const QString percorso = dati + QStringLiteral("/.quarvel-import.lock");
  fd_ = ::open(QFile::encodeName(percorso).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0)
    errore_ = QStringLiteral("Impossibile creare %1: %2")
                  .arg(QDir::toNativeSeparators(percorso), ErroreDiSistema());
  return fd_ >= 0;
}

bool BloccoImport::Prova() {
  if (!Apri()) return false;
  return ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
}

bool BloccoImport::Prendi(int attesaMessaggioMs) {
  QElapsedTimer attesa;
  attesa.start();
  bool detto = false;
  PassoEventi passo;
  while (!Prova()) {
    if (fd_ < 0) return false;
    if (!detto && attesa.elapsed() >= attesaMessaggioMs) {
      detto = true;
      const Risposta r = MostraMessaggio(
          Messaggio{QStringLiteral("Un'altra importazione è in corso su questa cartella del "
                                   "programma: questa partirà appena sarà finita.\n"
                                   "OK per attendere, Annulla per rinunciare."),
                    Icona::Informazione, Pulsanti::OkAnnulla, QStringLiteral("Avviso")});
      if (r == Risposta::Annulla) return false;
    }
    QThread::msleep(50);
    passo.Adesso();
  }
  return true;
}

void BloccoImport::Rilascia() {
  if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
  fd_ = -1;
}

}  // namespace quarvel
