#pragma once
// Every window of Quarvel is a top-level window named by its objectName and
// open at most once: asking for it again brings the open one to the front,
// with its state. A closed window is destroyed; the next request makes a
// fresh one, which loads anew.
#include <QString>
#include <functional>

class QWidget;

namespace quarvel {

// The open (visible) top-level window with that objectName, or null.
QWidget* CercaFinestra(const QString& nome);

// Shows the window with that name: the open one is raised; otherwise crea()
// makes it (its objectName must be nome), and it is shown non-modal,
// centred on apritrice within its screen (PosizionaFinestra; the active
// window when none is given), and destroyed when closed.
QWidget* MostraFinestraUnica(const QString& nome, const std::function<QWidget*()>& crea,
                             const QWidget* apritrice = nullptr);

// Closes every open top-level window except the given one; false when one of
// them refused to close.
bool ChiudiAltreFinestre(const QWidget* tranne);

}  // namespace quarvel
