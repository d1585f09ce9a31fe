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
//   seen; the call made to fail, as soon as it fails; in a run without a
//   fault, every call in file.elenco.
// Only the calls the program, Qt and SQLite make are caught (nm -D lists
// them): open, open64, write, pwrite64, copy_file_range, ftruncate(64),
// fsync, fdatasync, rename, renameat2, unlink, linkat, mkdir, close.
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
  FILE *traccia = nullptr, *dati = nullptr, *registroChiamate = nullptr;
  std::string registro, conteggio;
  long long byteDati = 0;
  int maniglie = 0, copie = 0;
  long chiamate = 0, guasto = 0;
  int errnoGuasto = 0;
  Voce fd[kMassimoFd];

  Stato() {
    const std::string elenco = std::getenv("QUARVEL_RADICI") ? std::getenv("QUARVEL_RADICI") : "";
    for (size_t i = 0, j; i < elenco.size(); i = j + 1) {
      j = std::min(elenco.find(':', i), elenco.size());
      radici.push_back(elenco.substr(i, j - i));
    }
    if (const char* r = std::getenv("QUARVEL_REGISTRO")) {
      registro = r;
      traccia = std::fopen(r, "w");
      dati = std::fopen((registro + ".dati").c_str(), "wb");
    }
    char tipo[16] = {};
    if (const char* g = std::getenv("QUARVEL_GUASTO"); g && std::sscanf(g, "%15s %ld", tipo, &guasto) == 2)
      errnoGuasto = std::strcmp(tipo, "EIO") ? ENOSPC : EIO;
    if (const char* c = std::getenv("QUARVEL_CONTEGGIO")) conteggio = c;
    if (!conteggio.empty() && guasto == 0) registroChiamate = std::fopen((conteggio + ".elenco").c_str(), "w");
  }
};

// Never destroyed: calls may come while the program's statics go.
Stato& S() {
  static Stato* s = new Stato;
  return *s;
}

#define VERO(nome) static const auto vero = reinterpret_cast<decltype(&::nome)>(dlsym(RTLD_NEXT, #nome))
using Blocco = std::lock_guard<std::recursive_mutex>;

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
std::string Assoluto(const char* p) {
  char cwd[4096];
  if (!p || (p[0] != '/' && !getcwd(cwd, sizeof cwd))) return {};
  const std::string s = p[0] == '/' ? std::string(p) : std::string(cwd) + "/" + p;
  std::vector<std::string> parti;
  for (size_t i = 0, j; i <= s.size(); i = j + 1) {
    j = std::min(s.find('/', i), s.size());
    const std::string parte = s.substr(i, j - i);
    if (parte == ".." && !parti.empty()) parti.pop_back();
    else if (!parte.empty() && parte != "." && parte != "..") parti.push_back(parte);
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
  if (s.registroChiamate) {
    std::fprintf(s.registroChiamate, "%ld %s %s\n", s.chiamate, chiamata, percorso.c_str());
    std::fflush(s.registroChiamate);
  }
  if (s.guasto == 0 || s.chiamate < s.guasto || (s.errnoGuasto == EIO && s.chiamate > s.guasto))
    return false;
  if (s.chiamate == s.guasto && !s.conteggio.empty())
    if (FILE* f = std::fopen((s.conteggio + ".guasto").c_str(), "w")) {
      std::fprintf(f, "%ld %s %s\n", s.chiamate, chiamata, percorso.c_str());
      std::fclose(f);
    }
  errno = s.errnoGuasto;
  return true;
}

// The bytes written at off into a recorded file.
void Dati(const Voce& v, long long off, const void* byte, long long n) {
  std::fwrite(byte, 1, size_t(n), S().dati);
  std::fflush(S().dati);
  Riga("W\t%d\t%lld\t%lld\t%lld", v.maniglia, off, n, S().byteDati);
  S().byteDati += n;
}

long long Posizione(int fd) {
  struct stat st {};
  return fcntl(fd, F_GETFL) & O_APPEND ? (fstat(fd, &st), st.st_size) : lseek(fd, 0, SEEK_CUR);
}

// The database as its commit left it, copied whole.
void Commit(const std::string& journal) {
  const std::string db = journal.substr(0, journal.size() - std::strlen("-journal"));
  const std::string copia = S().registro + ".commit" + std::to_string(++S().copie);
  FILE *da = std::fopen(db.c_str(), "rb"), *a = std::fopen(copia.c_str(), "wb");
  char buffer[65536];
  for (size_t n; da && a && (n = std::fread(buffer, 1, sizeof buffer, da)) > 0;) std::fwrite(buffer, 1, n, a);
  if (da) std::fclose(da);
  if (a) std::fclose(a);
  Riga("K\t%s\t%s", db.c_str(), copia.c_str());
}

// open and open64; the mode comes only with the flags that make a file.
int Apri(const char* path, int flags, va_list a, int (*vero)(const char*, int, ...)) {
  const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(a, int)) : 0;
  const std::string p = Assoluto(path);
  if (p.empty() || !Sotto(p)) return vero(path, flags, mode);
  Blocco l(S().m);
  struct stat st {};
  const bool esisteva = lstat(p.c_str(), &st) == 0;
  const int fd = vero(path, flags, mode);
  if (fd < 0 || fd >= kMassimoFd) return fd;
  fstat(fd, &st);
  Voce& v = S().fd[fd];
  v = {S_ISDIR(st.st_mode) ? 'd' : Finisce(p, ".mdb") ? 'q' : Finisce(p, "-journal") ? 'j' : 'f',
       ++S().maniglie, p};
  if (v.tipo == 'd' || (v.tipo == 'f' && (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC))))
    // An unnamed file (O_TMPFILE) gets its name later from linkat.
    Riga("A\t%d\t%c%c%c\t%s", v.maniglia, v.tipo,
         (flags & O_TMPFILE) == O_TMPFILE ? 'n' : (flags & O_CREAT) && !esisteva ? 'c' : '-',
         flags & O_TRUNC ? 't' : '-', p.c_str());
  return fd;
}

// A write to fd at off (-1: the file's position) done by scrivi; byte(r)
// gives the r bytes it wrote.
template <typename F, typename B>
ssize_t Scrivi(int fd, long long off, F scrivi, B byte) {
  Blocco l(S().m);
  const Voce* v = Seguito(fd);
  if (!v) return scrivi();
  if (Fallisce("write", v->percorso)) return -1;
  if (off < 0) off = Posizione(fd);
  const ssize_t r = scrivi();
  if (r > 0 && v->tipo == 'f' && S().traccia)
    if (const void* b = byte(r)) Dati(*v, off, b, r);
  return r;
}

int Sincronizza(int fd, int (*vero)(int)) {
  Blocco l(S().m);
  const Voce* v = Seguito(fd);
  if (!v) return vero(fd);
  if (Fallisce("sync", v->percorso)) return -1;
  const int r = vero(fd);
  if (r == 0 && (v->tipo == 'f' || v->tipo == 'd')) Riga("S\t%d", v->maniglia);
  return r;
}

int Tronca(int fd, off_t n, int (*vero)(int, off_t)) {
  Blocco l(S().m);
  const Voce* v = Seguito(fd);
  const int r = vero(fd, n);
  if (r == 0 && v && v->tipo == 'f') Riga("T\t%d\t%lld", v->maniglia, (long long)n);
  return r;
}

template <typename F>
int Rinomina(const char* vecchio, const char* nuovo, F rinomina) {
  const std::string pv = Assoluto(vecchio), pn = Assoluto(nuovo);
  if (!Sotto(pv) && !Sotto(pn)) return rinomina();
  Blocco l(S().m);
  if (Fallisce("rename", pn)) return -1;
  const int r = rinomina();
  if (r == 0) Riga("R\t%s\t%s", pv.c_str(), pn.c_str());
  return r;
}
}  // namespace

// A hook: the real function as `vero`, then the body.
#define AGGANCIO(tipo, nome, parametri, ...) \
  tipo nome parametri {                      \
    VERO(nome);                              \
    __VA_ARGS__                              \
  }

extern "C" {

#define APRI(nome)                                                                              \
  AGGANCIO(int, nome, (const char* p, int flags, ...), va_list a; va_start(a, flags);          \
           const int fd = Apri(p, flags, a, vero); va_end(a); return fd;)
APRI(open)
APRI(open64)
AGGANCIO(int, close, (int fd), Blocco l(S().m); if (Seguito(fd)) S().fd[fd] = Voce(); return vero(fd);)
AGGANCIO(ssize_t, write, (int fd, const void* b, size_t n),
         return Scrivi(fd, -1, [&] { return vero(fd, b, n); }, [b](ssize_t) { return b; });)
AGGANCIO(ssize_t, pwrite64, (int fd, const void* b, size_t n, off_t off),
         return Scrivi(fd, off, [&] { return vero(fd, b, n, off); }, [b](ssize_t) { return b; });)
AGGANCIO(int, ftruncate, (int fd, off_t n), return Tronca(fd, n, vero);)
AGGANCIO(int, ftruncate64, (int fd, off_t n), return Tronca(fd, n, vero);)
AGGANCIO(int, fsync, (int fd), return Sincronizza(fd, vero);)
AGGANCIO(int, fdatasync, (int fd), return Sincronizza(fd, vero);)
AGGANCIO(int, rename, (const char* v, const char* n), return Rinomina(v, n, [&] { return vero(v, n); });)
AGGANCIO(int, renameat2, (int da, const char* v, int a, const char* n, unsigned f),
         return Rinomina(v, n, [&] { return vero(da, v, a, n, f); });)

// The bytes copied are read back from where they came from.
ssize_t copy_file_range(int da, loff_t* offDa, int a, loff_t* offA, size_t n, unsigned flags) {
  VERO(copy_file_range);
  const long long inizioDa = offDa ? *offDa : lseek(da, 0, SEEK_CUR);
  std::vector<char> byte;
  return Scrivi(a, offA ? *offA : -1, [&] { return vero(da, offDa, a, offA, n, flags); },
                [&](ssize_t r) -> const void* {
                  byte.resize(size_t(r));
                  return pread(da, byte.data(), byte.size(), inizioDa) == r ? byte.data() : nullptr;
                });
}

int unlink(const char* p) {
  VERO(unlink);
  const std::string percorso = Assoluto(p);
  if (!Sotto(percorso)) return vero(p);
  Blocco l(S().m);
  const int r = vero(p);
  if (r == 0 && Finisce(percorso, ".mdb-journal") && S().traccia) Commit(percorso);
  else if (r == 0 && !Finisce(percorso, "-journal")) Riga("U\t%s", percorso.c_str());
  return r;
}

// The name given to a descriptor's unnamed file.
int linkat(int da, const char* vecchio, int a, const char* nuovo, int flags) {
  VERO(linkat);
  const std::string pn = Assoluto(nuovo);
  if (!Sotto(pn)) return vero(da, vecchio, a, nuovo, flags);
  Blocco l(S().m);
  int fd = (flags & AT_EMPTY_PATH) && !*vecchio ? da : -1;
  if (std::sscanf(vecchio, "/proc/self/fd/%d", &fd) != 1 && *vecchio) fd = -1;
  const int r = vero(da, vecchio, a, nuovo, flags);
  if (r == 0 && Seguito(fd)) Riga("N\t%d\t%s", Seguito(fd)->maniglia, pn.c_str());
  return r;
}

int mkdir(const char* p, mode_t m) {
  VERO(mkdir);
  const std::string percorso = Assoluto(p);
  if (!Sotto(percorso)) return vero(p, m);
  Blocco l(S().m);
  const int r = vero(p, m);
  if (r == 0) Riga("M\t%s", percorso.c_str());
  return r;
}

}  // extern "C"

__attribute__((destructor)) static void Fine() {
  if (S().conteggio.empty()) return;
  if (FILE* f = std::fopen(S().conteggio.c_str(), "w")) {
    std::fprintf(f, "%ld\n", S().chiamate);
    std::fclose(f);
  }
}
