#pragma once
// The import of a logger's files, used by the import window and by
// quarvel-batch alike. One import at a time on a program folder (a lock in
// DATA). An import first finishes any import a kill or a failure left
// unfinished, then: the files move from the medium into a new archive folder
// below DATA under a journal, and every line of every archived file is
// decoded into the vehicle database of the plate and the current year, with
// an error-output file beside the database and the counts for the window.
#include "ImportaArchivio.h"
#include "ProveImport.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace quarvel {

struct RichiestaImport {
  QString targa;
  QString cartellaSorgente;  // the folder holding the logger's files
  QStringList file;          // the names of the files to move, in list order
  QDate oggi;                // the day of the import: archive name and year
  int tipoDB = 0;            // template of a new vehicle database
  ProveImport prove;
};

enum class StatoImport {
  Rifiutata,     // nothing done: a bad plate, the user gave up waiting, DATA unusable
  NienteDaFare,  // the listed files had already left the medium (another import took them)
  Completata,    // every archived file imported
  Interrotta,    // stopped on a failure: the next import goes on from where it stopped
};

struct RisultatoImport {
  StatoImport stato = StatoImport::Rifiutata;
  QString cartellaArchivio;
  QString percorsoDB;
  QString percorsoErrori;
  // Committed work only.
  int64_t fileLetti = 0;
  int64_t recordSalvati = 0;
  int64_t righeNonSalvate = 0;
  int64_t viaggi = 0;
  QStringList fileRimastiSulSupporto;  // not archived, so not imported: the reasons
  QStringList fileNonCancellati;       // imported, but still on the medium
  QString interruzione;                // where the import stopped and why
  int recuperate = 0;                  // earlier imports finished first
  QStringList recuperiFalliti;         // earlier imports still unfinished: why
  // The four result captions: Lbl_Nfile, Lbl_NViaggi, Lbl_TempoImportato,
  // Lbl_Errstr.
  QString didascaliaFile, didascaliaViaggi, didascaliaTempo, didascaliaErrori;

  bool Eseguita() const { return stato == StatoImport::Completata || stato == StatoImport::Interrotta; }
  // Every file imported and nothing left unfinished (a file that could not
  // be deleted from the medium is imported all the same).
  bool Riuscita() const;
};

// The files of a folder as the import's file list shows them: plain files,
// not hidden ones, by name.
QStringList FileDellaCartella(const QString& cartella);

// The name of an archive folder: plate, "_", the day as YYYY-MM-DD, "_" and
// the sequence number with its leading blank ("AB123CD_2026-12-04_ 1").
QString NomeCartellaArchivio(const QString& targa, const QDate& giorno, int numero);

// The time of r stored records, one second each, as the import shows it:
// " 1h,  2min,  5sec" for 3725.
QString TestoTempoImportato(int64_t record);

// Runs the whole import. Every message (a refused plate, no files, files
// left on the medium, earlier imports finished, a failure and where it
// stopped, the summary) goes through the message gateway.
RisultatoImport EseguiImport(const RichiestaImport& richiesta, OsservatoreImport* osservatore);

}  // namespace quarvel
