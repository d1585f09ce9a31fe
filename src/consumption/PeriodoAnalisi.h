#pragma once
// The analysis period: the span a vehicle database covers, the period the
// window proposes from it, the period built from the date pickers and the
// hour and minute boxes as typed, and the captions of the period's bounds.
#include "Istante.h"
#include "Logs.h"
#include "TestiRisultati.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

namespace quarvel {

// The first and last TimeDate of the samples behind a cursor.
struct EstremiCampioni {
  Istante primo = IstanteZero;
  Istante ultimo = IstanteZero;
};
// Nothing when there are no samples ("Database vuoto - Errore 1" for a whole
// database, "Record non presenti, controllare date selezionate" for a
// period). Leaves the cursor on its last sample.
std::optional<EstremiCampioni> EstraiEstremi(CursoreLogs& cursore);

// The period proposed when a database is chosen: its whole span.
struct PropostaPeriodo {
  QDate dataInizio, dataFine;                  // DTP_AnalStartDate, DTP_AnalStopDate
  QString oraInizio, minutoInizio;             // Txt_AnalStartH, Txt_AnalStartMin ("7", not "07")
  QString oraFine, minutoFine;                 // Txt_AnalStopH, Txt_AnalStopMin
  int16_t OraInizio = 0, MinutoInizio = 0;     // the arrow counters
  int16_t OraFine = 0, MinutoFine = 0;
  Istante InizioAnalisi = IstanteZero;
  Istante FineAnalisi = IstanteZero;
};
// From InizioDB and FineDB (the zero date-time when no database was read).
PropostaPeriodo ProponiPeriodo(Istante inizioDB, Istante fineDB);

// The control whose content does not form a time of day.
enum class CampoPeriodo { Nessuno, DataInizio, OraInizio, MinutoInizio, DataFine, OraFine, MinutoFine };

struct PeriodoAnalisi {
  Istante InizioAnalisi = IstanteZero;  // the start minute at :00
  Istante FineAnalisi = IstanteZero;    // the stop minute at :59, so it is included
  CampoPeriodo errato = CampoPeriodo::Nessuno;
  bool Valido() const { return errato == CampoPeriodo::Nessuno; }
};
// The hour and minute texts are taken as typed (blanks around them allowed):
// whole numbers 0..23 and 0..59. A start after the end is not an error; it
// simply finds no samples.
PeriodoAnalisi CostruisciPeriodo(const QDate& dataInizio, const QString& oraInizio,
                                 const QString& minutoInizio, const QDate& dataFine,
                                 const QString& oraFine, const QString& minutoFine);

// "Data inizio analisi :" and "Data fine analisi :" followed by the instant,
// in Italian unless other words are handed in.
QString DidascaliaInizioAnalisi(Istante primo, const TestiRisultati& testi = {});
QString DidascaliaFineAnalisi(Istante ultimo, const TestiRisultati& testi = {});

}  // namespace quarvel
