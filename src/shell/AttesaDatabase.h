#pragma once
// A command of a window that reads a vehicle database while another program
// holds it (an import writing it): after a moment of waiting the window's
// label says so (text 1020, "Database occupato da un altro programma:
// attendo…"), painted at once; the label is emptied when the command ends.
// No error box comes until the wait is really long (Connessione).
#include "AttesaOccupato.h"

class QLabel;

namespace quarvel {

class AttesaDatabase {
 public:
  explicit AttesaDatabase(QLabel* etichetta);
  ~AttesaDatabase();
  AttesaDatabase(const AttesaDatabase&) = delete;
  AttesaDatabase& operator=(const AttesaDatabase&) = delete;

 private:
  QLabel* etichetta_;
  AvvisoAttesa avviso_;
};

}  // namespace quarvel
