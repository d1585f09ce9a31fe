#pragma once
// What every command of quarvel-batch shares: its entry in the command table,
// the output to standard output and standard error, and the reading of the
// arguments that several commands take.
#include "AnalisiConsumi.h"
#include "Istante.h"
#include "PeriodoAnalisi.h"
#include "TracciaMese.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace quarvel {

// One command: its name, how many arguments it takes after the name, the
// lines of the usage text that describe it, and what it does. Exit statuses:
// 0 done, 1 the work could not be done, 2 a usage error.
struct ComandoBatch {
  const char* nome;
  int minimoArgomenti, massimoArgomenti;
  const char* uso;
  int (*esegui)(const QStringList& argomenti);  // argomenti[0] is the name
};

// The commands, each defined in its own file; one line each in the table of
// ComandiBatch.cpp.
ComandoBatch ComandoImporta();
ComandoBatch ComandoAnalizza();
ComandoBatch ComandoRegistra();
ComandoBatch ComandoAttivita();
ComandoBatch ComandoGrafico();
ComandoBatch ComandoStampa();
ComandoBatch ComandoRifornimenti();
ComandoBatch ComandoVeicoli();
ComandoBatch ComandoElimina();
ComandoBatch ComandoFlotta();

// The table of the commands, one line each (ComandiBatch.cpp).
const std::vector<ComandoBatch>& Comandi();

// A file a command is asked to write (a report, a picture): its folder
// exists, and it is a file or nothing yet, never a device or a folder that
// writing would replace.
bool FileDaScrivere(const QString& file);

// A line on standard error / standard output.
void Errore(const QString& testo);
void Stampa(const QString& testo);
// A usage error: the reason, then the usage text; returns 2.
int Uso(const QString& motivo);
// A title line, then the lines of a list without their line ends.
void StampaRighe(const QString& titolo, const QStringList& righe);
// "YYYY-MM-DD HH:MM" at second 0 of that minute; nothing when it is no such
// instant.
std::optional<Istante> LeggiMinuto(const QString& testo);

// The consumption analysis of analizza over the period from the minute
// inizio to the minute fine of the database at percorso, its failures
// already printed. figure: the captions and lists were computed (stato may
// still be 1 when the report file could not be written whole).
struct AnalisiBatch {
  int stato = 0;  // exit status: 0, 1 or 2
  bool figure = false;
  RisultatoAnalisi risultato;
  EstremiCampioni estremi;  // the first and last sample of the period
};
// carburante: the refuels and losses in litres too, for the tank of the
// plate in the database's name.
AnalisiBatch AnalizzaPeriodo(const QString& percorso, const QString& inizio, const QString& fine,
                             const QString& targa, bool carburante = false);

// The month scan of attivita over the database at percorso, for the year and
// the month (1..12) as written on the command line, its failures already
// printed: a usage error (2), or a month without samples or an engine error
// (1), which leave the matrix empty.
struct MeseBatch {
  int stato = 0;  // exit status: 0, 1 or 2
  int anno = 0, mese = 0;
  PeriodoMese periodo;
  AttivitaMese attivita;
};
MeseBatch ScansioneMese(const QString& percorso, const QString& anno, const QString& mese);

}  // namespace quarvel
