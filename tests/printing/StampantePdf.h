#pragma once
// A printer writing a PDF into the test's folder, and the messages shown.
#include "CartellaProva.h"
#include "Messaggi.h"
#include "PdfProva.h"

#include <QPrinter>
#include <gtest/gtest.h>

namespace quarvel {

constexpr double kTolleranza = 0.3;  // mm: the font box against our top of text

class StampantePdf : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    stampante_.setOutputFormat(QPrinter::PdfFormat);
    stampante_.setOutputFileName(pdf_);
  }
  QString pdf_ = Percorso("prova.pdf");
  QPrinter stampante_{QPrinter::HighResolution};
  RegistratoreMessaggi messaggi_;
};

}  // namespace quarvel
