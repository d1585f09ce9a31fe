#include "NomeMese.h"

#include "Lingua.h"

namespace quarvel {

QString NomeMese(int mese) {
  static const char* const kMesi[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",
                                      "Maggio",  "Giugno",   "Luglio",    "Agosto",
                                      "Settembre", "Ottobre", "Novembre", "Dicembre"};
  if (mese < 1 || mese > 12) return {};
  return TestoLingua(4009 + mese, QString::fromLatin1(kMesi[mese - 1]));
}

}  // namespace quarvel
