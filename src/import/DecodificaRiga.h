#pragma once
// The logger's lines, decoded without touching any database: a recording
// header ("Data,Ora,ID=..."), the column header ("Data,Ora,N Status,L..."),
// a data line (date, time and sixteen comma-terminated numbers), or anything
// else, which is an error line. Works on the bytes of a line: the logger
// writes ASCII, and every position below counts bytes.
#include "Logs.h"

#include <optional>
#include <string_view>

namespace quarvel {

enum class TipoRiga { PrimaRiga, Intestazione, Dati, Errata };

struct RigaDecodificata {
  TipoRiga tipo = TipoRiga::Errata;
  CampioneLog campione;  // a data line's sample
};

// The instant of a date (ten characters) and a time (eight characters) as
// the logger writes them; nothing when they are no valid date and time.
//
// The logger writes "04/12/2026" and "22.12.05". What an Italian desktop
// took for a date there, and we take too: day/month/year, or year/month/day
// when the date begins with four digits; "/" or "-" between the parts (the
// same twice); day and month of one or two digits, the year of four;
// blanks before or after inside the ten characters (" 4/12/2026"). The time
// is hours, minutes and seconds of one or two digits with "." or ":"
// between them (the same twice), blanks allowed around. A date that does
// not exist (31/02/2026), a year before 100 or a time beyond 23.59.59 is
// not valid. Refused although a desktop date parser might read them:
// two-digit years and month-first dates (they cannot fill the ten
// characters of a real line, and 12/31/2026 is a damaged line rather than a
// day), month names, and a date without its time: a sample needs its second.
std::optional<Istante> LeggiDataOra(std::string_view data, std::string_view ora);

// Classifies one line (without its line end) and decodes a data line into
// its sample; contatore, the number of samples stored since the recording
// header, becomes DatoPT.
//
// A data line is made an error line, never a wrapped value: when a field
// does not fit its column after the logger's no-reading rules (-40000 in a
// 16-bit column, 40000 in field 4, 1e39 in a single-precision column), and
// when a valid date and time are not followed by the separator (a line
// shorter than 20 characters).
RigaDecodificata DecodificaRigaCSV(std::string_view riga, float contatore);

// DatoPT of the sample that many samples after the recording header. A truck
// that runs more than nine hours without switching off (two drivers, a
// night run) passes 32767 samples: DatoPT then stays at 32767, so every
// sample is kept and no new recording (no ignition, no trip) is invented.
int16_t OrdinaleRegistrazione(double contatore);

}  // namespace quarvel
