#include "AttesaDatabase.h"

#include "Lingua.h"

#include <QLabel>

namespace quarvel {

AttesaDatabase::AttesaDatabase(QLabel* etichetta)
    : etichetta_(etichetta), avviso_([etichetta] {
        if (!etichetta->text().isEmpty()) return;
        etichetta->setText(
            TestoLingua(1020, QStringLiteral("Database occupato da un altro programma: attendo…")));
        // Only the label is painted: processing events here would let the
        // window's timers reach the database inside the engine's own call.
        etichetta->repaint();
      }) {}

AttesaDatabase::~AttesaDatabase() { etichetta_->clear(); }

}  // namespace quarvel
