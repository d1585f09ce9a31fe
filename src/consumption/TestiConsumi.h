#pragma once
// The texts of the consumption analysis: the report file's name and blocks,
// the lines of the refuel and anomaly lists, and the result captions.
// Numbers in the user's number format, instants in the general date format.
#include "AccumulatoreConsumi.h"

#include <QString>
#include <vector>

namespace quarvel {

// A number of seconds as " 1h : 2min : 5sec" (hours, minutes and seconds
// are single-precision values).
QString SecondiToTime(double secondi);

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
QString RigaAnomalia(Istante istante, int16_t precedente, int16_t livello, double numeroCampione);
QString RigaCarico(Istante istante, int16_t precedente, int16_t livello);

// The caption of a result label, keyed by the label's objectName.
struct Didascalia {
  QString nome;
  QString testo;
};
// The sixteen captions, in the order the window fills its labels.
std::vector<Didascalia> Didascalie(const AccumulatoreConsumi& a, int16_t sogliaVelocita);

}  // namespace quarvel
