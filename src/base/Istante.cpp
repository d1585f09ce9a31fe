#include "Istante.h"

namespace quarvel {

namespace {
// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t GiorniDaCivile(int64_t a, unsigned m, unsigned g) {
  a -= m <= 2;
  const int64_t era = (a >= 0 ? a : a - 399) / 400;
  const unsigned aoe = unsigned(a - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + g - 1;
  const unsigned doe = aoe * 365 + aoe / 4 - aoe / 100 + doy;
  return era * 146097 + int64_t(doe) - 719468;
}

void CivileDaGiorni(int64_t z, int& anno, int& mese, int& giorno) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned aoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t a = int64_t(aoe) + era * 400;
  const unsigned doy = doe - (365 * aoe + aoe / 4 - aoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  giorno = int(doy - (153 * mp + 2) / 5 + 1);
  mese = int(mp < 10 ? mp + 3 : mp - 9);
  anno = int(a + (mese <= 2));
}
}  // namespace

int GiorniNelMese(int anno, int mese) {
  static const int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (mese < 1 || mese > 12) return 0;
  if (mese == 2) {
    const bool bisestile = (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
    return bisestile ? 29 : 28;
  }
  return giorni[mese - 1];
}

bool DataValida(int anno, int mese, int giorno) {
  return anno >= 1 && anno <= 9999 && mese >= 1 && mese <= 12 && giorno >= 1 &&
         giorno <= GiorniNelMese(anno, mese);
}

std::optional<Istante> IstanteDa(int anno, int mese, int giorno, int ora, int minuto,
                                 int secondo) {
  if (!DataValida(anno, mese, giorno)) return std::nullopt;
  if (ora < 0 || ora > 23 || minuto < 0 || minuto > 59 || secondo < 0 || secondo > 59)
    return std::nullopt;
  return GiorniDaCivile(anno, unsigned(mese), unsigned(giorno)) * 86400 + ora * 3600 +
         minuto * 60 + secondo;
}

DataOra Scomponi(Istante istante) {
  int64_t giorni = istante / 86400;
  int64_t resto = istante % 86400;
  if (resto < 0) {
    resto += 86400;
    --giorni;
  }
  DataOra d;
  CivileDaGiorni(giorni, d.anno, d.mese, d.giorno);
  d.ora = int(resto / 3600);
  d.minuto = int(resto / 60 % 60);
  d.secondo = int(resto % 60);
  return d;
}

QDateTime InDateTime(Istante istante) {
  const DataOra d = Scomponi(istante);
  return QDateTime(QDate(d.anno, d.mese, d.giorno), QTime(d.ora, d.minuto, d.secondo));
}

Istante DaDateTime(const QDateTime& dt) {
  const QDate g = dt.date();
  const QTime t = dt.time();
  return IstanteDa(g.year(), g.month(), g.day(), t.hour(), t.minute(), t.second())
      .value_or(IstanteZero);
}

Istante Adesso() { return DaDateTime(QDateTime::currentDateTime()); }

}  // namespace quarvel
