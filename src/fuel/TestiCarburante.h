#pragma once
// The fuel events and the balance as figures to one decimal, the same in
// every place that shows them (window, printed page, quarvel-batch): the
// balance's totals and its unexplained litres are worked out from the
// rounded litres, so that the printed figures add up.
#include "EventiCarburante.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace quarvel {

// Litres in tenths, halves away from zero.
int64_t Decimi(double litri);

struct BilancioDecimi {
  bool estremi = false;  // iniziali, finali and the unexplained litres known
  int64_t iniziali = 0, riforniti = 0, consumati = 0, prelevati = 0, finali = 0;
  int64_t Scarto() const { return iniziali + riforniti - consumati - prelevati - finali; }
};
BilancioDecimi BilancioArrotondato(const RisultatoCarburante& r);

// "12.3", "-0.4": tenths with a decimal point, for files and scripts.
QString TestoDecimi(int64_t decimi);

// The lines of quarvel-batch rifornimenti: one per event in time order,
// RIFORNIMENTO or PRELIEVO;inizio;fine;litri prima;litri dopo;litri, then
// BILANCIO;iniziali;riforniti;consumati;prelevati;finali;scarto (the litres
// at the ends and the unexplained ones empty when no reading settled).
QStringList RigheRifornimenti(const RisultatoCarburante& r);

// The same as the window and the printed page show them, in the user's
// language and number format: seven columns (kind, start, end, litres
// before, litres after, litres, engine), then the balance in words.
struct TabellaCarburante {
  QString titolo;
  QStringList intestazioni;
  std::vector<QStringList> righe;
  QStringList bilancio;  // "Litri iniziali: 276,0", "Riforniti: 954,2", ...
  QString scarto;        // the unexplained litres; empty when unknown
  QString nota;          // what only the unexplained litres show, or why they are unknown
};
TabellaCarburante TabellaEventi(const RisultatoCarburante& r);

}  // namespace quarvel
