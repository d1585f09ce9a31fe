#pragma once
// The month grid as a table for its export: a row per day of the month, its
// date, a 1 or a 0 for each quarter-hour from 00:00 to 23:45 (1: samples
// were logged in it) and the hours of the day with samples.
#include "AttivitaMese.h"
#include "TabellaEsportata.h"
#include "TracciaMese.h"

namespace quarvel {

// giorno and ore: the headings of the first and the last column.
TabellaEsportata TabellaAttivita(const AttivitaMese& attivita, const PeriodoMese& mese,
                                 const QString& giorno, const QString& ore);

}  // namespace quarvel
