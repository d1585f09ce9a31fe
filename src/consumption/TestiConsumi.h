#pragma once
// The texts of the consumption analysis: the report file's name and blocks,
// always in Italian with Italian numbers and dates so that reports compare
// across installations, and the lines of the refuel and anomaly lists and
// the result captions, in the words and format the caller hands in (the
// user's language in the window).
#include "AccumulatoreConsumi.h"
#include "Localizzazione.h"
#include "TestiRisultati.h"

#include <QString>
#include <vector>

namespace quarvel {

// A number of seconds as " 1h : 2min : 5sec" (hours, minutes and seconds
// are single-precision values).
QString SecondiToTime(double secondi, const QLocale& locale = LocaleUtente());

// REPORT/Report_<plate>_<YYYY-MM-DD HH-MM-SS>.txt below the program folder.
QString PercorsoReport(const QString& targa, Istante istante);
// "File Output Report <YYYY-MM-DD HH:MM:SS> Identificato da : <plate>".
QString PrimaRigaReport(const QString& targa, Istante istante);

// The block of the trip that has just ended and the total block: seven
// lines, each ending in CR LF.
QString BloccoViaggio(const AccumulatoreConsumi& a, int16_t sogliaVelocita);
QString BloccoTotale(const AccumulatoreConsumi& a, int16_t sogliaVelocita);
// The line of the last trip, which gets no block of its own, and the empty
// line after it.
QString ChiusuraUltimoViaggio(const AccumulatoreConsumi& a);

// One line of "Possibili anomalie :" (a drop) and of "Possibili carichi:"
// (a rise), each ending in CR LF.
QString RigaAnomalia(Istante istante, int16_t precedente, int16_t livello, double numeroCampione,
                     const TestiRisultati& testi = {});
QString RigaCarico(Istante istante, int16_t precedente, int16_t livello,
                   const TestiRisultati& testi = {});

// The caption of a result label, keyed by the label's objectName.
struct Didascalia {
  QString nome;
  QString testo;
};
// The sixteen captions, in the order the window fills its labels.
std::vector<Didascalia> Didascalie(const AccumulatoreConsumi& a, int16_t sogliaVelocita,
                                   const TestiRisultati& testi = {});

}  // namespace quarvel
