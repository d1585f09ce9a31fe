#pragma once
// A 16-bit setting edited in a text box, taken on every edit: typing 300
// gives 3, then 30, then 300. A text that is no number, or one beyond 16
// bits, is refused with a message and the setting keeps its value.
#include <QString>
#include <cstdint>

class QWidget;

namespace quarvel {

// How the number is taken once the text is known to be one: its whole value
// ("2,6" gives 3 in Italian), or leniently from its start up to the first
// character that is not a digit, sign or point ("2,6" gives 2, "1e1" 1).
enum class LetturaCampo { Valore, Indulgente };

// numeroMessaggio: the language text of the message, "Inserire un valore
// numerico" in Italian. True when the setting took the value.
bool AggiornaImpostazione16(const QString& testo, int16_t& impostazione, long long numeroMessaggio,
                            QWidget* finestra, LetturaCampo lettura = LetturaCampo::Valore);

}  // namespace quarvel
