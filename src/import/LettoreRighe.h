#pragma once
// A logger file read as a stream of lines, block by block: memory stays the
// same whatever the size of the file or of its lines. Lines end with CR LF,
// LF or CR; a final line end makes no empty line; a UTF-8 byte order mark
// at the start of the file (an editor saved it) is not part of the first
// line.
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

struct RigaLetta {
  // The line without its line end, at most kMassimaRiga bytes of it: valid
  // until the next call.
  std::string_view testo;
  int64_t lunghezza = 0;  // its whole length in bytes
  int64_t fine = 0;       // the file offset just past its line end
  bool Troncata() const { return lunghezza > int64_t(testo.size()); }
};

class LettoreRighe {
 public:
  // A logger's line is about a hundred bytes: anything longer than this is
  // damage, kept only in part.
  static constexpr int64_t kMassimaRiga = 64 * 1024;
  // The most one read asks of the file.
  static constexpr std::size_t kBloccoLettura = 1 << 20;

  LettoreRighe();
  ~LettoreRighe();
  LettoreRighe(const LettoreRighe&) = delete;
  LettoreRighe& operator=(const LettoreRighe&) = delete;

  // Opens the file at byte `da`, the start of a line. False when it cannot
  // be opened (Errore() says why).
  bool Apri(const QString& percorso, int64_t da = 0);
  // The next line; false at the end of the file, or when reading failed
  // (then Errore() is not empty).
  bool Prossima(RigaLetta& riga);
  const QString& Errore() const { return errore_; }

 private:
  // Reads more after what is in the buffer; false at the end or on error.
  bool Riempi();

  int fd_ = -1;
  std::vector<char> buffer_;
  size_t inizio_ = 0, fine_ = 0;  // the unread part of the buffer
  int64_t offsetBuffer_ = 0;      // file offset of buffer_[0]
  bool finito_ = false;
  std::string lunga_;             // the kept part of an overlong line
  QString errore_;
};

}  // namespace quarvel
