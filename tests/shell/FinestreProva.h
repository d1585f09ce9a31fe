#pragma once
// A fresh program folder with the settings at their defaults and their
// language (Italian) applied as at start-up, every message recorded, and no
// window left open after the test.
#include "CartellaProva.h"
#include "Impostazioni.h"
#include "LinguaProgramma.h"
#include "Messaggi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QWidget>

namespace quarvel {

class FinestreProva : public CartellaProva {
 protected:
  void SetUp() override {
    CartellaProva::SetUp();
    QApplication::setQuitOnLastWindowClosed(false);
    InizializzaDefault();
    ApplicaLinguaProgramma();
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) w->close();
    EliminaChiuse();
  }
  // Destroys the windows closed so far (they are deleted on close, later).
  static void EliminaChiuse() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // True when the button shows exactly the picture of that file.
  static bool MostraImmagine(const QAbstractButton* pulsante, const QString& file) {
    const QImage atteso = QImage(file).convertToFormat(QImage::Format_RGB32);
    const QImage mostrato =
        pulsante->icon().pixmap(pulsante->iconSize()).toImage().convertToFormat(QImage::Format_RGB32);
    return !atteso.isNull() && mostrato == atteso;
  }

  RegistratoreMessaggi messaggi;
};

}  // namespace quarvel
