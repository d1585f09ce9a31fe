#pragma once
// Instants are whole seconds of local wall-clock time, as the logger writes
// them, with no time zone: a plain count of seconds from 1 January 1970
// 00:00:00 of that same wall clock. QDateTime appears only at the edges.
#include <QDateTime>
#include <cstdint>
#include <optional>

namespace quarvel {

using Istante = int64_t;

struct DataOra {
  int anno = 1970, mese = 1, giorno = 1;
  int ora = 0, minuto = 0, secondo = 0;
};

// The instant of a calendar date and time; nothing when the date does not
// exist (31/02) or a part is out of range.
std::optional<Istante> IstanteDa(int anno, int mese, int giorno, int ora = 0, int minuto = 0,
                                 int secondo = 0);
DataOra Scomponi(Istante istante);
bool DataValida(int anno, int mese, int giorno);
int GiorniNelMese(int anno, int mese);

// The "zero" date-time value: 30/12/1899 00:00:00, the instant an unset
// date-and-time variable holds.
inline constexpr Istante IstanteZero = -2209161600LL;

QDateTime InDateTime(Istante istante);
Istante DaDateTime(const QDateTime& dt);
Istante Adesso();

}  // namespace quarvel
