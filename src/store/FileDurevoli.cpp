#include "FileDurevoli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel {

namespace {
const QString kSuffisso = QStringLiteral(".quarvel-tmp");
constexpr size_t kBlocco = 8 << 20;

QByteArray Nativo(const QString& percorso) { return QFile::encodeName(percorso); }

// A file descriptor closed when it goes.
class Descrittore {
 public:
  explicit Descrittore(int fd) : fd_(fd) {}
  ~Descrittore() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descrittore(const Descrittore&) = delete;
  Descrittore& operator=(const Descrittore&) = delete;
  int get() const { return fd_; }
  bool Chiudi() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

Esito Fallito(const QString& cosa, const QString& percorso) {
  return Esito::Fallito(cosa.arg(QDir::toNativeSeparators(percorso)) + QStringLiteral(": ") +
                        ErroreDiSistema());
}

// The copy by read and write, where the kernel's copy call cannot work
// (another file system on an old kernel). False with errno set.
bool CopiaALetture(int da, int a, const std::function<void()>& dopoBlocco) {
  std::vector<char> buffer(1 << 20);
  for (;;) {
    const ssize_t letti = ::read(da, buffer.data(), buffer.size());
    if (letti < 0 && errno == EINTR) continue;
    if (letti < 0) return false;
    if (letti == 0) return true;
    if (!ScriviTutto(a, buffer.data(), size_t(letti))) return false;
    if (dopoBlocco) dopoBlocco();
  }
}
}  // namespace

QString ErroreDiSistema() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool ScriviTutto(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t scritti = ::write(fd, p, n);
    if (scritti < 0 && errno == EINTR) continue;
    if (scritti <= 0) return false;
    p += scritti;
    n -= std::size_t(scritti);
  }
  return true;
}

QString NomeTemporaneo(const QString& percorso) {
  const QFileInfo info(percorso);
  return info.path() + QStringLiteral("/.") + info.fileName() + kSuffisso;
}

bool NomeETemporaneo(const QString& nome) {
  return nome.startsWith(QLatin1Char('.')) && nome.endsWith(kSuffisso);
}

void RimuoviTemporanei(const QString& cartella) {
  const QDir dir(cartella);
  bool rimosso = false;
  for (const QString& nome : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (NomeETemporaneo(nome)) rimosso |= QFile::remove(dir.filePath(nome));
  if (rimosso) SincronizzaCartella(cartella);
}

Esito SincronizzaCartella(const QString& cartella) {
  Descrittore fd(::open(Nativo(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return Fallito(QStringLiteral("Impossibile aprire la cartella %1"), cartella);
  // Some file systems of removable media cannot sync a folder: nothing to do
  // about it there.
  if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != ENOTSUP)
    return Fallito(QStringLiteral("Impossibile scrivere sul disco la cartella %1"), cartella);
  return {};
}

Esito CopiaFile(const QString& da, const QString& a, const std::function<void()>& dopoBlocco) {
  Descrittore sorgente(::open(Nativo(da).constData(), O_RDONLY | O_CLOEXEC));
  if (sorgente.get() < 0) return Fallito(QStringLiteral("Impossibile leggere %1"), da);
  Descrittore copia(
      ::open(Nativo(a).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  if (copia.get() < 0) return Fallito(QStringLiteral("Impossibile creare %1"), a);
  auto Guasto = [&](const QString& cosa, const QString& percorso) {
    const Esito esito = Fallito(cosa, percorso);
    copia.Chiudi();
    QFile::remove(a);  // never half a copy behind
    return esito;
  };

  bool aLetture = false;
  for (;;) {
    const ssize_t n = ::copy_file_range(sorgente.get(), nullptr, copia.get(), nullptr, kBlocco, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
      aLetture = true;
      break;
    }
    if (n < 0) return Guasto(QStringLiteral("Errore nella copia di %1"), da);
    if (n == 0) break;
    if (dopoBlocco) dopoBlocco();
  }
  if (aLetture && !CopiaALetture(sorgente.get(), copia.get(), dopoBlocco))
    return Guasto(QStringLiteral("Errore nella copia di %1"), da);
  if (::fsync(copia.get()) != 0) return Guasto(QStringLiteral("Errore di scrittura di %1"), a);
  if (!copia.Chiudi()) return Guasto(QStringLiteral("Errore di scrittura di %1"), a);
  return {};
}

Esito Rinomina(const QString& da, const QString& a, bool sostituisci) {
  const QByteArray origine = Nativo(da), destinazione = Nativo(a);
  int rc = ::renameat2(AT_FDCWD, origine.constData(), AT_FDCWD, destinazione.constData(),
                       sostituisci ? 0 : RENAME_NOREPLACE);
  // A file system that cannot refuse by itself: look first (the import holds
  // the lock of DATA, nobody else makes names there meanwhile).
  if (rc != 0 && errno == EINVAL && !sostituisci) {
    rc = -1;
    errno = EEXIST;
    if (!QFileInfo::exists(a)) rc = ::rename(origine.constData(), destinazione.constData());
  }
  if (rc != 0) return Fallito(QStringLiteral("Impossibile dare il nome %1"), a);
  return SincronizzaCartella(QFileInfo(a).path());
}

Esito ScriviDurevole(const QString& percorso, const QByteArray& byte) {
  const QString temporaneo = NomeTemporaneo(percorso);
  QFile::remove(temporaneo);
  {
    Descrittore fd(::open(Nativo(temporaneo).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0) return Fallito(QStringLiteral("Impossibile creare %1"), temporaneo);
    if (!ScriviTutto(fd.get(), byte.constData(), size_t(byte.size())) || ::fsync(fd.get()) != 0 ||
        !fd.Chiudi()) {
      const Esito esito = Fallito(QStringLiteral("Errore di scrittura di %1"), temporaneo);
      QFile::remove(temporaneo);
      return esito;
    }
  }
  const Esito esito = Rinomina(temporaneo, percorso, true);
  if (!esito) QFile::remove(temporaneo);
  return esito;
}

Esito RimuoviDurevole(const QString& percorso) {
  if (::unlink(Nativo(percorso).constData()) != 0 && errno != ENOENT)
    return Fallito(QStringLiteral("Impossibile cancellare %1"), percorso);
  return SincronizzaCartella(QFileInfo(percorso).path());
}

}  // namespace quarvel
