#pragma once
// A fresh program folder with the settings at their defaults and their
// language (Italian) applied as at start-up, every message recorded, and no
// window left open after the test; and the vehicles and samples the windows
// read, made as the program makes them.
#include "Anagrafica.h"
#include "CartellaProgramma.h"
#include "CartellaProva.h"
#include "DatabaseVeicolo.h"
#include "FinestraUnica.h"
#include "Impostazioni.h"
#include "LinguaProgramma.h"
#include "Logs.h"
#include "Messaggi.h"

// The controls the windows are driven through.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

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

  // Trucks added to the registry.
  static void Registra(std::initializer_list<const char*> targhe, int16_t capacita = 250) {
    ASSERT_TRUE(ApriAnagrafica(Imp().PercorsoAnagrafica));
    for (const char* targa : targhe)
      ASSERT_TRUE(InserisciAnagrafica({targa, "Camion", capacita, 60, 1, 1, {}}));
    ChiudiAnagrafica();
  }
  // The vehicle's database of the settings' year, with these samples added.
  static void ScriviCampioni(const char* targa, const std::vector<CampioneLog>& campioni, int tipoDB = 0) {
    ASSERT_TRUE(ApriDatabaseVeicolo(targa, Imp().AnnoDB, tipoDB).esito);
    for (const CampioneLog& c : campioni) ASSERT_EQ(ScriviRecordLogs(c), 0);
    ChiudiLogs();
  }
  static CampioneLog Campione(Istante t, int16_t pt = 0, float livello = 0) {
    CampioneLog c;
    c.TimeDate = c.TimeDateLH = t;
    c.DatoPT = pt;
    c.Dato2 = livello;
    return c;
  }
  static QString PercorsoDB(const QString& targa) {
    return PercorsoDati("DATA/" + targa + "_ " + Imp().AnnoDB + ".mdb");
  }
  // A named control of a window; a failed expectation when there is none.
  template <typename T>
  static T* Controllo(const QWidget* finestra, const char* nome) {
    T* c = finestra->findChild<T*>(nome);
    EXPECT_TRUE(c) << nome;
    return c;
  }
  // The user picks an item of a list.
  static void Scegli(QComboBox* elenco, const QString& voce) {
    const int i = elenco->findText(voce);
    ASSERT_GE(i, 0) << voce.toStdString();
    elenco->setCurrentIndex(i);
    emit elenco->activated(i);
  }

  // The last message shown; a failure, not a crash, when there was none.
  Messaggio Ultimo() const {
    EXPECT_FALSE(messaggi.messaggi.empty()) << "no message shown";
    return messaggi.messaggi.empty() ? Messaggio{} : messaggi.messaggi.back();
  }

  RegistratoreMessaggi messaggi;
};

// A window of type W made at the start of each test, and its controls by name.
template <typename W>
class FinestraProva : public FinestreProva {
 protected:
  template <typename T>
  T* C(const char* nome) { return Controllo<T>(finestra_.get(), nome); }
  QString Testo(const char* nome) { return C<QLineEdit>(nome)->text(); }
  // The user replaces the box's text by typing.
  void Scrivi(const char* nome, const QString& testo) {
    C<QLineEdit>(nome)->selectAll();
    QTest::keyClick(C<QLineEdit>(nome), Qt::Key_Delete);
    QTest::keyClicks(C<QLineEdit>(nome), testo);
  }
  std::unique_ptr<W> finestra_;
};

}  // namespace quarvel
