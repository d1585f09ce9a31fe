#include "LettoreRighe.h"

#include "FileDurevoli.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quarvel {

namespace {
// The first CR or LF in [p, fine), or fine.
const char* FineRiga(const char* p, const char* fine) {
  while (p < fine && *p != '\n' && *p != '\r') ++p;
  return p;
}
}  // namespace

LettoreRighe::LettoreRighe() : buffer_(kBloccoLettura + size_t(kMassimaRiga)) {}

LettoreRighe::~LettoreRighe() {
  if (fd_ >= 0) ::close(fd_);
}

bool LettoreRighe::Apri(const QString& percorso, int64_t da) {
  if (fd_ >= 0) ::close(fd_);
  inizio_ = fine_ = 0;
  offsetBuffer_ = da;
  finito_ = false;
  errore_.clear();
  fd_ = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0 || (da > 0 && ::lseek(fd_, da, SEEK_SET) != da)) {
    errore_ = ErroreDiSistema();
    return false;
  }
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
  if (da == 0) {
    while (fine_ < 3 && Riempi()) {
    }
    if (fine_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0) inizio_ = 3;
  }
  return errore_.isEmpty();
}

bool LettoreRighe::Riempi() {
  if (finito_ || fd_ < 0) return false;
  if (inizio_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + inizio_, fine_ - inizio_);
    offsetBuffer_ += int64_t(inizio_);
    fine_ -= inizio_;
    inizio_ = 0;
  }
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + fine_, buffer_.size() - fine_);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) errore_ = ErroreDiSistema();
    if (n <= 0) {
      finito_ = true;
      return false;
    }
    fine_ += size_t(n);
    return true;
  }
}

bool LettoreRighe::Prossima(RigaLetta& riga) {
  // An overlong line: its first kMassimaRiga bytes are kept aside in lunga_,
  // the rest is only counted.
  bool lunga = false;
  int64_t lunghezza = 0;
  auto MettiDaParte = [&](size_t a) {
    const size_t n = a - inizio_;
    if (!lunga) lunga_.clear();
    if (lunga_.size() < size_t(kMassimaRiga))
      lunga_.append(buffer_.data() + inizio_, std::min(n, size_t(kMassimaRiga) - lunga_.size()));
    lunga = true;
    lunghezza += int64_t(n);
    inizio_ = a;
  };
  for (;;) {
    const char* base = buffer_.data();
    const size_t a = size_t(FineRiga(base + inizio_, base + fine_) - base);
    // Not found yet, or a CR last in the buffer that may be half of CR LF.
    const bool incompleta = !finito_ && (a == fine_ || (base[a] == '\r' && a + 1 == fine_));
    if (incompleta) {
      if (a - inizio_ >= size_t(kMassimaRiga)) MettiDaParte(a);
      Riempi();
      if (!errore_.isEmpty()) return false;
      continue;
    }
    if (!errore_.isEmpty()) return false;
    if (a == fine_ && inizio_ == fine_ && !lunga) return false;  // the end of the file

    if (lunga || a - inizio_ > size_t(kMassimaRiga)) {
      MettiDaParte(a);
      riga.testo = lunga_;
      riga.lunghezza = lunghezza;
    } else {
      riga.testo = std::string_view(base + inizio_, a - inizio_);
      riga.lunghezza = int64_t(a - inizio_);
    }
    size_t dopo = a;
    if (dopo < fine_) dopo += (base[dopo] == '\r' && dopo + 1 < fine_ && base[dopo + 1] == '\n') ? 2 : 1;
    inizio_ = dopo;
    riga.fine = offsetBuffer_ + int64_t(dopo);
    return true;
  }
}

}  // namespace quarvel
