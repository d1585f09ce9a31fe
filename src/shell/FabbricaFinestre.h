#pragma once
// The working windows the main window opens. The shell knows them by name
// only; the program (src/app/) installs the maker of the real windows at
// start-up, so the shell depends on no subsystem. Until one is installed
// (the shell's own tests) each window is an empty stand-in.
#include <QString>
#include <functional>

class QWidget;

namespace quarvel {

enum class FinestraLavoro { Import, Anagrafica, Grafici, AnalisiUtilizzo, AnalisiConsumi, Flotta };

// The window's objectName: "QuarvelImport", "QvAnagrafica", "QvGraph",
// "QvAnalisiUtilizzo2", "QvAnalisiConsumi", "QvFlotta".
QString NomeFinestra(FinestraLavoro finestra);

// Makes a new top-level window, not shown yet, with the objectName above;
// null where it has none of that kind (the stand-in is shown).
using FabbricaFinestre = std::function<QWidget*(FinestraLavoro)>;
void ImpostaFabbricaFinestre(FabbricaFinestre fabbrica);

// Shows the window: the open one is raised, else a new one is made and
// placed over apritrice.
QWidget* ApriFinestra(FinestraLavoro finestra, const QWidget* apritrice = nullptr);

}  // namespace quarvel
