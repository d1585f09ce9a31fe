#pragma once
// The chart's sample buffer: about four hours of one vehicle's samples (one
// a second) in four channels, loaded from a record number of the vehicle
// database. Scrolling, zooming and playback work on it from memory; only a
// new page goes back to the database.
#include "Connessione.h"
#include "Istante.h"
#include "OrdinaliLogs.h"

#include <QString>
#include <array>
#include <cstdint>
#include <limits>

namespace quarvel {

class CursoreLogs;

// The most samples one load places, and the size of the buffer (entries 0
// to 14400: a view of 7200 entries starting at entry 7200 ends there).
inline constexpr int kCampioniPagina = 14399;
inline constexpr int kVociBuffer = 14401;
// A page is loaded from Blocco x kRecordBlocco: consecutive pages overlap by half.
inline constexpr int64_t kRecordBlocco = 7200;
static_assert(kRecordBlocco == kPassoOrdinali, "a page starts on a stored ordinal");

// An entry no load has written: its time text is empty.
inline constexpr Istante kOrarioVuoto = std::numeric_limits<Istante>::min();

// The channels: C1 level (%), C2 engine speed, C3 road speed, C4 the moving
// average of the fuel-sensor level (litres).
inline constexpr int kCanali = 4;

struct DatiGrafico {
  using Canale = std::array<int16_t, kVociBuffer>;
  DatiGrafico() { Orari.fill(kOrarioVuoto); }

  // The instant of each entry; TestoOrario gives its text.
  std::array<Istante, kVociBuffer> Orari;
  Canale Dato_C1{}, Dato_C2{}, Dato_C3{}, Dato_C4{};
  // How many entries the last load wrote, from 0. Entries past it keep what
  // an earlier load left there.
  int16_t CampioniCaricati = 0;

  const Canale& Dato(int canale) const;  // 0..3: C1..C4
};

// "DD/MM/YYYY HH.MM.SS"; empty for an entry never loaded.
QString TestoOrario(Istante istante);

// A value rounded to the nearest integer, halves to even, held within 16
// bits (saturated, never wrapped).
int16_t Intero16Saturato(double valore);

// Fills the buffer from the cursor's current record on, up to
// kCampioniPagina samples: C1 = Dato2 rounded, C2 = Dato3, C3 = Dato5, C4 =
// the floor of the mean of the last 121 positive Dato14 values (a Dato14 of
// 0 or below leaves its entry as it was and stays out of the mean; a gap of
// more than 2 seconds empties the mean). Sets CampioniCaricati.
void CaricaCampioni(DatiGrafico& dati, CursoreLogs& cursore);

// Carica4hGrafico: fills the buffer with the records that follow the first
// `primo` records of the table (primo rounded to an integer; 0 is the first
// record), reaching it by the stored ordinals instead of walking. Past the
// last record nothing is loaded (CampioniCaricati 0). On a failure (no such
// database, a damaged page) the buffer is left as it was and the engine's
// message is returned.
Esito Carica4hGrafico(DatiGrafico& dati, const QString& percorso, double primo);

// The jump to a date and time: the position, counted from 1, of the record
// stamped exactly at that instant; nothing when there is none.
RicercaOrdinale OrdinaleDelMinuto(const QString& percorso, Istante minuto);
// The block of such a position: p / 7200 rounded, halves to even.
int16_t BloccoDelSalto(int64_t p);

}  // namespace quarvel
