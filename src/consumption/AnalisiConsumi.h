#pragma once
// The consumption analysis: one pass over the samples of a period computes
// the fuel, time, distance and speed figures and the tank-level jumps, and
// AnalisiTotale writes the report file below REPORT/ around it and gives
// back the result captions and list lines. No widgets: the window hands the
// period's cursor and the settings in and writes the results into its
// controls. The fleet runs the pass alone, without a report per vehicle.
#include "AccumulatoreConsumi.h"
#include "RilevatoreCarburante.h"
#include "Logs.h"
#include "TestiConsumi.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace quarvel {

struct ParametriAnalisi {
  QString targa;                 // the plate shown: names the report, ends its first line
  int16_t sogliaVelocita = 0;    // LivelloAllertVelocita, km/h
  int16_t sogliaGasolio = 25;    // LivelloAllertGasolio, compared with levels in %
  Istante istanteAnalisi = 0;    // names the report and dates its first line
  // Called once per sample with ContatoreAvanzamento (0..100). Keep it cheap:
  // the window moves its bar and lets events through with PassoEventi.
  std::function<void(int16_t)> avanzamento;
  // The words and format of the captions and list lines (the report is
  // Italian whatever they are).
  TestiRisultati testi;
  // When given, the refuels and losses in litres are found in the same pass.
  std::optional<ParametriCarburante> carburante;
};

// One trip of the period with the figures of its report block: each
// recording that starts in the period, and before the first of them the
// part of a recording begun earlier (number 0).
struct ViaggioAnalisi {
  double numero = 0;              // NumeroAccensioni while it ran
  Istante inizio = 0, fine = 0;   // its first and last sample in the period
  double secondiAcceso = 0, secondiMarcia = 0;
  double sommaVelocita = 0;       // km/h over seconds: km × 3600
  int16_t velocitaMax = 0, superamenti = 0;
};

enum class EsitoAnalisi {
  Completa,          // report written, captions and lists filled
  PeriodoVuoto,      // no samples: the report holds only its first line
  ReportNonCreato,   // the report file could not be created: nothing analysed
  ReportIncompleto,  // figures computed, but writing the report failed
  ErroreLettura,     // the database failed while the period was walked: no figures
};

struct RisultatoAnalisi {
  EsitoAnalisi esito = EsitoAnalisi::PeriodoVuoto;
  QString percorsoReport;     // PercorsoReport
  QString erroreFile;         // the file system's description when writing failed
  QString erroreDatabase;     // "Errore Database, comunicare Err: " and the engine's message
  // The sixteen captions in fill order, in the words handed in; empty unless
  // the period had samples.
  std::vector<Didascalia> didascalie;
  // Lines to append to Txt_datecarico and Txt_datesospette, each ending in
  // CR LF, in the order they were found.
  QStringList carichi;
  QStringList anomalie;
  AccumulatoreConsumi totali;  // the counters as the pass left them
  std::vector<ViaggioAnalisi> viaggi;  // in time order
  RisultatoCarburante carburante;
};

// The pass alone: the figures, both lists, the trips and (when asked) the
// fuel events, with no report file; the outcome is Completa, PeriodoVuoto
// or ErroreLettura (then without figures). fineViaggio is called with the
// counters whenever a recording ends the trip before it, before the new
// recording's first sample is counted: the report writes that trip's block.
RisultatoAnalisi PassoAnalisi(
    SorgenteLetture& periodo, const ParametriAnalisi& parametri,
    const std::function<void(const AccumulatoreConsumi&)>& fineViaggio = {});

// Walks the period's samples once, from the first to the last (a cursor is
// left at its end; the caller closes it). Creates REPORT/ when it is missing and replaces a
// report of the same name. When the cursor reports an engine error (a
// damaged page, an I/O error) the walk ended early: the figures would be
// too small, so none are given and the report is removed.
RisultatoAnalisi AnalisiTotale(SorgenteLetture& periodo, const ParametriAnalisi& parametri);
RisultatoAnalisi AnalisiTotale(CursoreLogs& periodo, const ParametriAnalisi& parametri);

}  // namespace quarvel
