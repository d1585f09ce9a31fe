// Every test executable starts here: one QApplication on the platform the
// environment names (offscreen under CTest), and the program's own default
// locale (Italian) whatever the machine's, as the program's start-up sets.
#include "Localizzazione.h"
#include "Messaggi.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  quarvel::ImpostaLocaleUtente(quarvel::LocaleItaliano());
  // A message no test expected is answered OK instead of waiting for a
  // click that never comes.
  quarvel::RegistratoreMessaggi rete;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
