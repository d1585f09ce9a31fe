#pragma once
// The fleet's printed report on the printer wrapper: the common heading,
// the year and the period, then the table as the window shows it (its
// order, its numbers), in two column groups one above the other so that
// every figure fits an A4 page in portrait; more vehicles go on to further
// pages, each with the heading.
#include "EasyPrint.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QPrinter;

namespace quarvel {

struct TestiReportFlotta {
  QString titolo;   // "Flotta - anno 2026"
  QString periodo;  // "dal 01/12/2026 00:00:00 al 31/12/2026 23:59:59"
  QStringList intestazioni;        // the plate's first
  std::vector<QStringList> righe;  // the texts of each row as shown
  bool totale = false;             // the last row is the totals: in bold
};

std::optional<ErroreStampa> ReportFlotta(QPrinter& stampante, const TestiReportFlotta& t);

}  // namespace quarvel
