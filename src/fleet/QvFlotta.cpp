#include "QvFlotta.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "AnteprimaStampa.h"
#include "CalcoloFlotta.h"
#include "DatabaseVeicolo.h"
#include "EsportaCsv.h"
#include "EsportaXlsx.h"
#include "Esportazioni.h"
#include "GraficoFlotta.h"
#include "Immagini.h"
#include "Impostazioni.h"
#include "Lingua.h"
#include "Localizzazione.h"
#include "Messaggi.h"
#include "ModelloFlotta.h"
#include "Nomina.h"
#include "StampaFlotta.h"

namespace quarvel {

namespace {
constexpr int kPassiBarra = 1000;
constexpr int kIntervalloControllo = 100;  // ms between looks at the work

QDateEdit* Calendario(const char* nome, QWidget* padre) {
  auto* d = Nomina(nome, 0, new QDateEdit(QDate::currentDate(), padre));
  d->setCalendarPopup(true);
  d->setDisplayFormat(FormatoDataBreve());
  return d;
}

QString TestoTotale() { return TestoLingua(9035, QStringLiteral("Totale")); }

// Headings as wide as their text: the room of the sort mark only where it
// shows, so that fifteen columns fit the window.
class IntestazioneCompatta : public QHeaderView {
 public:
  explicit IntestazioneCompatta(QWidget* padre) : QHeaderView(Qt::Horizontal, padre) {
    // As the view's own heading: a click sorts.
    setSectionsClickable(true);
    setHighlightSections(true);
  }

 protected:
  QSize sectionSizeFromContents(int sezione) const override {
    QSize dimensione = QHeaderView::sectionSizeFromContents(sezione);
    if (isSortIndicatorShown() && sezione != sortIndicatorSection())
      dimensione.rwidth() -= style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this);
    return dimensione;
  }
};
}  // namespace

QvFlotta::QvFlotta(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("QvFlotta"));
  setWindowTitle(QStringLiteral("Quarvel - Panoramica flotta"));
  setProperty("Tag", 9000);
  Costruisci();
  ApplicaLingua(this, NomeFileLingua());
  CaricaImmaginiPulsanti({{Cmd_Close, QStringLiteral("Close")}}, this);
  Cmb_Periodo->addItems({TestoLingua(9010, QStringLiteral("Questo mese")),
                         TestoLingua(9011, QStringLiteral("Mese scorso")),
                         TestoLingua(9012, QStringLiteral("Quest'anno")),
                         TestoLingua(9013, QStringLiteral("Dal giorno al giorno"))});
  RiempiAnni();
  PeriodoScelto();
  Attiva(true);
}

QvFlotta::~QvFlotta() = default;

void QvFlotta::Costruisci() {
  modello_ = new ModelloFlotta(this);
  ordine_ = new OrdineFlotta(this);
  ordine_->setSourceModel(modello_);
  ordine_->setSortRole(ModelloFlotta::RuoloOrdine);

  Tbl_Flotta = Nomina("Tbl_Flotta", 0, new QTableView(this));
  Tbl_Flotta->setHorizontalHeader(new IntestazioneCompatta(Tbl_Flotta));
  Tbl_Flotta->setModel(ordine_);
  Tbl_Flotta->setSortingEnabled(true);
  Tbl_Flotta->sortByColumn(0, Qt::AscendingOrder);
  Tbl_Flotta->setSelectionBehavior(QAbstractItemView::SelectRows);
  Tbl_Flotta->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Tbl_Flotta->verticalHeader()->hide();
  Tbl_Flotta->verticalHeader()->setDefaultSectionSize(Tbl_Flotta->fontMetrics().height() + 8);
  Tbl_Flotta->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Tbl_Flotta->horizontalHeader()->setStretchLastSection(true);
  Tbl_Flotta->setMinimumHeight(220);

  Grafico_Flotta = Nomina("Grafico_Flotta", 0, new GraficoFlotta(this));
  Grafico_Flotta->setMinimumHeight(200);

  Prb_Flotta = Nomina("Prb_Flotta", 0, new QProgressBar(this));
  Prb_Flotta->setRange(0, kPassiBarra);
  Prb_Flotta->setTextVisible(false);
  Prb_Flotta->setFixedHeight(14);
  QSizePolicy politica = Prb_Flotta->sizePolicy();
  politica.setRetainSizeWhenHidden(true);
  Prb_Flotta->setSizePolicy(politica);
  Prb_Flotta->hide();

  Tmr_Calcolo = new QTimer(this);
  Tmr_Calcolo->setObjectName(QStringLiteral("Tmr_Calcolo"));
  Tmr_Calcolo->setInterval(kIntervalloControllo);

  auto* colonna = new QVBoxLayout(this);
  colonna->setContentsMargins(12, 10, 12, 12);
  colonna->setSpacing(8);
  colonna->addWidget(CreaScelte());
  colonna->addWidget(Prb_Flotta);
  colonna->addWidget(Tbl_Flotta, 3);
  colonna->addWidget(Grafico_Flotta, 2);
  colonna->addWidget(CreaComandi());
  resize(1200, 740);

  connect(Tmr_Calcolo, &QTimer::timeout, this, &QvFlotta::Controlla);
  connect(ordine_, &QAbstractItemModel::layoutChanged, this, &QvFlotta::AggiornaGrafico);
  connect(ordine_, &QAbstractItemModel::modelReset, this, &QvFlotta::AggiornaGrafico);
}

QWidget* QvFlotta::CreaScelte() {
  auto* w = new QWidget(this);
  Cmb_Anno = Nomina("Cmb_Anno", 0, new QComboBox(w));
  Cmb_Anno->setMinimumWidth(80);
  Cmb_Periodo = Nomina("Cmb_Periodo", 0, new QComboBox(w));
  DTP_Dal = Calendario("DTP_Dal", w);
  DTP_Al = Calendario("DTP_Al", w);
  Cmd_Calcola = Nomina("Cmd_Calcola", 9005, new QPushButton(QStringLiteral("Calcola"), w));
  const auto etichetta = [w](const char* nome, int tag, const char* testo, QWidget* compagno) {
    auto* l = Nomina(nome, tag, new QLabel(QString::fromUtf8(testo), w));
    l->setBuddy(compagno);
    return l;
  };
  auto* h = new QHBoxLayout(w);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(6);
  h->addWidget(etichetta("Lbl_Anno", 9001, "Anno:", Cmb_Anno));
  h->addWidget(Cmb_Anno);
  h->addSpacing(16);
  h->addWidget(etichetta("Lbl_Periodo", 9002, "Periodo:", Cmb_Periodo));
  h->addWidget(Cmb_Periodo);
  h->addSpacing(8);
  h->addWidget(etichetta("Lbl_Dal", 9003, "dal:", DTP_Dal));
  h->addWidget(DTP_Dal);
  h->addWidget(etichetta("Lbl_Al", 9004, "al:", DTP_Al));
  h->addWidget(DTP_Al);
  h->addSpacing(16);
  h->addWidget(Cmd_Calcola);
  h->addStretch();

  connect(Cmb_Anno, &QComboBox::activated, this, [this] { PeriodoScelto(); Calcola(); });
  connect(Cmb_Periodo, &QComboBox::activated, this, [this] {
    PeriodoScelto();
    // The days are chosen first; the button then computes.
    if (Cmb_Periodo->currentIndex() != int(PeriodoPredefinito::DalAl)) Calcola();
  });
  connect(Cmd_Calcola, &QPushButton::clicked, this, &QvFlotta::Calcola);
  return w;
}

QWidget* QvFlotta::CreaComandi() {
  auto* w = new QWidget(this);
  Cmd_EsportaCsv = Nomina("Cmd_EsportaCsv", 9006, new QPushButton(QStringLiteral("Esporta CSV..."), w));
  Cmd_EsportaXlsx =
      Nomina("Cmd_EsportaXlsx", 9007, new QPushButton(QStringLiteral("Esporta XLSX..."), w));
  Cmd_Print = Nomina("Cmd_Print", 9008, new QPushButton(QStringLiteral("Stampa"), w));
  Cmd_Close = Nomina("Cmd_Close", 0, new QPushButton(QStringLiteral("Chiudi"), w));
  auto* h = new QHBoxLayout(w);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(8);
  h->addWidget(Cmd_EsportaCsv);
  h->addWidget(Cmd_EsportaXlsx);
  h->addWidget(Cmd_Print);
  h->addStretch();
  h->addWidget(Cmd_Close);
  connect(Cmd_EsportaCsv, &QPushButton::clicked, this, [this] { Esporta(false); });
  connect(Cmd_EsportaXlsx, &QPushButton::clicked, this, [this] { Esporta(true); });
  connect(Cmd_Print, &QPushButton::clicked, this, &QvFlotta::Stampa);
  connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
  return w;
}

void QvFlotta::RiempiAnni() {
  // Every year some vehicle has a database for; the database year first.
  const QStringList anni = AnniDatabase();
  Cmb_Anno->addItems(anni);
  const int annoDB = Cmb_Anno->findText(Imp().AnnoDB);
  Cmb_Anno->setCurrentIndex(annoDB >= 0 ? annoDB : int(anni.size()) - 1);
}

void QvFlotta::PeriodoScelto() {
  const auto periodo = PeriodoPredefinito(Cmb_Periodo->currentIndex());
  const bool giorni = periodo == PeriodoPredefinito::DalAl;
  DTP_Dal->setEnabled(giorni && !InCalcolo());
  DTP_Al->setEnabled(giorni && !InCalcolo());
  if (giorni) return;
  const int anno = Cmb_Anno->currentIndex() >= 0 ? Cmb_Anno->currentText().toInt()
                                                 : QDate::currentDate().year();
  const IntervalloFlotta i = IntervalloPredefinito(periodo, anno, QDate::currentDate());
  DTP_Dal->setDate(InDateTime(i.inizio).date());
  DTP_Al->setDate(InDateTime(i.fine).date());
}

std::optional<IntervalloFlotta> QvFlotta::Periodo() {
  const auto periodo = PeriodoPredefinito(Cmb_Periodo->currentIndex());
  if (periodo != PeriodoPredefinito::DalAl)
    return IntervalloPredefinito(periodo, Cmb_Anno->currentText().toInt(), QDate::currentDate());
  const std::optional<IntervalloFlotta> giorni = IntervalloGiorni(DTP_Dal->date(), DTP_Al->date());
  if (!giorni)
    MostraMessaggio(TestoLingua(9056, QStringLiteral("Il giorno finale precede quello iniziale")),
                    Icona::Esclamazione, TitoloApplicazione, this);
  return giorni;
}

void QvFlotta::showEvent(QShowEvent* evento) {
  QWidget::showEvent(evento);
  // The figures of this month as soon as the window is up.
  if (std::exchange(primaVolta_, false)) QTimer::singleShot(0, this, &QvFlotta::Calcola);
}

void QvFlotta::Calcola() {
  if (InCalcolo()) return;
  const std::optional<IntervalloFlotta> periodo = Periodo();
  if (!periodo) return;
  anno_ = Cmb_Anno->currentText();
  periodo_ = *periodo;
  ElencoFlotta elenco;
  if (!anno_.isEmpty()) elenco = VeicoliFlotta(anno_);
  if (!elenco.esito) {
    MostraMessaggio(elenco.esito.messaggio, Icona::Critica, TitoloApplicazione, this);
  } else if (anno_.isEmpty()) {
    MostraMessaggio(TestoLingua(9052, QStringLiteral("Non ci sono ancora dati: importare prima i "
                                                     "file dei registratori")),
                    Icona::Esclamazione, TitoloApplicazione, this);
  } else if (elenco.veicoli.empty()) {
    MostraMessaggio(ConValore(TestoLingua(9050, QStringLiteral(
                                                    "Nessun mezzo registrato ha dati per l'anno %1")),
                              anno_),
                    Icona::Esclamazione, TitoloApplicazione, this);
  }
  if (elenco.veicoli.empty()) {
    modello_->Imposta({}, TestoTotale());
    Attiva(true);
    emit CalcoloConcluso();
    return;
  }
  calcolo_ = std::make_unique<CalcoloFlotta>(std::move(elenco.veicoli),
                                             ParametriDalleImpostazioni(periodo_));
  Attiva(false);
  Prb_Flotta->setValue(0);
  Prb_Flotta->show();
  calcolo_->Avvia();
  Tmr_Calcolo->start();
}

void QvFlotta::Controlla() {
  if (!calcolo_) return;
  Prb_Flotta->setValue(int(calcolo_->Avanzamento() * kPassiBarra));
  if (calcolo_->Finito()) Concludi();
}

void QvFlotta::Concludi() {
  Tmr_Calcolo->stop();
  calcolo_->Attendi();
  std::vector<RigaFlotta> righe = calcolo_->Righe();
  calcolo_.reset();
  Prb_Flotta->hide();
  modello_->Imposta(righe, TestoTotale());
  Attiva(true);

  QStringList errori;
  bool campioni = false;
  for (const RigaFlotta& r : righe) {
    if (r.stato == StatoRigaFlotta::Errore) errori << r.targa + QStringLiteral(": ") + r.errore;
    campioni = campioni || r.stato == StatoRigaFlotta::Calcolata;
  }
  if (!errori.isEmpty())
    MostraMessaggio(TestoLingua(9051, QStringLiteral("Impossibile leggere i dati di:")) +
                        QLatin1Char('\n') + errori.join(QLatin1Char('\n')),
                    Icona::Critica, TitoloApplicazione, this);
  else if (!campioni)
    MostraMessaggio(TestoLingua(9057, QStringLiteral("Nessun mezzo ha dati nel periodo scelto")),
                    Icona::Esclamazione, TitoloApplicazione, this);
  emit CalcoloConcluso();
}

void QvFlotta::AggiornaGrafico() {
  GraficoFlotta::Serie consumo{TestoLingua(9040, QStringLiteral("L/100 km")), QColor(0x2a, 0x6f, 0xb0), 2, {}};
  GraficoFlotta::Serie perdite{TestoLingua(9041, QStringLiteral("Litri persi + non spiegati")),
                               QColor(0xc0, 0x39, 0x2b), 1, {}};
  for (int r = 0; r < ordine_->rowCount(); ++r) {
    const int sorgente = ordine_->mapToSource(ordine_->index(r, 0)).row();
    if (modello_->Totale(sorgente)) continue;
    const RigaFlotta& riga = modello_->Righe()[std::size_t(sorgente)];
    consumo.barre.push_back({riga.targa, ValoreFlotta(riga, ColonnaFlotta::L100)});
    std::optional<double> persi = ValoreFlotta(riga, ColonnaFlotta::Prelevati);
    if (persi) *persi += ValoreFlotta(riga, ColonnaFlotta::Scarto).value_or(0);
    perdite.barre.push_back({riga.targa, persi});
  }
  Grafico_Flotta->Mostra({consumo, perdite});
}

TabellaEsportata QvFlotta::Tabella() const {
  std::vector<RigaFlotta> righe;
  for (int r = 0; r < ordine_->rowCount(); ++r) {
    const int sorgente = ordine_->mapToSource(ordine_->index(r, 0)).row();
    if (!modello_->Totale(sorgente)) righe.push_back(modello_->Righe()[std::size_t(sorgente)]);
  }
  std::vector<ColonnaFlotta> colonne;
  QStringList intestazioni;
  for (const DescrizioneColonna& d : ColonneFlotta()) {
    colonne.push_back(d.colonna);
    intestazioni << modello_->Intestazione(int(d.colonna));
  }
  return TabellaFlotta(righe, colonne, intestazioni, TestoTotale());
}

QString QvFlotta::NomeFile() const {
  const auto giorno = [](Istante t) { return InDateTime(t).toString(QStringLiteral("yyyy-MM-dd")); };
  return QStringLiteral("Flotta_%1_%2_%3").arg(anno_, giorno(periodo_.inizio), giorno(periodo_.fine));
}

void QvFlotta::Esporta(bool xlsx) {
  if (InCalcolo() || modello_->Righe().empty()) return;
  const QString percorso = ChiediFileEsportazione(
      NomeFile(), xlsx ? FormatoEsportazione::Xlsx : FormatoEsportazione::Csv, this);
  if (percorso.isEmpty()) return;
  const Esito esito =
      xlsx ? ScriviXlsx({Tabella()}, percorso) : ScriviCsv(Tabella(), percorso, FormaCsv::Utente());
  if (!esito) MostraErroreEsportazione(percorso, esito.messaggio, this);
}

void QvFlotta::Stampa() {
  if (InCalcolo() || modello_->Righe().empty()) return;
  TestiReportFlotta t;
  t.titolo = ConValore(TestoLingua(9060, QStringLiteral("Flotta - anno %1")), anno_);
  t.periodo = TestoDataGenerale(periodo_.inizio) + QStringLiteral(" - ") + TestoDataGenerale(periodo_.fine);
  for (int c = 0; c < ordine_->columnCount(); ++c)
    t.intestazioni << modello_->Intestazione(c);
  for (int r = 0; r < ordine_->rowCount(); ++r) {
    QStringList riga;
    for (int c = 0; c < ordine_->columnCount(); ++c) riga << ordine_->index(r, c).data().toString();
    t.righe.push_back(riga);
  }
  t.totale = true;
  MostraAnteprima({NomeStampa(QStringLiteral("Flotta"), anno_, Adesso()),
                   [t](QPrinter& stampante) { return ReportFlotta(stampante, t); }},
                  this);
}

void QvFlotta::Attiva(bool si) {
  const bool giorni = Cmb_Periodo->currentIndex() == int(PeriodoPredefinito::DalAl);
  for (QWidget* w : std::initializer_list<QWidget*>{Cmb_Anno, Cmb_Periodo, Cmd_Calcola})
    w->setEnabled(si);
  DTP_Dal->setEnabled(si && giorni);
  DTP_Al->setEnabled(si && giorni);
  const bool figure = si && !modello_->Righe().empty();
  for (QWidget* w : std::initializer_list<QWidget*>{Cmd_EsportaCsv, Cmd_EsportaXlsx, Cmd_Print})
    w->setEnabled(figure);
}

void QvFlotta::closeEvent(QCloseEvent* evento) {
  // The threads stop at their next block of samples; nothing is written.
  if (calcolo_) {
    Tmr_Calcolo->stop();
    calcolo_->Ferma();
    calcolo_.reset();
  }
  evento->accept();
}

}  // namespace quarvel
