#pragma once
// The vehicle database: one SQLite file per vehicle and year holding the
// table Logs, one row per logged second, keyed by TimeDate.
//
// This header is the contract the import, the analyses and the chart rely
// on; the implementation lives in Logs.cpp and CursoreLogs.cpp.
#include "Istante.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace quarvel {

// One log sample record, in column order (positions 0..19).
struct CampioneLog {
  Istante TimeDate = 0;
  Istante TimeDateLH = 0;
  int16_t DatoPT = 0;
  int16_t Dato0 = 0, Dato1 = 0;
  float Dato2 = 0;
  int16_t Dato3 = 0, Dato4 = 0, Dato5 = 0;
  float Dato6 = 0;
  int16_t Dato7 = 0;
  int32_t Dato8 = 0, Dato9 = 0;
  double Dato10 = 0, Dato11 = 0;
  int16_t Dato12 = 0;
  float Dato13 = 0;
  int16_t Dato14 = 0;
  float Dato15 = 0;
  int16_t Dato16 = 0;
};

// Column positions as the reading queries return them.
enum ColonnaLogs : int {
  kTimeDate = 0, kTimeDateLH, kDatoPT, kDato0, kDato1, kDato2, kDato3, kDato4, kDato5,
  kDato6, kDato7, kDato8, kDato9, kDato10, kDato11, kDato12, kDato13, kDato14,
  kDato15, kDato16, kNumeroColonne
};

// A reading cursor over the samples of a period in ascending TimeDate order.
// It never holds more than the current row: a year at one sample per second
// is over ten million rows.
class CursoreLogs {
 public:
  virtual ~CursoreLogs() = default;
  // True past the last record / before the first; both true on no records.
  virtual bool AllaFine() const = 0;
  virtual bool AllInizio() const = 0;
  virtual void Primo() = 0;
  virtual void Ultimo() = 0;
  virtual void Successivo() = 0;
  // Moves by n records (negative: backwards); past either end it stops at
  // end or beginning.
  virtual void Sposta(int64_t n) = 0;
  // Column by position of the current record (undefined at end/beginning).
  virtual int64_t Intero(int posizione) const = 0;
  virtual double Reale(int posizione) const = 0;
  // The value with the column's own type (qint16/qint32/float/double,
  // QDateTime for the two instants).
  QVariant Valore(int posizione) const;
  Istante TimeDate() const { return Intero(kTimeDate); }
  CampioneLog Campione() const;
};

}  // namespace quarvel
