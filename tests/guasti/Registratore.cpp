// Loaded with LD_PRELOAD into a program under test; it sees the files below
// the folders of QUARVEL_RADICI (separated by ':').
// - QUARVEL_REGISTRO=file: records, in that file, every call that changes
//   what a power cut can leave behind (creations, writes, truncations,
//   syncs of files and folders, renames, removals, new folders); the bytes
//   written go to file.dati. A SQLite database (*.mdb) is recorded as one
//   whole copy at each commit, when its -journal goes: what happens in
//   between is the engine's business, and its guarantee covers it.
// - QUARVEL_GUASTO="ENOSPC n" or "EIO n": the n-th write, sync or rename
//   fails; a full disk stays full (every later one fails too), an I/O error
//   comes once.
// - QUARVEL_CONTEGGIO=file: at exit, the number of writes, syncs and renames
//   seen; the call made to fail, as soon as it fails.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kMassimoFd = 4096;

struct Voce {
  char tipo = 0;  // 'f' file, 'd' folder, 'q' database, 'j' its journal
  int maniglia = 0;
  std::string percorso;
};

struct Stato {
  std::recursive_mutex m;
  std::vector<std::string> radici;
  FILE* traccia = nullptr;
  FILE* dati = nullptr;
  std::string registro, conteggio;
  long long byteDati = 0;
  int maniglie = 0, copie = 0;
  long chiamate = 0, guasto = 0;
  int errnoGuasto = 0;
  Voce fd[kMassimoFd];

  Stato() {
    for (const char* p = std::getenv("QUARVEL_RADICI"); p && *p;) {
      const char* fine = std::strchr(p, ':');
      radici.emplace_back(p, fine ? size_t(fine - p) : std::strlen(p));
      p = fine ? fine + 1 : nullptr;
    }
    if (const char* r = std::getenv("QUARVEL_REGISTRO")) {
      registro = r;
      traccia = std::fopen(r, "w");
      dati = std::fopen((registro + ".dati").c_str(), "wb");
    }
    if (const char* g = std::getenv("QUARVEL_GUASTO")) {
      char tipo[16] = {};
      if (std::sscanf(g, "%15s %ld", tipo, &guasto) == 2)
        errnoGuasto = std::strcmp(tipo, "EIO") ? ENOSPC : EIO;
    }
    if (const char* c = std::getenv("QUARVEL_CONTEGGIO")) conteggio = c;
  }
};

// Never destroyed: calls may come while the program's statics go.
Stato& S() {
  static Stato* s = new Stato;
  return *s;
}

template <typename F>
F Vero(F, const char* nome) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, nome));
}
#define VERO(nome) static const auto vero = Vero(&::nome, #nome)

void Riga(const char* formato, ...) {
  if (!S().traccia) return;
  va_list a;
  va_start(a, formato);
  std::vfprintf(S().traccia, formato, a);
  va_end(a);
  std::fputc('\n', S().traccia);
  std::fflush(S().traccia);
}

bool Finisce(const std::string& s, const char* coda) {
  const size_t n = std::strlen(coda);
  return s.size() >= n && s.compare(s.size() - n, n, coda) == 0;
}

// The absolute path without "." and ".." parts; empty when unknown.
std::string Assoluto(int dirfd, const char* p) {
  if (!p) return {};
  std::string s;
  if (p[0] == '/') {
    s = p;
  } else if (dirfd == AT_FDCWD) {
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) return {};
    s = std::string(cwd) + "/" + p;
  } else if (dirfd >= 0 && dirfd < kMassimoFd && S().fd[dirfd].tipo) {
    s = S().fd[dirfd].percorso + "/" + p;
  } else {
    return {};
  }
  std::vector<std::string> parti;
  for (size_t i = 0; i <= s.size();) {
    size_t j = s.find('/', i);
    if (j == std::string::npos) j = s.size();
    const std::string parte = s.substr(i, j - i);
    if (parte == "..") {
      if (!parti.empty()) parti.pop_back();
    } else if (!parte.empty() && parte != ".") {
      parti.push_back(parte);
    }
    i = j + 1;
  }
  std::string r;
  for (const std::string& parte : parti) r += "/" + parte;
  return r;
}

bool Sotto(const std::string& p) {
  for (const std::string& r : S().radici)
    if (p.compare(0, r.size(), r) == 0 && (p.size() == r.size() || p[r.size()] == '/')) return true;
  return false;
}

Voce* Seguito(int fd) { return fd >= 0 && fd < kMassimoFd && S().fd[fd].tipo ? &S().fd[fd] : nullptr; }

// A write, sync or rename seen: true when it is the one to fail (errno set).
bool Fallisce(const char* chiamata, const std::string& percorso) {
  Stato& s = S();
  ++s.chiamate;
  if (s.guasto == 0 || s.chiamate < s.guasto || (s.errnoGuasto == EIO && s.chiamate > s.guasto))
    return false;
  if (s.chiamate == s.guasto && !s.conteggio.empty()) {
    if (FILE* f = std::fopen((s.conteggio + ".guasto").c_str(), "w")) {
      std::fprintf(f, "%ld %s %s\n", s.chiamate, chiamata, percorso.c_str());
      std::fclose(f);
    }
  }
  errno = s.errnoGuasto;
  return true;
}

// The bytes written at off into a recorded file.
void Dati(const Voce& v, long long off, const void* byte, long long n) {
  if (v.tipo != 'f' || !S().traccia || n <= 0) return;
  std::fwrite(byte, 1, size_t(n), S().dati);
  std::fflush(S().dati);
  Riga("W\t%d\t%lld\t%lld\t%lld", v.maniglia, off, n, S().byteDati);
  S().byteDati += n;
}

long long Posizione(int fd) {
  if (fcntl(fd, F_GETFL) & O_APPEND) {
    struct stat st {};
    fstat(fd, &st);
    return st.st_size;
  }
  return lseek(fd, 0, SEEK_CUR);
}

// The database as its commit left it, copied whole.
void Commit(const std::string& journal) {
  const std::string db = journal.substr(0, journal.size() - std::strlen("-journal"));
  const std::string copia = S().registro + ".commit" + std::to_string(++S().copie);
  FILE* da = std::fopen(db.c_str(), "rb");
  FILE* a = std::fopen(copia.c_str(), "wb");
  char buffer[65536];
  for (size_t n; da && a && (n = std::fread(buffer, 1, sizeof buffer, da)) > 0;) std::fwrite(buffer, 1, n, a);
  if (da) std::fclose(da);
  if (a) std::fclose(a);
  Riga("K\t%s\t%s", db.c_str(), copia.c_str());
}

int Apri(int dirfd, const char* path, int flags, mode_t mode, int (*vero)(int, const char*, int, ...)) {
  const std::string p = Assoluto(dirfd, path);
  if (p.empty() || !Sotto(p)) return vero(dirfd, path, flags, mode);
  std::lock_guard<std::recursive_mutex> l(S().m);
  struct stat st {};
  const bool esisteva = lstat(p.c_str(), &st) == 0;
  const int fd = vero(dirfd, path, flags, mode);
  if (fd < 0 || fd >= kMassimoFd) return fd;
  fstat(fd, &st);
  Voce& v = S().fd[fd];
  v.percorso = p;
  v.maniglia = ++S().maniglie;
  v.tipo = S_ISDIR(st.st_mode) ? 'd' : Finisce(p, ".mdb") ? 'q' : Finisce(p, "-journal") ? 'j' : 'f';
  if (v.tipo == 'd' || (v.tipo == 'f' && (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC))))
    // An unnamed file (O_TMPFILE) gets its name later from linkat.
    Riga("A\t%d\t%c%c%c\t%s", v.maniglia, v.tipo,
         (flags & O_TMPFILE) == O_TMPFILE ? 'n' : (flags & O_CREAT) && !esisteva ? 'c' : '-',
         flags & O_TRUNC ? 't' : '-', p.c_str());
  return fd;
}

int Rinomina(int da, const char* vecchio, int a, const char* nuovo, unsigned flags) {
  static const auto vero = reinterpret_cast<int (*)(int, const char*, int, const char*, unsigned)>(
      dlsym(RTLD_NEXT, "renameat2"));
  const std::string pv = Assoluto(da, vecchio), pn = Assoluto(a, nuovo);
  if (!Sotto(pv) && !Sotto(pn)) return vero(da, vecchio, a, nuovo, flags);
  std::lock_guard<std::recursive_mutex> l(S().m);
  if (Fallisce("rename", pn)) return -1;
  const int r = vero(da, vecchio, a, nuovo, flags);
  if (r == 0) Riga("R\t%s\t%s", pv.c_str(), pn.c_str());
  return r;
}

int Rimuovi(int dirfd, const char* path, int flags) {
  VERO(unlinkat);
  const std::string p = Assoluto(dirfd, path);
  if (!Sotto(p)) return vero(dirfd, path, flags);
  std::lock_guard<std::recursive_mutex> l(S().m);
  const int r = vero(dirfd, path, flags);
  if (r == 0 && !(flags & AT_REMOVEDIR)) {
    if (Finisce(p, ".mdb-journal") && S().traccia) Commit(p);
    else if (!Finisce(p, "-journal")) Riga("U\t%s", p.c_str());
  }
  return r;
}

int Sincronizza(int fd, int (*vero)(int)) {
  std::lock_guard<std::recursive_mutex> l(S().m);
  const Voce* v = Seguito(fd);
  if (!v) return vero(fd);
  if (Fallisce("sync", v->percorso)) return -1;
  const int r = vero(fd);
  if (r == 0 && (v->tipo == 'f' || v->tipo == 'd')) Riga("S\t%d", v->maniglia);
  return r;
}

ssize_t Scrivi(int fd, const void* b, size_t n, long long off, bool pos,
               ssize_t (*vero)(int, const void*, size_t, off_t), ssize_t (*veroW)(int, const void*, size_t)) {
  std::lock_guard<std::recursive_mutex> l(S().m);
  const Voce* v = Seguito(fd);
  if (!v) return pos ? vero(fd, b, n, off) : veroW(fd, b, n);
  if (Fallisce("write", v->percorso)) return -1;
  if (!pos) off = Posizione(fd);
  const ssize_t r = pos ? vero(fd, b, n, off) : veroW(fd, b, n);
  if (r > 0) Dati(*v, off, b, r);
  return r;
}

int Tronca(int fd, off_t n, int (*vero)(int, off_t)) {
  std::lock_guard<std::recursive_mutex> l(S().m);
  const Voce* v = Seguito(fd);
  const int r = vero(fd, n);
  if (r == 0 && v && v->tipo == 'f') Riga("T\t%d\t%lld", v->maniglia, (long long)n);
  return r;
}
}  // namespace

extern "C" {

// open and its variants; the mode comes only with the flags that make a file.
#define APRI(nome, parametri, dirfd)                                                  \
  int nome parametri {                                                                \
    VERO(openat);                                                                     \
    va_list a;                                                                        \
    va_start(a, flags);                                                               \
    const mode_t m = (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(a, int)) : 0;     \
    va_end(a);                                                                        \
    return Apri(dirfd, p, flags, m, vero);                                            \
  }
APRI(open, (const char* p, int flags, ...), AT_FDCWD)
APRI(open64, (const char* p, int flags, ...), AT_FDCWD)
APRI(openat, (int d, const char* p, int flags, ...), d)
APRI(openat64, (int d, const char* p, int flags, ...), d)
int creat(const char* p, mode_t m) { return open(p, O_WRONLY | O_CREAT | O_TRUNC, m); }

int close(int fd) {
  VERO(close);
  std::lock_guard<std::recursive_mutex> l(S().m);
  if (fd >= 0 && fd < kMassimoFd) S().fd[fd] = Voce();
  return vero(fd);
}

ssize_t write(int fd, const void* b, size_t n) {
  VERO(write);
  return Scrivi(fd, b, n, 0, false, nullptr, vero);
}
ssize_t pwrite(int fd, const void* b, size_t n, off_t off) {
  VERO(pwrite);
  return Scrivi(fd, b, n, off, true, vero, nullptr);
}
ssize_t pwrite64(int fd, const void* b, size_t n, off_t off) {
  VERO(pwrite64);
  return Scrivi(fd, b, n, off, true, vero, nullptr);
}

ssize_t copy_file_range(int da, loff_t* offDa, int a, loff_t* offA, size_t n, unsigned flags) {
  VERO(copy_file_range);
  std::lock_guard<std::recursive_mutex> l(S().m);
  const Voce* v = Seguito(a);
  if (!v) return vero(da, offDa, a, offA, n, flags);
  if (Fallisce("write", v->percorso)) return -1;
  const long long inizioDa = offDa ? *offDa : lseek(da, 0, SEEK_CUR);
  const long long inizioA = offA ? *offA : Posizione(a);
  const ssize_t r = vero(da, offDa, a, offA, n, flags);
  if (r > 0 && v->tipo == 'f' && S().traccia) {
    std::vector<char> byte(size_t(r), 0);
    if (pread(da, byte.data(), byte.size(), inizioDa) == r) Dati(*v, inizioA, byte.data(), r);
  }
  return r;
}

int ftruncate(int fd, off_t n) {
  VERO(ftruncate);
  return Tronca(fd, n, vero);
}
int ftruncate64(int fd, off_t n) {
  VERO(ftruncate64);
  return Tronca(fd, n, vero);
}
int fsync(int fd) {
  VERO(fsync);
  return Sincronizza(fd, vero);
}
int fdatasync(int fd) {
  VERO(fdatasync);
  return Sincronizza(fd, vero);
}

int renameat2(int da, const char* v, int a, const char* n, unsigned flags) {
  return Rinomina(da, v, a, n, flags);
}
int renameat(int da, const char* v, int a, const char* n) { return Rinomina(da, v, a, n, 0); }
int rename(const char* v, const char* n) { return Rinomina(AT_FDCWD, v, AT_FDCWD, n, 0); }
int unlinkat(int dirfd, const char* p, int flags) { return Rimuovi(dirfd, p, flags); }
int unlink(const char* p) { return Rimuovi(AT_FDCWD, p, 0); }

// The name given to a descriptor's unnamed file.
int linkat(int da, const char* vecchio, int a, const char* nuovo, int flags) {
  VERO(linkat);
  const std::string pn = Assoluto(a, nuovo);
  if (!Sotto(pn)) return vero(da, vecchio, a, nuovo, flags);
  std::lock_guard<std::recursive_mutex> l(S().m);
  int fd = (flags & AT_EMPTY_PATH) && !*vecchio ? da : -1;
  if (std::sscanf(vecchio, "/proc/self/fd/%d", &fd) != 1 && *vecchio) fd = -1;
  const int r = vero(da, vecchio, a, nuovo, flags);
  if (r == 0 && Seguito(fd)) Riga("N\t%d\t%s", Seguito(fd)->maniglia, pn.c_str());
  return r;
}

int mkdirat(int dirfd, const char* p, mode_t m) {
  VERO(mkdirat);
  const std::string percorso = Assoluto(dirfd, p);
  if (!Sotto(percorso)) return vero(dirfd, p, m);
  std::lock_guard<std::recursive_mutex> l(S().m);
  const int r = vero(dirfd, p, m);
  if (r == 0) Riga("M\t%s", percorso.c_str());
  return r;
}
int mkdir(const char* p, mode_t m) { return mkdirat(AT_FDCWD, p, m); }

}  // extern "C"

__attribute__((destructor)) static void Fine() {
  if (S().conteggio.empty()) return;
  if (FILE* f = std::fopen(S().conteggio.c_str(), "w")) {
    std::fprintf(f, "%ld\n", S().chiamate);
    std::fclose(f);
  }
}
