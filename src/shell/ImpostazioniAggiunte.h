#pragma once
// The settings that came after Quarvelini.ini, whose thirteen lines other
// programs read as they stand: kept beside it in QuarvelOpzioni.ini, one
// "Nome=valore" line each with a decimal point, read at start-up and
// written back when the main window closes, as the other file is.
#include <QString>
#include <QStringList>

namespace quarvel {

struct ImpostazioniAggiunte {
  // The smallest refuel and loss the fuel analysis reports, litres.
  double MinimoRifornimento = 20;
  double MinimoPerdita = 10;
};

// The one set of the run.
ImpostazioniAggiunte& Agg();

QString PercorsoIniAggiunto();

// Puts the defaults back, then reads the file. A missing file is no fault;
// a value that is no number, or is negative, keeps its default and is named
// in the text returned (empty when the file was sound).
QString LeggiIniAggiunto();
// Writes the file whole, or leaves the old one; the reason when it failed.
QString ScriviIniAggiunto();

}  // namespace quarvel
