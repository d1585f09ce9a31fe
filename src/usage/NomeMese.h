#pragma once
// The name of a month as the usage window lists it and the usage report
// prints it: language texts 4010 to 4021, January to December, in the
// language the settings choose.
#include <QString>

namespace quarvel {

// mese 1..12; the Italian name where the language file lacks the text.
QString NomeMese(int mese);

}  // namespace quarvel
