#pragma once
// The working windows the main window opens, made in one place: each
// subsystem replaces its own line in FabbricaFinestre.cpp when its window is
// built.
#include <QString>

class QWidget;

namespace quarvel {

enum class FinestraLavoro { Import, Anagrafica, Grafici, AnalisiUtilizzo, AnalisiConsumi };

// The window's objectName: "QuarvelImport", "QvAnagrafica", "QvGraph",
// "QvAnalisiUtilizzo2", "QvAnalisiConsumi".
QString NomeFinestra(FinestraLavoro finestra);

// A new top-level window, not shown yet.
QWidget* CreaFinestra(FinestraLavoro finestra);

// Shows the window: the open one is raised, else a new one is made.
QWidget* ApriFinestra(FinestraLavoro finestra);

}  // namespace quarvel
