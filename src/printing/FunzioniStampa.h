#pragma once
// The two printed reports, one A4 page each, on the printer wrapper: the
// common page set-up and heading, then the consumption figures or the month
// grid of activity. The consumption report goes on with the refuels and
// losses in litres on pages of their own, under the same heading. Positions
// are millimetres from the paper's corner.
#include "EasyPrint.h"
#include "TestiCarburante.h"

#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;

namespace quarvel {

class AttivitaMese;

// The margins of the last set-up: 15 mm on both sides.
struct PaginaReport {
  float MargineSinistro = 15;
  float LarghezzaUtile = 180;  // the page width less both margins
};

// High quality, monochrome, A4 portrait; margins from the page width.
PaginaReport ImpostaPagina(EasyPrint& s);
// Logo, title, print date in the user's language, double line, the thick
// frame of the body and its two rules.
void IntestazioneReport(EasyPrint& s, const PaginaReport& p);

// The consumption window's texts as they stand when the user prints.
struct TestiReportConsumi {
  QString targa;          // Cmb_Targa
  QString inizio, fine;   // Lbl_StartDate, Lbl_endDate
  QStringList risultati;  // the labels of EtichetteReportConsumi(), in that order
  // The refuels and losses of the analysis shown, when there was one.
  std::optional<TabellaCarburante> carburante;
};
// The names of the result labels the report prints, top to bottom.
const QStringList& EtichetteReportConsumi();

// The usage window's plate, month and year texts as they stand.
struct TestiReportUtilizzo {
  QString targa, mese, anno;
};

// The bodies; each ends the document and returns what EndDoc returns.
std::optional<ErroreStampa> StampaConsumi(EasyPrint& s, const PaginaReport& p,
                                          const TestiReportConsumi& t);
std::optional<ErroreStampa> StampaUtilizzo(EasyPrint& s, const PaginaReport& p,
                                           const AttivitaMese& attivita,
                                           const TestiReportUtilizzo& t);

// A whole report on a printer, as the print commands do it: set-up,
// heading, body.
std::optional<ErroreStampa> ReportConsumi(QPrinter& stampante, const TestiReportConsumi& t);
std::optional<ErroreStampa> ReportUtilizzo(QPrinter& stampante, const AttivitaMese& attivita,
                                           const TestiReportUtilizzo& t);

}  // namespace quarvel
