#pragma once
// The language setting made the program's: the user's locale (numbers and
// dates the user reads or types, QLocale's default for the widgets made from
// now on) and the texts of Qt's own dialogs (buttons of message boxes, file
// dialogs) follow the language code CodiceLingua.
#include <QString>

namespace quarvel {

// At start-up, after the settings are read, and when the options window
// changes the language. An unknown code gives Italian.
void ApplicaLinguaProgramma();

// Qt's texts of the language code ("qtbase_it" for "IT"); false when the
// installation lacks them (Qt's dialogs then speak English).
bool CaricaTestiQt(const QString& codice);

}  // namespace quarvel
