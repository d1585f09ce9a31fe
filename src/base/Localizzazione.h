#pragma once
// The user's number format and the general date format, from one place.
// The application uses the system locale; tests set an Italian one so that
// expected texts are stable.
#include "Istante.h"

#include <QLocale>
#include <QString>

namespace quarvel {

QLocale LocaleUtente();
void ImpostaLocaleUtente(const QLocale& locale);

// A number as plain decimal text in the user's format: no group separator,
// up to 15 significant digits ("10", "2,5", "-1").
QString TestoNumero(double valore);
// The same for a single-precision value: up to 7 significant digits.
QString TestoSingolo(float valore);

// The general date format: the short date with a four-digit year, a blank,
// the time with seconds ("04/12/2026 22:12:05"). The zero date-time value
// has no date part and shows as its time alone ("00:00:00").
QString TestoDataGenerale(Istante istante);
// The format of that short date, for date pickers ("dd/MM/yyyy").
QString FormatoDataBreve();
// The short date with a four-digit year alone ("04/12/2026").
QString TestoDataBreve(Istante istante);

}  // namespace quarvel
