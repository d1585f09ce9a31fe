#pragma once
// The print preview of a report: the user sees the page and prints it from
// there to any system printer or to a PDF file, or closes it. It goes
// through this gateway so that tests install a recorder that answers for
// the user, and no test ever waits on the dialog.
#include "EasyPrint.h"
#include "Istante.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace quarvel {

struct LavoroStampa {
  // What the document is: "Stampa_Consumi_AB123CD_2026-12-05 10-30-00"; it
  // names the PDF file proposed.
  QString nome;
  // Prints the whole document on the printer given (the preview's or the
  // one chosen); returns what EndDoc returned.
  std::function<std::optional<ErroreStampa>(QPrinter&)> stampa;
};

// "Stampa_<cosa>_<plate>_<YYYY-MM-DD HH-MM-SS>": what a print job is, for
// whom and when ("- - -" when no plate is chosen).
QString NomeStampa(const QString& cosa, const QString& targa, Istante istante);

// A report's printer: A4 portrait, full resolution, named after the job.
// The system's default printer, or where the system has none, a PDF file
// under REPORT named after the job (REPORT is made when missing).
void PreparaStampante(QPrinter& stampante, const QString& nome);

// Shows the preview and returns when the user has printed or closed it.
// A failure while printing is reported with MostraErroreStampa.
void MostraAnteprima(const LavoroStampa& lavoro, QWidget* padre = nullptr);

// Installed by a test for its lifetime: records each job with the output
// file proposed, and, when pdfScelto is set, prints it there as the user
// would from the preview; otherwise the preview is closed unprinted.
class RegistratoreAnteprime {
 public:
  RegistratoreAnteprime();
  ~RegistratoreAnteprime();
  RegistratoreAnteprime(const RegistratoreAnteprime&) = delete;
  RegistratoreAnteprime& operator=(const RegistratoreAnteprime&) = delete;

  struct Richiesta {
    QString nome;
    QString fileProposto;  // empty when a system printer is the default
  };
  std::vector<Richiesta> richieste;
  QString pdfScelto;

 private:
  RegistratoreAnteprime* precedente_ = nullptr;
};

}  // namespace quarvel
