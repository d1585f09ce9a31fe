#pragma once
// A 16-bit setting edited in a text box, taken on every edit: typing 300
// gives 3, then 30, then 300. A text that is no number, or one beyond 16
// bits, is refused with a message and the setting keeps its value.
#include <QString>
#include <cstdint>

class QWidget;

namespace quarvel {

// numeroMessaggio: the language text of the message, "Inserire un valore
// numerico" in Italian. True when the setting took the value.
bool AggiornaImpostazione16(const QString& testo, int16_t& impostazione, long long numeroMessaggio,
                            QWidget* finestra);

}  // namespace quarvel
