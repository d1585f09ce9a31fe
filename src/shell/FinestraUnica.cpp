#include "FinestraUnica.h"

#include "PosizioneFinestra.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace quarvel {

QWidget* CercaFinestra(const QString& nome) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->objectName() == nome) return w;
  return nullptr;
}

QWidget* MostraFinestraUnica(const QString& nome, const std::function<QWidget*()>& crea,
                             const QWidget* apritrice) {
  QWidget* finestra = CercaFinestra(nome);
  if (!finestra) {
    finestra = crea();
    if (!finestra) return nullptr;
    if (finestra->objectName().isEmpty()) finestra->setObjectName(nome);
    Q_ASSERT(finestra->objectName() == nome);
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    PosizionaFinestra(finestra, apritrice ? apritrice : QApplication::activeWindow());
  }
  finestra->setWindowState(finestra->windowState() & ~Qt::WindowMinimized);
  finestra->show();
  finestra->raise();
  finestra->activateWindow();
  return finestra;
}

bool ChiudiAltreFinestre(const QWidget* tranne) {
  // Guarded: closing one window may destroy others.
  QList<QPointer<QWidget>> aperte;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != tranne && w->isVisible()) aperte << w;
  bool tutte = true;
  for (const QPointer<QWidget>& w : aperte)
    if (w && w->isVisible() && !w->close()) tutte = false;
  return tutte;
}

}  // namespace quarvel
