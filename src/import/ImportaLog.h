#pragma once
// The import of a logger's files: moved from the medium into a new archive
// folder below DATA, then every line of every archived file decoded into
// the vehicle database of the plate and the current year, with an
// error-output file beside the database and the counts for the window.
// Used by the import window and by quarvel-batch alike.
#include "SpostaFile.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace quarvel {

struct RichiestaImport {
  QString targa;
  QString cartellaSorgente;  // the folder holding the logger's files
  QStringList file;          // the names of the files to move, in list order
  QDate oggi;                // the day of the import: archive name and year
  int tipoDB = 0;            // template of a new vehicle database
  // How a file is moved; SpostaFileVerificato when not set (tests put a
  // failing medium here).
  std::function<EsitoSpostamento(const QString&, const QString&)> sposta;
};

struct RisultatoImport {
  bool eseguito = false;  // false: stopped before reading (message shown)
  QString cartellaArchivio;
  QString percorsoDB;
  QString percorsoErrori;
  int fileLetti = 0;
  int32_t recordSalvati = 0;
  double righeNonSalvate = 0;
  int16_t viaggi = 0;
  QStringList fileRimastiSulSupporto;
  // The four result captions: Lbl_Nfile, Lbl_NViaggi, Lbl_TempoImportato,
  // Lbl_Errstr.
  QString didascaliaFile, didascaliaViaggi, didascaliaTempo, didascaliaErrori;
};

// What the window shows while an import runs. Calls come at most about
// every 30 ms for the line activity, once per file otherwise.
class OsservatoreImport {
 public:
  virtual ~OsservatoreImport() = default;
  virtual void Inizio(int massimoFile) { (void)massimoFile; }  // bars shown
  virtual void File(int valore) { (void)valore; }              // Prb_Import
  virtual void Attivita(int valore) { (void)valore; }          // Prb_running, 0..100
  virtual void VoceFile(const QString& voce) { (void)voce; }   // a Lst_File entry
  virtual void Orario() {}                                     // time stamp on the window
  virtual void Fine() {}                                       // bars hidden
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

// Runs the whole import. Messages (no files, the summary, files left on the
// medium, a database that cannot be opened) go through the message gateway.
RisultatoImport EseguiImport(const RichiestaImport& richiesta, OsservatoreImport* osservatore);

}  // namespace quarvel
