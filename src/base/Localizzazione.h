#pragma once
// The locale of what the user reads and types, from one place. The language
// setting chooses it (Italian it_IT, English en_GB, Spanish es_ES); the
// machine's own locale never leaks in. Reports and the texts fixed in Italian
// keep the Italian format whatever the language.
#include "Istante.h"

#include <QLocale>
#include <QString>

namespace quarvel {

// The locale of a language code: "IT" it_IT, "EN" en_GB, "ES" es_ES; any
// other code Italian.
QLocale LocaleLingua(const QString& codice);
// it_IT: the format of reports and of the texts fixed in Italian.
QLocale LocaleItaliano();

// The user's locale: Italian until ImpostaLocaleUtente says otherwise.
QLocale LocaleUtente();
// Makes the locale the user's and QLocale's default, so that the widgets made
// from now on (date pickers, calendars, number boxes) follow it. Group
// separators are neither written nor accepted: "1.234" is never a thousand.
void ImpostaLocaleUtente(const QLocale& locale);

// A number as plain decimal text: no group separator, up to 15 significant
// digits ("10", "2,5", "-1" in Italian).
QString TestoNumero(double valore, const QLocale& locale = LocaleUtente());
// The same for a single-precision value: up to 7 significant digits.
QString TestoSingolo(float valore, const QLocale& locale = LocaleUtente());

// A number with a fixed count of decimals and no group separator ("12,50"
// in Italian); never "-0,00".
QString TestoDecimali(double valore, int decimali, const QLocale& locale = LocaleUtente());

// The general date format: the short date with a four-digit year, a blank,
// the time with seconds ("04/12/2026 22:12:05"). The zero date-time value
// has no date part and shows as its time alone ("00:00:00").
QString TestoDataGenerale(Istante istante, const QLocale& locale = LocaleUtente());
// The format of that short date, for date pickers ("dd/MM/yyyy").
QString FormatoDataBreve(const QLocale& locale = LocaleUtente());
// The short date with a four-digit year alone ("04/12/2026").
QString TestoDataBreve(Istante istante, const QLocale& locale = LocaleUtente());

}  // namespace quarvel
