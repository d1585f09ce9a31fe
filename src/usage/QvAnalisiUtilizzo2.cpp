#include "QvAnalisiUtilizzo2.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "Anagrafica.h"
#include "AttesaDatabase.h"
#include "AnteprimaStampa.h"
#include "CartellaProgramma.h"
#include "DatabaseVeicolo.h"
#include "EsportaCsv.h"
#include "Esportazioni.h"
#include "FinestraUnica.h"
#include "FunzioniStampa.h"
#include "GrigliaAttivita.h"
#include "Immagini.h"
#include "Impostazioni.h"
#include "Lingua.h"
#include "ListaAnni.h"
#include "ListaTarghe.h"
#include "Localizzazione.h"
#include "Messaggi.h"
#include "NomeMese.h"
#include "Nomina.h"
#include "PassoEventi.h"
#include "PeriodoAnalisi.h"
#include "QvAnalisiConsumi.h"
#include "QvAnalisiOption.h"
#include "TabellaAttivita.h"
#include "TracciaMese.h"

namespace quarvel {

namespace {
const QColor kSfondo(64, 64, 64);
const QColor kArgento(192, 192, 192);
const QColor kVerde(0, 255, 0);
const QString kAvviso = QStringLiteral("Avviso");
constexpr int kPrimoAnno = 2010, kUltimoAnno = 2030;

// The window's design gives positions in twips: 15 to a pixel.
QRect Twip(int sinistra, int alto, int larghezza, int altezza) {
  return {sinistra / 15, alto / 15, larghezza / 15, altezza / 15};
}

template <typename T>
T* Posa(T* controllo, const QRect& posizione) {
  controllo->setGeometry(posizione);
  return controllo;
}

QLabel* Etichetta(const char* nome, int tag, const QString& testo, const QRect& posizione,
                  QWidget* padre, const QColor& colore = Qt::white) {
  auto* l = Posa(Nomina(nome, tag, new QLabel(testo, padre)), posizione);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, colore);
  l->setPalette(p);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return l;
}

QLineEdit* Casella(const char* nome, const QRect& posizione, QWidget* padre) {
  auto* c = Posa(Nomina(nome, 0, new QLineEdit(padre)), posizione);
  QPalette p = c->palette();
  p.setColor(QPalette::Base, kArgento);
  c->setPalette(p);
  c->setReadOnly(true);  // they show what the database holds
  return c;
}

// A list that accepts only its entries and shows "- - -" until one is chosen.
QComboBox* Elenco(const char* nome, int sinistra, int alto, int larghezza, QWidget* padre) {
  auto* c = Nomina(nome, 0, new QComboBox(padre));
  c->setPlaceholderText(QStringLiteral("- - -"));
  c->setGeometry(sinistra / 15, alto / 15, larghezza / 15, c->sizeHint().height());
  return c;
}

QFrame* LineaBianca(const char* nome, int alto, QWidget* padre) {
  auto* l = Posa(Nomina(nome, 0, new QFrame(padre)), Twip(180, alto, 9840 - 180, 15));
  l->setAutoFillBackground(true);
  QPalette p = l->palette();
  p.setColor(QPalette::Window, Qt::white);
  l->setPalette(p);
  return l;
}

// The design sizes its labels for a small type: a caption that does not fit
// takes a smaller type rather than being cut.
void AdattaEtichette(const QWidget* finestra) {
  for (QLabel* l : finestra->findChildren<QLabel*>()) {
    if (l->wordWrap()) continue;
    QFont f = l->font();
    int pixel = QFontInfo(f).pixelSize();
    while (pixel > 8 && QFontMetrics(f).horizontalAdvance(l->text()) > l->width())
      f.setPixelSize(--pixel);
    l->setFont(f);
  }
}

// The text a list shows: "- - -" while nothing is chosen.
QString TestoElenco(const QComboBox* elenco) {
  return elenco->currentIndex() < 0 ? elenco->placeholderText() : elenco->currentText();
}

// "2013/03/05 01:00" or, with seconds, "2013/03/05 01:00:00". The year is
// the list's text; every other field has two digits.
QString TestoIstanteGriglia(const QString& anno, int mese, int giorno, int ora, int minuto,
                            int secondo = -1) {
  QString t = anno + QString::asprintf("/%02d/%02d %02d:%02d", mese, giorno, ora, minuto);
  if (secondo >= 0) t += QString::asprintf(":%02d", secondo);
  return t;
}
}  // namespace

QvAnalisiUtilizzo2::QvAnalisiUtilizzo2(QWidget* padre) : QMainWindow(padre) {
  setObjectName(QStringLiteral("QvAnalisiUtilizzo2"));
  setWindowTitle(QStringLiteral("Quarvel - Analisi Utilizzo"));
  setProperty("Tag", 4040);
  Costruisci();
  ApplicaLingua(this, NomeFileLingua());
  AdattaEtichette(this);
  CaricaImmaginiPulsanti({{Cmd_TrackMese, QStringLiteral("analyze")},
                          {Cmd_Close, QStringLiteral("Close")},
                          {Cmd_Statistics, QStringLiteral("Statistics")}},
                         this);
  CaricaTarghe();
  for (int m = 1; m <= 12; ++m) Cmb_mese->addItem(NomeMese(m));
  for (int a = kPrimoAnno; a <= kUltimoAnno; ++a) Cmb_anno->addItem(QString::number(a));
  Cmb_mese->setCurrentIndex(-1);
  Cmb_anno->setCurrentIndex(-1);
}

QvAnalisiUtilizzo2::~QvAnalisiUtilizzo2() = default;

void QvAnalisiUtilizzo2::Costruisci() {
  auto* centro = new QWidget(this);
  setCentralWidget(centro);
  // The design's client area, and to the right of its close button the
  // print button, which the design left out of sight.
  centro->setFixedSize(669 + 137, 617);
  centro->setAutoFillBackground(true);
  QPalette p = centro->palette();
  p.setColor(QPalette::Window, kSfondo);
  centro->setPalette(p);

  Etichetta("Label6", 4000, QStringLiteral("Mezzo da analizzare :"), Twip(180, 240, 2655, 255),
            centro);
  Cmb_Targa = Elenco("Cmb_Targa", 3120, 120, 3015, centro);
  Etichetta("Lbl_AnnoDB", 4041, QStringLiteral("Anno:"), Twip(6420, 240, 900, 255), centro);
  Cmb_AnnoDB = Elenco("Cmb_AnnoDB", 7380, 120, 1275, centro);
  Etichetta("Lbl_DB", 5002, QStringLiteral("DataBase :"), Twip(180, 720, 1155, 255), centro);
  Txt_NomeDBAnalizze = Casella("Txt_NomeDBAnalizze", Twip(1740, 660, 8175, 315), centro);
  Etichetta("Label1", 4001, QStringLiteral("Dati disponibili dal:"), Twip(180, 1080, 1455, 255),
            centro);
  Txt_DBdal = Casella("Txt_DBdal", Twip(1740, 1020, 2115, 315), centro);
  Etichetta("Label3", 4002, QStringLiteral("al:"), Twip(4020, 1080, 315, 255), centro);
  Txt_DBal = Casella("Txt_DBal", Twip(4320, 1020, 2115, 315), centro);
  LineaBianca("Line1", 1440, centro);
  Etichetta("Label8", 4003, QStringLiteral("Mese"), Twip(180, 1680, 2655, 255), centro);
  Cmb_mese = Elenco("Cmb_mese", 1680, 1560, 2115, centro);
  Cmb_anno = Elenco("Cmb_anno", 4020, 1560, 2055, centro);
  Cmd_TrackMese =
      Posa(Nomina("Cmd_TrackMese", 0, new QPushButton(QStringLiteral("analyze"), centro)),
           Twip(7860, 1500, 1935, 615));
  LineaBianca("Line2", 2160, centro);

  Grid1 = Posa(Nomina("Grid1", 0, new GrigliaAttivita(centro)), Twip(120, 2280, 9075, 6195));
  Lbl_Attesa = Etichetta("Lbl_Attesa", 0, {}, Twip(9330, 2580, 2670, 1200), centro, kVerde);
  Lbl_Attesa->setWordWrap(true);
  Picture1 = Posa(new RigaOre(Grid1->InizioQuarti(), centro),
                  QRect(Grid1->x(), Grid1->y(), 9015 / 15, GrigliaAttivita::kAltezzaIntestazione));

  Etichetta("Label5", 4006, QStringLiteral("Consumi dal : "), Twip(120, 8700, 1035, 255), centro);
  Label2 = Etichetta("Label2", 4007, QStringLiteral("Selezionare periodo"),
                     Twip(1320, 8700, 1815, 495), centro, kVerde);
  Etichetta("Label7", 4002, QStringLiteral("al : "), Twip(3120, 8700, 315, 255), centro);
  Label4 = Etichetta("Label4", 4007, QStringLiteral("Selezionare periodo"),
                     Twip(3540, 8700, 1995, 495), centro, kVerde);
  for (QLabel* l : {Label2, Label4}) l->setWordWrap(true);
  Cmd_Statistics =
      Posa(Nomina("Cmd_Statistics", 0, new QPushButton(QStringLiteral("Statistics"), centro)),
           Twip(5640, 8580, 1995, 615));
  Cmd_Close = Posa(Nomina("Cmd_Close", 0, new QPushButton(QStringLiteral("Close"), centro)),
                   Twip(7800, 8580, 1935, 615));
  Cmd_Print = Posa(Nomina("Cmd_Print", 4034, new QPushButton(QStringLiteral("Stampa"), centro)),
                   Twip(9855, 8580, 1935, 615));
  Cmd_EsportaCsv =
      Posa(Nomina("Cmd_EsportaCsv", 4042, new QPushButton(QStringLiteral("Esporta CSV..."), centro)),
           Twip(9855, 7860, 1935, 615));
  // The designer's test patterns, out of sight as in the design.
  Command1 = Posa(Nomina("Command1", 0, new QPushButton(QStringLiteral("Test_Video"), centro)),
                  Twip(10800 + 2070, 1260, 1875, 735));
  Command3 = Posa(Nomina("Command3", 0, new QPushButton(QStringLiteral("Command3"), centro)),
                  Twip(10740 + 2070, 3420, 1455, 795));

  Mnu_File = menuBar()->addMenu(QStringLiteral("File"));
  Mnu_File->setObjectName(QStringLiteral("Mnu_File"));
  Mnu_File->setProperty("Index", 4035);
  Mnu_opzioni = Mnu_File->addAction(QStringLiteral("Opzioni"));
  Mnu_opzioni->setObjectName(QStringLiteral("Mnu_opzioni"));
  Mnu_opzioni->setProperty("Index", 4036);

  connect(Cmb_Targa, &QComboBox::activated, this, &QvAnalisiUtilizzo2::TargaScelta);
  // Another year: the chosen vehicle's database of that year.
  connect(Cmb_AnnoDB, &QComboBox::activated, this, [this] {
    if (Cmb_Targa->currentIndex() >= 0) TargaScelta(Cmb_Targa->currentIndex());
  });
  connect(Cmd_EsportaCsv, &QPushButton::clicked, this, &QvAnalisiUtilizzo2::EsportaMese);
  connect(Cmd_TrackMese, &QPushButton::clicked, this, &QvAnalisiUtilizzo2::TrackMese);
  connect(Cmd_Statistics, &QPushButton::clicked, this, &QvAnalisiUtilizzo2::Statistiche);
  connect(Cmd_Print, &QPushButton::clicked, this, &QvAnalisiUtilizzo2::Stampa);
  connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
  connect(Command1, &QPushButton::clicked, this, &QvAnalisiUtilizzo2::TestVideo);
  connect(Command3, &QPushButton::clicked, this, [this] { Disegna_Attivita_5m(0, 1, 0, 0); });
  connect(Mnu_opzioni, &QAction::triggered, this, [this] {
    MostraFinestraUnica(QStringLiteral("QvAnalisiOption"), [] { return new QvAnalisiOption; }, this);
  });
  connect(Grid1, &GrigliaAttivita::Premuta, this, &QvAnalisiUtilizzo2::Premuta);
  connect(Grid1, &GrigliaAttivita::Trascinata, this, &QvAnalisiUtilizzo2::Trascinata);
  connect(Grid1, &GrigliaAttivita::Rilasciata, this, &QvAnalisiUtilizzo2::Rilasciata);
}

void QvAnalisiUtilizzo2::CaricaTarghe() {
  const Esito esito = CollegaListaTarghe(Cmb_Targa);
  Cmb_Targa->setCurrentIndex(-1);
  RiempiAnni(Cmb_AnnoDB, {});
  if (!esito) MostraMessaggio(esito.messaggio, Icona::Critica, TitoloApplicazione, this);
}

bool QvAnalisiUtilizzo2::DatabaseDellaTarga(const QString& targa) {
  const QString anno = AnnoScelto(Cmb_AnnoDB);
  PercorsoDB = TrovaDatabaseVeicolo(targa, anno);
  if (!PercorsoDB.isEmpty()) return true;
  // Kept even when missing: a later track command reports it.
  PercorsoDB = PercorsoDatabaseVeicolo(targa, anno);
  MostraMessaggio(
      TestoLingua(5100, QStringLiteral("Non esistono dati del mezzo targato %1 per l'anno %2"))
          .arg(targa, anno),
      Icona::Nessuna, TitoloApplicazione, this);
  return false;
}

void QvAnalisiUtilizzo2::TargaScelta(int indice) {
  if (inTraccia_) return;
  const AttesaDatabase attesa(Lbl_Attesa);
  const QString targa = Cmb_Targa->itemText(indice);
  RiempiAnni(Cmb_AnnoDB, targa);
  if (!DatabaseDellaTarga(targa)) return;
  Txt_NomeDBAnalizze->setText(PercorsoDB);
  if (const Esito e = db_.Apri(PercorsoDB); !e) {
    MostraMessaggio(e.messaggio, Icona::Critica, TitoloApplicazione, this);
    return;
  }
  const std::optional<EstremiCampioni> estremi = EstraiEstremi(db_.Cursore());
  const QString errore = db_.Cursore().Errore();
  db_.Chiudi();
  if (!errore.isEmpty()) {
    MostraMessaggio(kErroreDatabase + errore, Icona::Critica, TitoloApplicazione, this);
    return;
  }
  if (!estremi) {
    MostraMessaggio(TestoLingua(5101, QStringLiteral("Database vuoto - Errore 1")),
                    Icona::Esclamazione, TitoloApplicazione, this);
    return;
  }
  InizioSelezione = estremi->primo;
  FineSelezione = estremi->ultimo;
  Txt_DBdal->setText(TestoDataGenerale(InizioSelezione));
  Txt_DBal->setText(TestoDataGenerale(FineSelezione));
  // The month of the last sample; a year the list lacks leaves both lists.
  const DataOra ultimo = Scomponi(FineSelezione);
  if (ultimo.anno >= kPrimoAnno && ultimo.anno <= kUltimoAnno) {
    Cmb_mese->setCurrentIndex(ultimo.mese - 1);
    Cmb_anno->setCurrentIndex(ultimo.anno - kPrimoAnno);
  }
}

bool QvAnalisiUtilizzo2::MeseScelto(int& anno, int& mese) const {
  if (Cmb_mese->currentIndex() < 0 || Cmb_anno->currentIndex() < 0) return false;
  anno = kPrimoAnno + Cmb_anno->currentIndex();
  mese = Cmb_mese->currentIndex() + 1;
  return true;
}

void QvAnalisiUtilizzo2::TrackMese() {
  if (inTraccia_) return;
  int anno = 0, mese = 0;
  if (!MeseScelto(anno, mese)) {
    MostraMessaggio(TestoLingua(4004, QStringLiteral("Selezionare il mese e l'anno da analizzare")),
                    Icona::Esclamazione, kAvviso, this);
    return;
  }
  const PeriodoMese periodo = *CalcolaPeriodoMese(anno, mese);
  InizioMese = periodo.InizioMese;
  FineMese = periodo.FineMese;
  if (PercorsoDB.isEmpty()) {
    MostraMessaggio(TestoLingua(4005, QStringLiteral("Selezionare il mezzo da analizzare")),
                    Icona::Esclamazione, TitoloApplicazione, this);
    return;
  }
  const AttesaDatabase attesa(Lbl_Attesa);
  AttivitaLogs db;
  if (const Esito e = db.Apri(PercorsoDB); !e) {
    MostraMessaggio(e.messaggio, Icona::Critica, TitoloApplicazione, this);
    return;
  }
  ModelloGriglia& griglia = Grid1->Modello();
  griglia.Pulisci();
  griglia.ScriviGiorni();
  ImpostaInTraccia(true);
  PassoEventi passo;
  const RisultatoTraccia r =
      AnalisiTrackmese2(db, periodo, AttivitaMese, [&](const SlotAttivita& s) {
        Disegna_Attivita_5m(1, int16_t(s.giorno), int16_t(s.ora), int16_t(s.quarto));
        passo.Forse();
      });
  db.Chiudi();
  ImpostaInTraccia(false);
  meseMostrato_ = periodo;
  switch (r.esito) {
    case EsitoTraccia::Completa:
      break;
    case EsitoTraccia::Vuota:
      MostraMessaggio(
          TestoLingua(4030,
                      QStringLiteral("Non ci sono dati disponibili per il perido selezionato")),
          Icona::Nessuna, kAvviso, this);
      break;
    case EsitoTraccia::ErroreDatabase:
      // The cells painted before the failure would show a quieter month.
      meseMostrato_.reset();
      griglia.Pulisci();
      griglia.ScriviGiorni();
      MostraMessaggio(kErroreDatabase + r.errore, Icona::Critica, TitoloApplicazione, this);
      break;
  }
}

void QvAnalisiUtilizzo2::Disegna_Attivita_5m(int16_t tipo, int16_t giorno, int16_t ora,
                                             int16_t quarto) {
  QColor colore;
  switch (tipo) {
    case 0:
      colore = QColor(255, 255, 0);
      break;
    case 1:
      colore = QColor(0, 255, 0);
      break;
    case 2:
      colore = QColor(255, 0, 255);
      break;
    default:
      return;
  }
  Grid1->Modello().Colora(giorno, ora * 4 + quarto + 1, colore);
}

void QvAnalisiUtilizzo2::TestVideo() {
  const int16_t punti[][3] = {{1, 0, 0}, {2, 1, 0}, {3, 1, 1}, {4, 1, 2},
                              {5, 1, 3}, {6, 2, 0}, {3, 2, 0}};
  for (const auto& p : punti) Disegna_Attivita_5m(0, p[0], p[1], p[2]);
  for (int16_t d = 4; d <= 24; ++d) Disegna_Attivita_5m(0, d, int16_t(d - 1), 0);
  const int16_t fine[][3] = {{25, 0, 0}, {26, 2, 0},  {27, 4, 0}, {28, 6, 0},
                             {29, 8, 0}, {30, 10, 0}, {31, 23, 3}};
  for (const auto& p : fine) Disegna_Attivita_5m(0, p[0], p[1], p[2]);
}

void QvAnalisiUtilizzo2::Premuta(int riga, int colonna) {
  int anno = 0, mese = 0;
  if (!MeseScelto(anno, mese)) return;
  // A day the month does not have gives no instant: the press is ignored.
  const int ora = (colonna - 1) / 4, minuto = (colonna - 1) % 4 * 15;
  const std::optional<Istante> inizio = IstanteDa(anno, mese, riga, ora, minuto, 0);
  if (!inizio) return;
  InizioSelezione = *inizio;
  Label2->setText(TestoIstanteGriglia(Cmb_anno->currentText(), mese, riga, ora, minuto));
}

void QvAnalisiUtilizzo2::Trascinata(int riga, int colonna) {
  int anno = 0, mese = 0;
  if (!MeseScelto(anno, mese) || !DataValida(anno, mese, riga)) return;
  // The end of the quarter-hour under the mouse: 24:00 over the last column.
  Label4->setText(
      TestoIstanteGriglia(Cmb_anno->currentText(), mese, riga, colonna / 4, colonna % 4 * 15));
}

void QvAnalisiUtilizzo2::Rilasciata(int riga, int colonna) {
  int anno = 0, mese = 0;
  if (!MeseScelto(anno, mese)) return;
  int ora = colonna / 4, minuto = colonna % 4 * 15, secondo = 0;
  if (ora == 24) {
    ora = 23;
    minuto = secondo = 59;
  }
  const std::optional<Istante> fine = IstanteDa(anno, mese, riga, ora, minuto, secondo);
  if (!fine) return;
  FineSelezione = *fine;
  Label4->setText(TestoIstanteGriglia(Cmb_anno->currentText(), mese, riga, ora, minuto, secondo));
}

void QvAnalisiUtilizzo2::Statistiche() {
  if (inTraccia_) return;
  auto* consumi = qobject_cast<QvAnalisiConsumi*>(
      MostraFinestraUnica(QStringLiteral("QvAnalisiConsumi"), [] { return new QvAnalisiConsumi; }, this));
  if (!consumi || Cmb_Targa->currentIndex() < 0) return;
  const QString targa = Cmb_Targa->currentText();
  if (!DatabaseDellaTarga(targa)) return;
  consumi->MostraSelezione(targa, PercorsoDB, InizioSelezione, FineSelezione);
}

void QvAnalisiUtilizzo2::Stampa() {
  if (inTraccia_) return;
  // The month and texts as they stand now: the preview repaints from this copy.
  const TestiReportUtilizzo testi{TestoElenco(Cmb_Targa), TestoElenco(Cmb_mese),
                                  TestoElenco(Cmb_anno)};
  MostraAnteprima({NomeStampa(QStringLiteral("Utilizzo"), testi.targa, Adesso()),
                   [testi, attivita = AttivitaMese](QPrinter& stampante) {
                     return ReportUtilizzo(stampante, attivita, testi);
                   }},
                  this);
}

void QvAnalisiUtilizzo2::EsportaMese() {
  if (inTraccia_) return;
  if (!meseMostrato_) {
    MostraMessaggio(TestoLingua(4045, QStringLiteral("Tracciare prima il mese da esportare")),
                    Icona::Esclamazione, kAvviso, this);
    return;
  }
  const QString percorso = ChiediFileEsportazione(
      QStringLiteral("Utilizzo_%1_%2")
          .arg(TestoElenco(Cmb_Targa), InDateTime(meseMostrato_->InizioMese).toString(QStringLiteral("yyyy-MM"))),
      FormatoEsportazione::Csv, this);
  if (percorso.isEmpty()) return;
  const TabellaEsportata tabella =
      TabellaAttivita(AttivitaMese, *meseMostrato_, TestoLingua(4043, QStringLiteral("Giorno")),
                      TestoLingua(4044, QStringLiteral("Ore")));
  if (const Esito e = ScriviCsv(tabella, percorso, FormaCsv::Utente()); !e)
    MostraErroreEsportazione(percorso, e.messaggio, this);
}

void QvAnalisiUtilizzo2::ImpostaInTraccia(bool si) {
  inTraccia_ = si;
  for (QWidget* w : std::initializer_list<QWidget*>{Cmb_Targa, Cmb_AnnoDB, Cmb_mese, Cmb_anno, Cmd_TrackMese,
                                                    Cmd_Statistics, Cmd_Print, Cmd_EsportaCsv, Cmd_Close,
                                                    Command1, Command3})
    w->setEnabled(!si);
  Mnu_File->setEnabled(!si);
}

void QvAnalisiUtilizzo2::closeEvent(QCloseEvent* evento) {
  // The scan holds the database open: let it end.
  if (inTraccia_) {
    evento->ignore();
    return;
  }
  evento->accept();
}

}  // namespace quarvel
