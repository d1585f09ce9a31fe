#pragma once
// Text files of Quarvel: written in UTF-8 with CR LF line ends, read
// accepting CR LF, LF or CR, and falling back to Windows-1252 when a file is
// not valid UTF-8 (files copied from an older installation).
#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

namespace quarvel {

// The lines of a text file without their line ends; nothing when the file
// cannot be read.
std::optional<QStringList> LeggiRigheTesto(const QString& percorso);
// Splits a text into lines at CR LF, LF or CR. A final line end does not
// make an empty last line.
QStringList DividiRighe(const QString& testo);
// Decodes bytes as UTF-8, or as Windows-1252 when they are not valid UTF-8.
QString DecodificaTesto(const QByteArray& byte);

// Writes lines ending in CR LF, buffered until Chiudi.
class ScrittoreTesto {
 public:
  enum class Modo { Sostituisci, Accoda };
  ScrittoreTesto(const QString& percorso, Modo modo);
  bool Aperto() const { return file_.isOpen(); }
  QString Errore() const { return file_.errorString(); }
  // Writes the text followed by CR LF; false when the write failed.
  bool Riga(const QString& testo);
  // Writes the text as it is (it carries its own line ends).
  bool Testo(const QString& testo);
  // Flushes and closes; false when something could not be written.
  bool Chiudi();

 private:
  QFile file_;
};

}  // namespace quarvel
