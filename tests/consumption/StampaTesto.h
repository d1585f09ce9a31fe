#pragma once
// Readable texts in failure messages.
#include <QString>
#include <ostream>

inline void PrintTo(const QString& testo, std::ostream* os) {
  *os << '"' << testo.toStdString() << '"';
}
