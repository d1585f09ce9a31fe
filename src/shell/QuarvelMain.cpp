#include "QuarvelMain.h"

#include "Conversioni.h"
#include "FabbricaFinestre.h"
#include "FinestraUnica.h"
#include "Immagini.h"
#include "Impostazioni.h"
#include "ImpostazioniAggiunte.h"
#include "Lingua.h"
#include "LinguaProgramma.h"
#include "Messaggi.h"
#include "QuarvelOption.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarvel {

namespace {
QString Versione(const QString& prima) {
  return prima + QString::number(QUARVEL_VERSIONE_MAGGIORE) + QLatin1Char('.') +
         TestoConSegno(QUARVEL_VERSIONE_MINORE);
}

QPushButton* PulsanteImmagine(const char* nome, QWidget* padre) {
  auto* p = new QPushButton(padre);
  p->setObjectName(QString::fromLatin1(nome));
  p->setMinimumSize(129, 41);
  return p;
}
}  // namespace

QString QuarvelMain::Titolo() { return Versione(QStringLiteral("Quarvel  ver ")); }

QuarvelMain::QuarvelMain(QWidget* padre) : QMainWindow(padre) {
  setObjectName(QStringLiteral("QuarvelMain"));
  Costruisci();

  InizializzaDefault();
  const EsitoLetturaIni lettura = LeggiIni();
  const QString letturaAggiunta = LeggiIniAggiunto();
  ApplicaLinguaProgramma();
  if (lettura.Difettoso())
    MostraMessaggio(lettura.Descrizione(), Icona::Esclamazione, TitoloApplicazione, this);
  if (!letturaAggiunta.isEmpty())
    MostraMessaggio(letturaAggiunta, Icona::Esclamazione, TitoloApplicazione, this);
  setWindowTitle(Titolo());
  AggiornaLingua();
}

void QuarvelMain::Costruisci() {
  auto* centro = new QWidget(this);
  setCentralWidget(centro);

  Img_Logo = new QLabel(centro);
  Img_Logo->setObjectName(QStringLiteral("Img_Logo"));
  Img_Logo->setAlignment(Qt::AlignCenter);
  const QPixmap logo(PercorsoLogo());
  if (!logo.isNull()) {
    Img_Logo->setPixmap(logo);
    Img_Logo->setFixedSize(logo.size());
  }

  Cmd_scrivirec = PulsanteImmagine("Cmd_scrivirec", centro);
  Cmd_Anagrafica = PulsanteImmagine("Cmd_Anagrafica", centro);
  Cmd_Esci = PulsanteImmagine("Cmd_Esci", centro);

  Frame1 = new QGroupBox(QStringLiteral("Analisi"), centro);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setProperty("Tag", 1001);
  Cmd_Grafici = PulsanteImmagine("Cmd_Grafici", Frame1);
  Cmd_Trips = PulsanteImmagine("Cmd_Trips", Frame1);
  Cmd_Statistics = PulsanteImmagine("Cmd_Statistics", Frame1);
  Cmd_Flotta = PulsanteImmagine("Cmd_Flotta", Frame1);
  auto* analisi = new QHBoxLayout(Frame1);
  analisi->setContentsMargins(12, 8, 12, 12);
  analisi->setSpacing(12);
  analisi->addWidget(Cmd_Grafici);
  analisi->addWidget(Cmd_Trips);
  analisi->addWidget(Cmd_Statistics);
  analisi->addWidget(Cmd_Flotta);

  auto* dati = new QHBoxLayout;
  dati->setSpacing(12);
  dati->addSpacing(15);
  dati->addWidget(Cmd_scrivirec);
  dati->addWidget(Cmd_Anagrafica);
  dati->addStretch();

  auto* fondo = new QHBoxLayout;
  fondo->addStretch();
  fondo->addWidget(Cmd_Esci);
  fondo->addSpacing(15);

  auto* colonna = new QVBoxLayout(centro);
  colonna->setContentsMargins(14, 14, 14, 14);
  colonna->setSpacing(14);
  colonna->addWidget(Img_Logo, 0, Qt::AlignHCenter);
  colonna->addLayout(dati);
  colonna->addWidget(Frame1);
  colonna->addLayout(fondo);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  Mnu_Opzioni = menuBar()->addAction(QStringLiteral("Opzioni"));
  Mnu_Opzioni->setObjectName(QStringLiteral("Mnu_Opzioni"));
  Mnu_Opzioni->setProperty("Index", 1002);
  Mnu_about = menuBar()->addMenu(QStringLiteral("About"));
  Mnu_about->setObjectName(QStringLiteral("Mnu_about"));
  Mnu_about->setProperty("Index", 1003);
  Mnu_About_Quarvel = Mnu_about->addAction(QStringLiteral("About Quarvel"));
  Mnu_About_Quarvel->setObjectName(QStringLiteral("Mnu_About_Quarvel"));
  Mnu_About_Quarvel->setProperty("Index", 1004);

  const auto apre = [this](QPushButton* pulsante, FinestraLavoro finestra) {
    connect(pulsante, &QPushButton::clicked, this, [this, finestra] { ApriFinestra(finestra, this); });
  };
  apre(Cmd_scrivirec, FinestraLavoro::Import);
  apre(Cmd_Anagrafica, FinestraLavoro::Anagrafica);
  apre(Cmd_Grafici, FinestraLavoro::Grafici);
  apre(Cmd_Trips, FinestraLavoro::AnalisiUtilizzo);
  apre(Cmd_Statistics, FinestraLavoro::AnalisiConsumi);
  apre(Cmd_Flotta, FinestraLavoro::Flotta);
  connect(Cmd_Esci, &QPushButton::clicked, this, &QWidget::close);
  connect(Mnu_Opzioni, &QAction::triggered, this, &QuarvelMain::MostraOpzioni);
  connect(Mnu_About_Quarvel, &QAction::triggered, this, &QuarvelMain::MostraAbout);
}

void QuarvelMain::AggiornaLingua() {
  ApplicaLingua(this, NomeFileLingua());
  // Without its picture the logo is the program's name, in no language.
  if (Img_Logo->pixmap().isNull())
    Img_Logo->setText(QStringLiteral("<b style='font-size:28px'>Quarvel</b>"));
  CaricaImmagini();
}

void QuarvelMain::CaricaImmagini() {
  CaricaImmaginiPulsanti({{Cmd_scrivirec, QStringLiteral("Import")},
                          {Cmd_Anagrafica, QStringLiteral("Fleet")},
                          {Cmd_Esci, QStringLiteral("Close")},
                          {Cmd_Grafici, QStringLiteral("Graph")},
                          {Cmd_Trips, QStringLiteral("Trips")},
                          {Cmd_Statistics, QStringLiteral("Statistics")},
                          {Cmd_Flotta, QStringLiteral("Overview")}},
                         this);
}

void QuarvelMain::MostraOpzioni() {
  MostraFinestraUnica(
      QStringLiteral("QuarvelOption"),
      [this] {
        auto* opzioni = new QuarvelOption;
        connect(opzioni, &QuarvelOption::Chiusa, this, [this] {
          if (!chiudendo_) AggiornaLingua();
        });
        return opzioni;
      },
      this);
}

void QuarvelMain::MostraAbout() {
  MostraMessaggio(Versione(QStringLiteral("Quarvel versione ")) + QLatin1Char('\n') +
                      TestoLingua(1005, QStringLiteral("Analisi dei dati di bordo della flotta")),
                  Icona::Informazione, QStringLiteral("About"), this);
}

void QuarvelMain::closeEvent(QCloseEvent* evento) {
  EsitoScritturaIni scrittura = ScriviIni();
  QString percorso = PercorsoIni();
  if (const QString errore = ScriviIniAggiunto(); scrittura.ok && !errore.isEmpty()) {
    scrittura = {false, errore};
    percorso = PercorsoIniAggiunto();
  }
  if (!scrittura.ok) {
    const Messaggio domanda{
        QStringLiteral("Impossibile salvare le impostazioni in %1 (%2).\n"
                       "Chiudere comunque Quarvel?")
            .arg(percorso, scrittura.errore),
        Icona::Domanda, Pulsanti::OkAnnulla, TitoloApplicazione};
    if (MostraMessaggio(domanda, this) == Risposta::Annulla) {
      evento->ignore();
      return;
    }
  }
  // A window that refuses to close (it is busy) keeps the application open.
  chiudendo_ = true;
  if (!ChiudiAltreFinestre(this)) {
    chiudendo_ = false;
    evento->ignore();
    return;
  }
  evento->accept();
}

}  // namespace quarvel
