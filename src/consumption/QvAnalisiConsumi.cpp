#include "QvAnalisiConsumi.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <QHeaderView>
#include <QTabWidget>
#include <QTableWidget>

#include "AnteprimaStampa.h"
#include "CarburanteVeicolo.h"
#include "QvGraph.h"
#include "TestiCarburante.h"
#include "AttesaDatabase.h"
#include "AnalisiConsumi.h"
#include "CartellaProgramma.h"
#include "DatabaseVeicolo.h"
#include "EsportaCsv.h"
#include "EsportaXlsx.h"
#include "Esportazioni.h"
#include "FinestraUnica.h"
#include "FrecceSuGiu.h"
#include "FunzioniStampa.h"
#include "Immagini.h"
#include "Impostazioni.h"
#include "LetturePeriodo.h"
#include "Lingua.h"
#include "ListaAnni.h"
#include "ListaTarghe.h"
#include "Localizzazione.h"
#include "Messaggi.h"
#include "Nomina.h"
#include "PassoEventi.h"
#include "QvAnalisiOption.h"
#include "TabelleConsumi.h"

namespace quarvel {

namespace {
QLabel* Etichetta(const char* nome, int tag, const QString& testo, QWidget* padre) {
  return Nomina(nome, tag, new QLabel(testo, padre));
}

QLineEdit* Casella(const char* nome, QWidget* padre, int larghezza = 0) {
  auto* c = Nomina(nome, 0, new QLineEdit(padre));
  if (larghezza) c->setFixedWidth(larghezza);
  return c;
}

QDateEdit* Calendario(const char* nome, QWidget* padre) {
  auto* d = Nomina(nome, 0, new QDateEdit(QDate::currentDate(), padre));
  d->setCalendarPopup(true);
  d->setDisplayFormat(FormatoDataBreve());
  d->setMinimumDate(QDate(1899, 12, 30));  // the zero date-time is shown as it is
  return d;
}

QProgressBar* Barra(const char* nome, QWidget* padre) {
  auto* b = Nomina(nome, 0, new QProgressBar(padre));
  b->setTextVisible(false);
  b->setFixedHeight(14);
  // Hidden between analyses without moving the other controls.
  QSizePolicy politica = b->sizePolicy();
  politica.setRetainSizeWhenHidden(true);
  b->setSizePolicy(politica);
  b->hide();
  return b;
}

QPlainTextEdit* Elenco(const char* nome, QWidget* padre) {
  auto* e = Nomina(nome, 0, new QPlainTextEdit(padre));
  e->setReadOnly(true);  // filled by the analysis; selecting and copying still work
  e->setLineWrapMode(QPlainTextEdit::NoWrap);
  e->setMinimumHeight(110);
  return e;
}

// The result labels with their language numbers and design captions, in
// the two columns of the window: times and distances on the left, fuel on
// the right; the dashboard readings share the last rows.
struct EtichettaRisultato {
  const char* nome;
  int tag;
  const char* testo;
  int riga, colonna;
};
constexpr int kRigaCruscotto = 8;  // below the separating line
const EtichettaRisultato kRisultati[] = {
    {"Llb_NumeroAccensioni", 5026, "Numero accensioni :", 0, 0},
    {"Lbl_CamionAcceso", 5020, "Tempo motore acceso :", 1, 0},
    {"Lbl_CamionAccesoMarcia", 5021, "Tempo in marcia :", 2, 0},
    {"Lbl_KmPercorsi", 5022, "Kilometri percorsi calcolati :", 3, 0},
    {"Lbl_velocitamedia", 5023, "Velocità media marcia :", 4, 0},
    {"Lbl_VelocitaMax_Periodo", 5024, "Velocità massima :", 5, 0},
    {"Lbl_NVelocitaallerta", 5025, "N° Volte sopra velocità allerta :", 6, 0},
    {"Lbl_KmInitCrusco", 5027, "Kilometri iniziali cruscotto:", kRigaCruscotto, 0},
    {"Lbl_KmFinCrusco", 5028, "Kilometri finali cruscotto:", kRigaCruscotto + 1, 0},
    {"Lbl_KmPercorsiCrusco", 5029, "Kilometri percorsi cruscotto:", kRigaCruscotto + 2, 0},
    {"Lbl_GasolioConsumato", 5030, "Litri gasolio consumati :", 0, 1},
    {"Lbl_GasolioConsumatoMarcia", 5031, "Litri gasolio  in marcia :", 1, 1},
    {"Lbl_ConsumoMedMarcia", 5032, "Consumo medio marcia", 2, 1},
    {"Lbl_Linizialicrusco", 5033, "ContaLitri iniziali cruscotto:", kRigaCruscotto, 1},
    {"Lbl_Lfinalicrusco", 5034, "ContaLitri finali cruscotto:", kRigaCruscotto + 1, 1},
    {"Lbl_LitriConsumatiCrusco", 5035, "Litri consumati cruscotto:", kRigaCruscotto + 2, 1},
};

// The message for the period control that does not form a time.
QString TestoPeriodoErrato(CampoPeriodo campo) {
  switch (campo) {
    case CampoPeriodo::OraInizio:
      return TestoLingua(
          5108, QStringLiteral("L'ora di inizio non è valida: scrivere un numero da 0 a 23"));
    case CampoPeriodo::MinutoInizio:
      return TestoLingua(
          5109, QStringLiteral("Il minuto di inizio non è valido: scrivere un numero da 0 a 59"));
    case CampoPeriodo::OraFine:
      return TestoLingua(
          5110, QStringLiteral("L'ora di fine non è valida: scrivere un numero da 0 a 23"));
    case CampoPeriodo::MinutoFine:
      return TestoLingua(
          5111, QStringLiteral("Il minuto di fine non è valido: scrivere un numero da 0 a 59"));
    case CampoPeriodo::DataInizio:
    case CampoPeriodo::DataFine:
    case CampoPeriodo::Nessuno:
      break;
  }
  return TestoLingua(5112, QStringLiteral("La data del periodo di analisi non è valida"));
}

void Accoda(QPlainTextEdit* elenco, const QStringList& righe) {
  if (righe.isEmpty()) return;
  QString testo = righe.join(QString());
  testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QTextCursor fine = elenco->textCursor();
  fine.movePosition(QTextCursor::End);
  fine.insertText(testo);
}
}  // namespace

QvAnalisiConsumi::QvAnalisiConsumi(QWidget* padre) : QMainWindow(padre) {
  setObjectName(QStringLiteral("QvAnalisiConsumi"));
  setWindowTitle(QStringLiteral("Quarvel - Analisi Consumi"));
  setProperty("Tag", 5000);
  Costruisci();
  ApplicaLingua(this, NomeFileLingua());
  CaricaImmaginiPulsanti(
      {{Cmd_Analizza2, QStringLiteral("analyze")}, {Cmd_Close, QStringLiteral("Close")}}, this);
  // As tall as the picture buttons beside it.
  Cmd_Print->setMinimumHeight(Cmd_Analizza2->minimumHeight());
  CaricaTarghe();
}

QvAnalisiConsumi::~QvAnalisiConsumi() = default;

void QvAnalisiConsumi::Costruisci() {
  auto* centro = new QWidget(this);
  setCentralWidget(centro);

  auto* sopra = new QHBoxLayout;
  sopra->setSpacing(12);
  sopra->addWidget(CreaRiquadroMezzo(), 3);
  sopra->addWidget(CreaRiquadroPeriodo(), 2);

  Cmd_Analizza2 = Nomina("Cmd_Analizza2", 0, new QPushButton(QStringLiteral("Analizza"), centro));
  Cmd_Print = Nomina("Cmd_Print", 5010, new QPushButton(QStringLiteral("Stampa"), centro));
  Cmd_Close = Nomina("Cmd_Close", 0, new QPushButton(QStringLiteral("Chiudi"), centro));
  Prb_Analisi = Barra("Prb_Analisi", centro);
  Prb_running = Barra("Prb_running", centro);
  Prb_running->setRange(0, 100);  // ContatoreAvanzamento counts samples modulo 101
  auto* barre = new QVBoxLayout;
  barre->setSpacing(4);
  barre->addWidget(Prb_Analisi);
  barre->addWidget(Prb_running);
  Lbl_Attesa = Nomina("Lbl_Attesa", 0, new QLabel(centro));
  Lbl_Attesa->setWordWrap(true);
  barre->addWidget(Lbl_Attesa);
  auto* comandi = new QHBoxLayout;
  comandi->setSpacing(12);
  comandi->addWidget(Cmd_Analizza2);
  comandi->addWidget(Cmd_Print);
  comandi->addSpacing(12);
  comandi->addLayout(barre, 1);
  comandi->addSpacing(12);
  comandi->addWidget(Cmd_Close);

  auto* colonna = new QVBoxLayout(centro);
  colonna->setContentsMargins(14, 10, 14, 14);
  colonna->setSpacing(12);
  colonna->addLayout(sopra);
  colonna->addLayout(comandi);
  colonna->addWidget(CreaRiquadroRisultati());
  // The two lists of level jumps, and beside them, a tab away, the refuels
  // and losses in litres: the window keeps its height.
  Tab_Elenchi = Nomina("Tab_Elenchi", 0, new QTabWidget(centro));
  Tab_Elenchi->setDocumentMode(true);
  Tab_Elenchi->addTab(CreaElenchi(), TestoLingua(5522, QStringLiteral("Salti di livello")));
  Tab_Elenchi->addTab(CreaRiquadroCarburante(),
                      TestoLingua(5500, QStringLiteral("Rifornimenti e perdite (litri)")));
  colonna->addWidget(Tab_Elenchi, 1);
  MostraCarburante({});

  Mnu_opzioni = menuBar()->addAction(QStringLiteral("Opzioni"));
  Mnu_opzioni->setObjectName(QStringLiteral("Mnu_opzioni"));
  Mnu_opzioni->setProperty("Index", 5011);
  Mnu_Esporta = menuBar()->addMenu(QStringLiteral("Esporta"));
  Mnu_Esporta->setObjectName(QStringLiteral("Mnu_Esporta"));
  Mnu_Esporta->setProperty("Index", 5120);
  const auto esporta = [this](const char* nome, int indice, const char* testo, bool viaggi, bool xlsx) {
    QAction* a = Mnu_Esporta->addAction(QString::fromUtf8(testo));
    a->setObjectName(QString::fromLatin1(nome));
    a->setProperty("Index", indice);
    connect(a, &QAction::triggered, this, [=, this] { Esporta(viaggi, xlsx); });
  };
  esporta("Mnu_EsportaViaggiCsv", 5121, "Viaggi in CSV...", true, false);
  esporta("Mnu_EsportaViaggiXlsx", 5122, "Viaggi in XLSX...", true, true);
  esporta("Mnu_EsportaCarburanteCsv", 5123, "Rifornimenti e perdite in CSV...", false, false);
  esporta("Mnu_EsportaCarburanteXlsx", 5124, "Rifornimenti e perdite in XLSX...", false, true);

  connect(Cmb_Targa, &QComboBox::activated, this, &QvAnalisiConsumi::TargaScelta);
  // Another year: the chosen vehicle's database of that year.
  connect(Cmb_AnnoDB, &QComboBox::activated, this, [this] {
    if (Cmb_Targa->currentIndex() >= 0) TargaScelta(Cmb_Targa->currentIndex());
  });
  connect(Cmd_ApriDati, &QPushButton::clicked, this, &QvAnalisiConsumi::ApriDati);
  connect(Cmd_Analizza2, &QPushButton::clicked, this, &QvAnalisiConsumi::Analizza);
  connect(Cmd_Print, &QPushButton::clicked, this, &QvAnalisiConsumi::Stampa);
  connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
  connect(Mnu_opzioni, &QAction::triggered, this, [this] {
    MostraFinestraUnica(QStringLiteral("QvAnalisiOption"), [] { return new QvAnalisiOption; }, this);
  });
  const auto frecce = [this](FrecceSuGiu* f, int16_t& contatore, int16_t massimo, QLineEdit* c) {
    connect(f, &FrecceSuGiu::Avanti, this,
            [=, this, &contatore] { Passo(contatore, 1, massimo, c); });
    connect(f, &FrecceSuGiu::Indietro, this,
            [=, this, &contatore] { Passo(contatore, -1, massimo, c); });
  };
  frecce(UpD_AnalStartH, OraInizio, 23, Txt_AnalStartH);
  frecce(UpD_AnalStartMin, MinutoInizio, 59, Txt_AnalStartMin);
  frecce(UpD_AnalStopH, OraFine, 23, Txt_AnalStopH);
  frecce(UpD_AnalStopMin, MinutoFine, 59, Txt_AnalStopMin);
}

QWidget* QvAnalisiConsumi::CreaRiquadroMezzo() {
  Frm_Mezzo = Nomina("Frm_Mezzo", 5014, new QGroupBox(QStringLiteral("Mezzo"), this));
  QGroupBox* f = Frm_Mezzo;
  auto* lblTarga = Etichetta("Lbl_Targa", 5001, QStringLiteral("Mezzo da analizzare :"), f);
  Cmb_Targa = Nomina("Cmb_Targa", 0, new QComboBox(f));
  Cmb_Targa->setMinimumWidth(140);
  auto* lblAnno = Etichetta("Lbl_AnnoDB", 5137, QStringLiteral("Anno:"), f);
  Cmb_AnnoDB = Nomina("Cmb_AnnoDB", 0, new QComboBox(f));
  lblAnno->setBuddy(Cmb_AnnoDB);
  auto* targaEAnno = new QHBoxLayout;
  targaEAnno->addWidget(Cmb_Targa);
  targaEAnno->addSpacing(12);
  targaEAnno->addWidget(lblAnno);
  targaEAnno->addWidget(Cmb_AnnoDB);
  targaEAnno->addStretch();
  auto* lblDB = Etichetta("Lbl_NomeDBAnalizze", 5002, QStringLiteral("DataBase :"), f);
  Txt_NomeDBAnalizze = Casella("Txt_NomeDBAnalizze", f);
  Txt_NomeDBAnalizze->setMinimumWidth(260);
  Cmd_ApriDati = Nomina("Cmd_ApriDati", 5003, new QPushButton(QStringLiteral("Apri..."), f));
  auto* lblDal = Etichetta("Lbl_DBdal", 5004, QStringLiteral("Dati disponibili dal:"), f);
  Txt_DBdal = Casella("Txt_DBdal", f, 150);
  auto* lblAl = Etichetta("Lbl_DBal", 5005, QStringLiteral("al:"), f);
  Txt_DBal = Casella("Txt_DBal", f, 150);
  Txt_DBdal->setReadOnly(true);
  Txt_DBal->setReadOnly(true);
  lblTarga->setBuddy(Cmb_Targa);
  lblDB->setBuddy(Txt_NomeDBAnalizze);

  auto* span = new QHBoxLayout;
  span->addWidget(Txt_DBdal);
  span->addSpacing(8);
  span->addWidget(lblAl);
  span->addSpacing(4);
  span->addWidget(Txt_DBal);
  span->addStretch();
  auto* g = new QGridLayout(f);
  g->setHorizontalSpacing(8);
  g->addWidget(lblTarga, 0, 0);
  g->addLayout(targaEAnno, 0, 1, 1, 2);
  g->addWidget(lblDB, 1, 0);
  g->addWidget(Txt_NomeDBAnalizze, 1, 1);
  g->addWidget(Cmd_ApriDati, 1, 2);
  g->addWidget(lblDal, 2, 0);
  g->addLayout(span, 2, 1, 1, 2);
  g->setColumnStretch(1, 1);
  return f;
}

QWidget* QvAnalisiConsumi::CreaRiquadroPeriodo() {
  Frm_Periodo =
      Nomina("Frm_Periodo", 5015, new QGroupBox(QStringLiteral("Periodo di analisi"), this));
  QGroupBox* f = Frm_Periodo;
  DTP_AnalStartDate = Calendario("DTP_AnalStartDate", f);
  DTP_AnalStopDate = Calendario("DTP_AnalStopDate", f);
  Txt_AnalStartH = Casella("Txt_AnalStartH", f, 34);
  Txt_AnalStartMin = Casella("Txt_AnalStartMin", f, 34);
  Txt_AnalStopH = Casella("Txt_AnalStopH", f, 34);
  Txt_AnalStopMin = Casella("Txt_AnalStopMin", f, 34);
  UpD_AnalStartH = Nomina("UpD_AnalStartH", 0, new FrecceSuGiu(f));
  UpD_AnalStartMin = Nomina("UpD_AnalStartMin", 0, new FrecceSuGiu(f));
  UpD_AnalStopH = Nomina("UpD_AnalStopH", 0, new FrecceSuGiu(f));
  UpD_AnalStopMin = Nomina("UpD_AnalStopMin", 0, new FrecceSuGiu(f));
  for (QLineEdit* c : {Txt_AnalStartH, Txt_AnalStartMin, Txt_AnalStopH, Txt_AnalStopMin}) {
    c->setAlignment(Qt::AlignRight);
    c->setText(QStringLiteral("0"));  // as the counters stand
  }

  auto* g = new QGridLayout(f);
  g->setHorizontalSpacing(6);
  const auto riga = [&](int r, const char* nome, int tag, const QString& testo, QDateEdit* data,
                        QLineEdit* ora, FrecceSuGiu* frecceOra, QLineEdit* minuto,
                        FrecceSuGiu* frecceMinuto) {
    QLabel* l = Etichetta(nome, tag, testo, f);
    l->setBuddy(data);
    g->addWidget(l, r, 0);
    g->addWidget(data, r, 1);
    g->addWidget(ora, r, 2);
    g->addWidget(frecceOra, r, 3);
    g->addWidget(Etichetta("Lbl_SeparaOra", 5017, QStringLiteral(":"), f), r, 4);
    g->addWidget(minuto, r, 5);
    g->addWidget(frecceMinuto, r, 6);
  };
  riga(0, "Lbl_AnalStart", 5006, QStringLiteral("Analisi dal:"), DTP_AnalStartDate, Txt_AnalStartH,
       UpD_AnalStartH, Txt_AnalStartMin, UpD_AnalStartMin);
  riga(1, "Lbl_AnalStop", 5007, QStringLiteral("Analisi al:"), DTP_AnalStopDate, Txt_AnalStopH,
       UpD_AnalStopH, Txt_AnalStopMin, UpD_AnalStopMin);
  g->setColumnStretch(7, 1);
  g->setRowStretch(2, 1);
  return f;
}

QWidget* QvAnalisiConsumi::CreaRiquadroRisultati() {
  auto* f = Nomina("Frm_Risultati", 5016, new QGroupBox(QStringLiteral("Risultati"), this));
  Lbl_StartDate = Etichetta("Lbl_StartDate", 5008, QStringLiteral("Data inizio analisi :"), f);
  Lbl_endDate = Etichetta("Lbl_endDate", 5009, QStringLiteral("Data fine analisi :"), f);
  for (QLabel* l : {Lbl_StartDate, Lbl_endDate}) {
    QFont grassetto = l->font();
    grassetto.setBold(true);
    l->setFont(grassetto);
  }
  auto* g = new QGridLayout(f);
  g->setHorizontalSpacing(40);
  g->setVerticalSpacing(5);
  g->addWidget(Lbl_StartDate, 0, 0);
  g->addWidget(Lbl_endDate, 0, 1);
  auto* sotto = new QFrame(f);
  sotto->setFrameShape(QFrame::HLine);
  sotto->setFrameShadow(QFrame::Sunken);
  g->addWidget(sotto, 1, 0, 1, 2);
  constexpr int kPrimaRiga = 2;
  for (const EtichettaRisultato& e : kRisultati) {
    QLabel* l = Etichetta(e.nome, e.tag, QString::fromUtf8(e.testo), f);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    risultati_.insert(l->objectName(), l);
    g->addWidget(l, kPrimaRiga + e.riga, e.colonna);
  }
  auto* cruscotto = new QFrame(f);
  cruscotto->setFrameShape(QFrame::HLine);
  cruscotto->setFrameShadow(QFrame::Sunken);
  g->addWidget(cruscotto, kPrimaRiga + kRigaCruscotto - 1, 0, 1, 2);
  g->setColumnStretch(0, 1);
  g->setColumnStretch(1, 1);
  return f;
}

QWidget* QvAnalisiConsumi::CreaElenchi() {
  auto* w = new QWidget(this);
  Txt_datecarico = Elenco("Txt_datecarico", w);
  Txt_datesospette = Elenco("Txt_datesospette", w);
  auto* lblCarichi = Etichetta("Lbl_datecarico", 5012, QStringLiteral("Possibili carichi:"), w);
  auto* lblAnomalie =
      Etichetta("Lbl_datesospette", 5013, QStringLiteral("Possibili anomalie :"), w);
  lblCarichi->setBuddy(Txt_datecarico);
  lblAnomalie->setBuddy(Txt_datesospette);
  auto* g = new QGridLayout(w);
  g->setContentsMargins(0, 0, 0, 0);
  g->setHorizontalSpacing(12);
  g->addWidget(lblCarichi, 0, 0);
  g->addWidget(lblAnomalie, 0, 1);
  g->addWidget(Txt_datecarico, 1, 0);
  g->addWidget(Txt_datesospette, 1, 1);
  g->setRowStretch(1, 1);
  return w;
}

QWidget* QvAnalisiConsumi::CreaRiquadroCarburante() {
  Frm_Carburante = Nomina("Frm_Carburante", 0, new QWidget(this));
  Tbl_Carburante = Nomina("Tbl_Carburante", 0, new QTableWidget(0, 7, Frm_Carburante));
  Tbl_Carburante->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Tbl_Carburante->setSelectionBehavior(QAbstractItemView::SelectRows);
  Tbl_Carburante->setSelectionMode(QAbstractItemView::SingleSelection);
  Tbl_Carburante->verticalHeader()->hide();
  Tbl_Carburante->verticalHeader()->setDefaultSectionSize(20);
  Tbl_Carburante->horizontalHeader()->setStretchLastSection(true);
  Tbl_Carburante->setMinimumHeight(90);
  Tbl_Carburante->setToolTip(
      TestoLingua(5517, QStringLiteral("Doppio clic su una riga: il grafico a quel minuto")));
  Lbl_BilancioCarburante = Nomina("Lbl_BilancioCarburante", 0, new QLabel(Frm_Carburante));
  Lbl_BilancioCarburante->setWordWrap(true);
  Lbl_BilancioCarburante->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* v = new QVBoxLayout(Frm_Carburante);
  v->setContentsMargins(0, 6, 0, 0);
  v->setSpacing(6);
  v->addWidget(Tbl_Carburante, 1);
  v->addWidget(Lbl_BilancioCarburante);
  connect(Tbl_Carburante, &QTableWidget::cellDoubleClicked, this,
          [this](int riga, int) { ApriGraficoEvento(riga); });
  return Frm_Carburante;
}

void QvAnalisiConsumi::MostraCarburante(const RisultatoCarburante& r) {
  const TabellaCarburante t = TabellaEventi(r);
  Tbl_Carburante->setHorizontalHeaderLabels(t.intestazioni);
  Tbl_Carburante->setRowCount(int(t.righe.size()));
  for (int i = 0; i < int(t.righe.size()); ++i)
    for (int c = 0; c < t.righe[i].size(); ++c) {
      auto* cella = new QTableWidgetItem(t.righe[i][c]);
      // The litres line up on their decimal comma.
      if (c >= 3 && c <= 5) cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Tbl_Carburante->setItem(i, c, cella);
    }
  Tbl_Carburante->resizeColumnsToContents();
  // Before the first analysis the panel shows only its columns.
  QStringList righe{t.bilancio.join(QStringLiteral("   "))};
  if (!t.scarto.isEmpty()) righe << t.scarto;
  righe << t.nota;
  Lbl_BilancioCarburante->setText(percorsoCarburante_.isEmpty() ? QString()
                                                                 : righe.join(QLatin1Char('\n')));
  // The tab says how many there are, so that a refuel is not missed.
  QString titolo = t.titolo;
  if (!percorsoCarburante_.isEmpty()) titolo += QStringLiteral(": %1").arg(t.righe.size());
  Tab_Elenchi->setTabText(1, titolo);
}

void QvAnalisiConsumi::ApriGraficoEvento(int riga) {
  if (riga < 0 || riga >= int(carburante_.eventi.size())) return;
  auto* grafico = qobject_cast<QvGraph*>(
      MostraFinestraUnica(QStringLiteral("QvGraph"), [] { return new QvGraph; }, this));
  if (!grafico) return;
  grafico->MostraEvento(Cmb_Targa->currentText(), percorsoCarburante_, carburante_.eventi[riga].inizio,
                        {carburante_, inizioCarburante_, fineCarburante_});
}

void QvAnalisiConsumi::Esporta(bool viaggi, bool xlsx) {
  if (inAnalisi_) return;
  if (percorsoCarburante_.isEmpty()) {
    MostraMessaggio(TestoLingua(5125, QStringLiteral("Analizzare prima il periodo da esportare")),
                    Icona::Esclamazione, TitoloApplicazione, this);
    return;
  }
  const auto giorno = [](Istante t) { return InDateTime(t).toString(QStringLiteral("yyyy-MM-dd")); };
  const QString nome = QStringLiteral("%1_%2_%3_%4")
                           .arg(viaggi ? QStringLiteral("Viaggi") : QStringLiteral("Rifornimenti"),
                                Cmb_Targa->currentText(), giorno(inizioCarburante_), giorno(fineCarburante_));
  const QString percorso =
      ChiediFileEsportazione(nome, xlsx ? FormatoEsportazione::Xlsx : FormatoEsportazione::Csv, this);
  if (percorso.isEmpty()) return;
  // A CSV holds one table: the events without the balance.
  const std::vector<TabellaEsportata> tabelle =
      viaggi ? std::vector{TabellaViaggi(viaggi_, sogliaViaggi_)} : TabelleCarburante(carburante_);
  const Esito esito = xlsx ? ScriviXlsx(tabelle, percorso)
                           : ScriviCsv(tabelle.front(), percorso, FormaCsv::Utente());
  if (!esito) MostraErroreEsportazione(percorso, esito.messaggio, this);
}

void QvAnalisiConsumi::CaricaTarghe() {
  const Esito esito = CollegaListaTarghe(Cmb_Targa);
  Cmb_Targa->setCurrentIndex(-1);  // the user chooses; choosing opens the database
  RiempiAnni(Cmb_AnnoDB, {});
  if (!esito) MostraMessaggio(esito.messaggio, Icona::Critica, TitoloApplicazione, this);
}

void QvAnalisiConsumi::TargaScelta(int indice) {
  const QString targa = Cmb_Targa->itemText(indice);
  RiempiAnni(Cmb_AnnoDB, targa);
  const QString anno = AnnoScelto(Cmb_AnnoDB);
  // The database as it lies on disk, whatever the letter case of its name.
  const QString percorso = TrovaDatabaseVeicolo(targa, anno);
  if (percorso.isEmpty()) {
    MostraMessaggio(
        TestoLingua(5100, QStringLiteral("Non esistono dati del mezzo targato %1 per l'anno %2"))
            .arg(targa, anno),
        Icona::Nessuna, TitoloApplicazione, this);
    return;
  }
  LeggiDatabase(percorso);
}

void QvAnalisiConsumi::ApriDati() {
  const RichiestaFile richiesta{
      TestoLingua(5106, QStringLiteral("Database da analizzare")),
      PercorsoDati(QStringLiteral("Log")),
      TestoLingua(5107, QStringLiteral("Database dei mezzi (*.mdb);;Tutti i file (*)"))};
  const QString scelto = ScegliFileDaAprire(richiesta, this);
  if (scelto.isEmpty()) {
    MostraMessaggio(TestoLingua(5103, QStringLiteral("Non hai dato un nome al file")),
                    Icona::Esclamazione, TitoloApplicazione, this);
    return;
  }
  LeggiDatabase(scelto);
}

bool QvAnalisiConsumi::LeggiDatabase(const QString& percorso) {
  const AttesaDatabase attesa(Lbl_Attesa);
  // A file that is no vehicle database changes nothing in the window.
  if (const Esito e = db_.Apri(percorso); !e) {
    MostraMessaggio(e.messaggio, Icona::Critica, TitoloApplicazione, this);
    return false;
  }
  PercorsoDB = percorso;
  Txt_NomeDBAnalizze->setText(percorso);
  if (const std::optional<EstremiCampioni> estremi = EstraiEstremi(db_.Cursore())) {
    InizioDB = estremi->primo;
    FineDB = estremi->ultimo;
    Txt_DBdal->setText(TestoDataGenerale(InizioDB));
    Txt_DBal->setText(TestoDataGenerale(FineDB));
  } else if (const QString errore = db_.Cursore().Errore(); !errore.isEmpty()) {
    MostraMessaggio(kErroreDatabase + errore, Icona::Critica, TitoloApplicazione, this);
  } else {
    MostraMessaggio(TestoLingua(5101, QStringLiteral("Database vuoto - Errore 1")),
                    Icona::Esclamazione, TitoloApplicazione, this);
  }
  db_.Chiudi();
  // An empty database still proposes the span read before (or the zero
  // date-time when none was).
  const PropostaPeriodo p = ProponiPeriodo(InizioDB, FineDB);
  ScriviPeriodo(p);
  InizioAnalisi = p.InizioAnalisi;
  FineAnalisi = p.FineAnalisi;
  OraInizio = p.OraInizio;
  MinutoInizio = p.MinutoInizio;
  OraFine = p.OraFine;
  MinutoFine = p.MinutoFine;
  return true;
}

void QvAnalisiConsumi::ScriviPeriodo(const PropostaPeriodo& p) {
  Txt_AnalStartH->setText(p.oraInizio);
  Txt_AnalStartMin->setText(p.minutoInizio);
  DTP_AnalStartDate->setDate(p.dataInizio);
  Txt_AnalStopH->setText(p.oraFine);
  Txt_AnalStopMin->setText(p.minutoFine);
  DTP_AnalStopDate->setDate(p.dataFine);
}

void QvAnalisiConsumi::MostraSelezione(const QString& targa, const QString& percorso,
                                       Istante inizio, Istante fine) {
  Txt_NomeDBAnalizze->setText(percorso);
  Cmb_Targa->setCurrentIndex(Cmb_Targa->findText(targa));
  // The year of the database handed over ("AB123CD_ 2025.mdb").
  RiempiAnni(Cmb_AnnoDB, targa);
  if (const int anno = Cmb_AnnoDB->findText(QFileInfo(percorso).completeBaseName().right(4)); anno >= 0)
    Cmb_AnnoDB->setCurrentIndex(anno);
  ScriviPeriodo(ProponiPeriodo(inizio, fine));
}

void QvAnalisiConsumi::Passo(int16_t& contatore, int passo, int16_t massimo, QLineEdit* casella) {
  contatore = PassoCircolare(contatore, passo, massimo);
  casella->setText(QString::number(contatore));
}

void QvAnalisiConsumi::Analizza() {
  if (inAnalisi_) return;
  const PeriodoAnalisi periodo =
      CostruisciPeriodo(DTP_AnalStartDate->date(), Txt_AnalStartH->text(), Txt_AnalStartMin->text(),
                        DTP_AnalStopDate->date(), Txt_AnalStopH->text(), Txt_AnalStopMin->text());
  const QString percorso = Txt_NomeDBAnalizze->text();
  if (percorso.isEmpty()) {
    MostraMessaggio(TestoLingua(5104, QStringLiteral("Non hai selezionato il mezzo da analizzare")),
                    Icona::Esclamazione, TitoloApplicazione, this);
    return;
  }
  if (!periodo.Valido()) {
    MostraMessaggio(TestoPeriodoErrato(periodo.errato), Icona::Esclamazione, TitoloApplicazione,
                    this);
    return;
  }
  InizioAnalisi = periodo.InizioAnalisi;
  FineAnalisi = periodo.FineAnalisi;

  const AttesaDatabase attesa(Lbl_Attesa);
  if (const Esito e = db_.Apri(percorso, InizioAnalisi, FineAnalisi); !e) {
    MostraMessaggio(e.messaggio, Icona::Critica, TitoloApplicazione, this);
    return;
  }
  CursoreLogs& campioni = db_.Cursore();
  const TestiRisultati testi(CercaTestiLingua(), LocaleUtente());
  if (const std::optional<EstremiCampioni> estremi = EstraiEstremi(campioni)) {
    Lbl_StartDate->setText(DidascaliaInizioAnalisi(estremi->primo, testi));
    Lbl_endDate->setText(DidascaliaFineAnalisi(estremi->ultimo, testi));
  } else if (const QString errore = campioni.Errore(); !errore.isEmpty()) {
    // A damaged database: no figures at all.
    MostraMessaggio(kErroreDatabase + errore, Icona::Critica, TitoloApplicazione, this);
    db_.Chiudi();
    return;
  } else {
    MostraMessaggio(
        TestoLingua(5102, QStringLiteral("Record non presenti, controllare date selezionate")),
        Icona::Esclamazione, TitoloApplicazione, this);
  }

  ImpostaInAnalisi(true);
  PassoEventi passo;
  ParametriAnalisi parametri;
  parametri.targa = Cmb_Targa->currentText();
  parametri.sogliaVelocita = Imp().LivelloAllertVelocita;
  parametri.sogliaGasolio = Imp().LivelloAllertGasolio;
  parametri.istanteAnalisi = Adesso();
  parametri.testi = testi;
  const QString targaDatabase = TargaDelDatabase(percorso);
  parametri.carburante =
      ParametriCarburanteVeicolo(targaDatabase.isEmpty() ? parametri.targa : targaDatabase);
  parametri.avanzamento = [&](int16_t contatore) {
    if (!passo.Pronto()) return;
    Prb_running->setValue(contatore);
    passo.Adesso();
  };
  db_.Chiudi();
  // The samples from the packed hours beside Logs when they are current.
  LetturePeriodo letture;
  if (const Esito e = letture.Apri(percorso, InizioAnalisi, FineAnalisi); !e) {
    ImpostaInAnalisi(false);
    MostraMessaggio(e.messaggio, Icona::Critica, TitoloApplicazione, this);
    return;
  }
  const RisultatoAnalisi r = AnalisiTotale(letture, parametri);
  ImpostaInAnalisi(false);
  MostraRisultati(r);
}

void QvAnalisiConsumi::Stampa() {
  if (inAnalisi_) return;
  // The texts as they stand now: the preview repaints from this copy.
  TestiReportConsumi testi;
  testi.targa = Cmb_Targa->currentText();
  testi.inizio = Lbl_StartDate->text();
  testi.fine = Lbl_endDate->text();
  for (const QString& nome : EtichetteReportConsumi()) testi.risultati << risultati_.value(nome)->text();
  if (!percorsoCarburante_.isEmpty()) testi.carburante = TabellaEventi(carburante_);
  MostraAnteprima({NomeStampa(QStringLiteral("Consumi"), testi.targa, Adesso()),
                   [testi](QPrinter& stampante) { return ReportConsumi(stampante, testi); }},
                  this);
}

void QvAnalisiConsumi::ImpostaInAnalisi(bool si) {
  inAnalisi_ = si;
  for (QWidget* w :
       std::initializer_list<QWidget*>{Frm_Mezzo, Frm_Periodo, Cmd_Analizza2, Cmd_Print, Cmd_Close})
    w->setEnabled(!si);
  Mnu_opzioni->setEnabled(!si);
  Mnu_Esporta->setEnabled(!si);
  if (si) {
    Prb_Analisi->setRange(0, 0);  // busy: the number of samples is not known beforehand
    Prb_running->setValue(0);
    Prb_Analisi->show();
    Prb_running->show();
  }
}

void QvAnalisiConsumi::MostraRisultati(const RisultatoAnalisi& r) {
  PercorsoReport = r.percorsoReport;
  Prb_Analisi->setRange(0, 100);
  Prb_Analisi->setValue(0);
  switch (r.esito) {
    case EsitoAnalisi::PeriodoVuoto:
      // Only the report's first line: the labels stay as they were, and the
      // bars stay in sight at 0.
      return;
    case EsitoAnalisi::ErroreLettura:
      MostraMessaggio(r.erroreDatabase, Icona::Critica, TitoloApplicazione, this);
      break;
    case EsitoAnalisi::ReportNonCreato:
      MostraMessaggio(TestoLingua(5113, QStringLiteral("Impossibile creare il report %1: %2"))
                          .arg(QDir::toNativeSeparators(r.percorsoReport), r.erroreFile),
                      Icona::Critica, TitoloApplicazione, this);
      break;
    case EsitoAnalisi::ReportIncompleto:
    case EsitoAnalisi::Completa:
      for (const Didascalia& d : r.didascalie)
        if (QLabel* l = risultati_.value(d.nome)) l->setText(d.testo);
      Accoda(Txt_datecarico, r.carichi);
      Accoda(Txt_datesospette, r.anomalie);
      carburante_ = r.carburante;
      viaggi_ = r.viaggi;
      sogliaViaggi_ = Imp().LivelloAllertVelocita;
      percorsoCarburante_ = Txt_NomeDBAnalizze->text();
      inizioCarburante_ = InizioAnalisi;
      fineCarburante_ = FineAnalisi;
      MostraCarburante(carburante_);
      if (r.esito == EsitoAnalisi::ReportIncompleto)
        MostraMessaggio(TestoLingua(5114, QStringLiteral("Il report %1 è incompleto: %2"))
                            .arg(QDir::toNativeSeparators(r.percorsoReport), r.erroreFile),
                        Icona::Critica, TitoloApplicazione, this);
      break;
  }
  Prb_Analisi->hide();
  Prb_running->hide();
}

void QvAnalisiConsumi::closeEvent(QCloseEvent* evento) {
  // The pass holds the database open and writes the report: let it end.
  if (inAnalisi_) {
    evento->ignore();
    return;
  }
  evento->accept();
}

}  // namespace quarvel
