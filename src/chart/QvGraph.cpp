#include "QvGraph.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "AttesaDatabase.h"
#include "DatabaseVeicolo.h"
#include "EsportaImmagine.h"
#include "Esportazioni.h"
#include "FiguraGrafico.h"
#include "FrecceSuGiu.h"
#include "Immagini.h"
#include "Impostazioni.h"
#include "Lingua.h"
#include "ListaAnni.h"
#include "ListaTarghe.h"
#include "Localizzazione.h"
#include "Messaggi.h"
#include "Nomina.h"
#include "PitturaGrafico.h"
#include "SuperficieGrafico.h"

namespace quarvel {

namespace {
constexpr int kIntervalloPlay = 250;  // ms

// The per-channel controls are named with the channel's suffix: Chk_C1...
template <typename T>
T* NominaCanale(const char* nome, int c, int tag, T* controllo) {
  controllo->setObjectName(QString::fromLatin1(nome) + QStringLiteral("_C") + QString::number(c + 1));
  if (tag) controllo->setProperty("Tag", tag);
  return controllo;
}

QString Rgb(const QColor& c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

QLineEdit* Lettura(const char* nome, QColor sfondo, QColor testo, QWidget* padre) {
  auto* l = Nomina(nome, 0, new QLineEdit(padre));
  l->setReadOnly(true);
  l->setFocusPolicy(Qt::NoFocus);
  l->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; }").arg(Rgb(sfondo), Rgb(testo)));
  return l;
}

QLabel* EtichettaTavola(const char* nome, const QRect& r, Qt::Alignment allineamento,
                        const QString& testo, QWidget* tavola) {
  auto* l = Nomina(nome, 0, new QLabel(testo, tavola));
  l->setGeometry(r);
  l->setFont(tavola::Carattere());
  l->setAlignment(allineamento);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, tavola::ColoreTesto(-1));
  l->setPalette(p);
  return l;
}

QPushButton* Piccolo(const char* nome, const QString& testo, QWidget* padre) {
  auto* b = Nomina(nome, 0, new QPushButton(testo, padre));
  b->setFixedWidth(26);
  b->setAutoDefault(false);
  return b;
}

// The hour or minute typed in "Vai a:": a whole number within 0..massimo.
std::optional<int> OraMinuto(const QString& testo, int massimo) {
  bool ok = false;
  const int v = testo.trimmed().toInt(&ok);
  if (!ok || v < 0 || v > massimo) return std::nullopt;
  return v;
}

// The frame captions and the design colours of the channels' unit labels.
struct Canale {
  const char* titolo;
  int tag;
  const char* unita;
  int tagUnita;
  QColor sfondoLettura, testoLettura;
};
const Canale kCanaliFinestra[kCanali] = {
    {"Livello", 7003, "%", 7015, QColor(255, 255, 0), Qt::black},
    {"RPM Giri Motore", 7004, "Rpm", 7016, QColor(0, 0, 192), Qt::white},
    {"Velocità", 7005, "Km/h", 7017, QColor(0, 255, 0), Qt::black},
    {"Livello sensore", 7006, "Litri", 7013, QColor(255, 128, 0), Qt::black},
};
}  // namespace

QvGraph::QvGraph(QWidget* padre) : QWidget(padre), dati_(std::make_unique<DatiGrafico>()) {
  setObjectName(QStringLiteral("QvGraph"));
  setWindowTitle(QStringLiteral("Quarvel - Grafici"));
  setProperty("Tag", 7000);
  Costruisci();
  ApplicaLingua(this, NomeFileLingua());
  // The board's labels show values, not captions: written after the
  // language file, which gives a label without a number the text of 0.
  const EtichetteY iniziali;
  for (int i = 0; i < 5; ++i) etichetteY_[i]->setText(iniziali.testi[i]);
  Lblunit->setText(iniziali.unita);
  Cmb_Targa->setPlaceholderText(TestoLingua(7014, QStringLiteral("Selezionare")));
  CaricaImmaginiPulsanti({{Cmd_Play, QStringLiteral("Play")},
                          {Cmd_Stop, QStringLiteral("Stop")},
                          {Cmd_Close, QStringLiteral("Close")}},
                         this);
  // The opening view: 45 seconds a column, the channels' opening scales.
  Txtscalax->setText(TestoScalaX(vista_.ScalaX));
  for (int c = 0; c < kCanali; ++c) {
    Txt_ScalaY[c]->setText(TestoScala(vista_.scale[c]));
    Txt_OffsetY[c]->setText(TestoOffset(vista_.scale[c]));
    Chk_C[c]->setChecked(vista_.visibili[c]);
  }
  Cmd_Stop->setEnabled(false);
  CaricaTarghe();
}

QvGraph::~QvGraph() = default;

void QvGraph::Costruisci() {
  auto* sopra = new QHBoxLayout;
  auto* lblTarga = Nomina("Lbl_Targa", 7001, new QLabel(QStringLiteral("Mezzo da analizzare :"), this));
  Cmb_Targa = Nomina("Cmb_Targa", 0, new QComboBox(this));
  Cmb_Targa->setMinimumWidth(140);
  auto* lblAnno = Nomina("Lbl_AnnoDB", 7019, new QLabel(QStringLiteral("Anno:"), this));
  Cmb_AnnoDB = Nomina("Cmb_AnnoDB", 0, new QComboBox(this));
  lblAnno->setBuddy(Cmb_AnnoDB);
  auto* lblDB = Nomina("Lbl_NomeDBGraph", 7002, new QLabel(QStringLiteral("DataBase :"), this));
  Txt_NomeDBGraph = Nomina("Txt_NomeDBGraph", 0, new QLineEdit(this));
  Txt_NomeDBGraph->setReadOnly(true);
  lblTarga->setBuddy(Cmb_Targa);
  sopra->addWidget(lblTarga);
  sopra->addWidget(Cmb_Targa);
  sopra->addSpacing(12);
  sopra->addWidget(lblAnno);
  sopra->addWidget(Cmb_AnnoDB);
  sopra->addSpacing(20);
  sopra->addWidget(lblDB);
  sopra->addWidget(Txt_NomeDBGraph, 1);
  // Beside what it saves a picture of, where the bottom row has no room.
  Cmd_SalvaImmagine =
      Nomina("Cmd_SalvaImmagine", 7020, new QPushButton(QStringLiteral("Salva immagine..."), this));
  sopra->addSpacing(12);
  sopra->addWidget(Cmd_SalvaImmagine);

  auto* canali = new QVBoxLayout;
  canali->setSpacing(6);
  for (int c = 0; c < kCanali; ++c) canali->addWidget(CreaCanale(c));
  canali->addStretch();
  auto* centro = new QHBoxLayout;
  centro->setSpacing(12);
  centro->addWidget(CreaTavola(), 0, Qt::AlignTop);
  centro->addLayout(canali);

  auto* colonna = new QVBoxLayout(this);
  colonna->setContentsMargins(12, 10, 12, 12);
  colonna->setSpacing(10);
  colonna->addLayout(sopra);
  colonna->addLayout(centro);
  colonna->addWidget(CreaComandi());

  Tmr_Play = new QTimer(this);
  Tmr_Play->setObjectName(QStringLiteral("Tmr_Play"));
  Tmr_Play->setInterval(kIntervalloPlay);

  connect(Cmb_Targa, &QComboBox::activated, this, &QvGraph::TargaScelta);
  // Another year: the chosen vehicle's database of that year.
  connect(Cmb_AnnoDB, &QComboBox::activated, this, [this] {
    if (Cmb_Targa->currentIndex() >= 0) TargaScelta(Cmb_Targa->currentIndex());
  });
  connect(Cmd_SalvaImmagine, &QPushButton::clicked, this, &QvGraph::SalvaImmagine);
  connect(Img_CRT, &SuperficieGrafico::Premuto, this, &QvGraph::Premuto);
  connect(Img_CRT, &SuperficieGrafico::Trascinato, this, &QvGraph::Trascinato);
  connect(Tmr_Play, &QTimer::timeout, this, &QvGraph::Tmr_Play_Timer);
  connect(Cmd_Play, &QPushButton::clicked, this, [this] { Riproduzione(true); });
  connect(Cmd_Stop, &QPushButton::clicked, this, [this] { Riproduzione(false); });
  connect(Cmd_carica, &QPushButton::clicked, this, &QvGraph::Cmd_carica_Click);
  connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* QvGraph::CreaTavola() {
  // The picture with its labels, laid out as the painter lays out the board
  // of quarvel-batch's pictures.
  auto* t = new QWidget(this);
  tavola_ = t;
  t->setObjectName(QStringLiteral("Tavola"));
  t->setFixedSize(tavola::Dimensione());
  t->setAutoFillBackground(true);
  QPalette p = t->palette();
  p.setColor(QPalette::Window, tavola::Sfondo());
  t->setPalette(p);
  Img_CRT = Nomina("Img_CRT", 0, new SuperficieGrafico(t));
  Img_CRT->move(tavola::Immagine().topLeft());
  const char* nomiY[5] = {"LblYmin", "LblYminmed", "LblYmed", "LblYmedmax", "LblYMax"};
  const char* nomiX[5] = {"LblXmin", "LblXminmed", "LblXmed", "LblXmedmax", "LblXmax"};
  for (int i = 0; i < 5; ++i) {
    etichetteY_[i] = EtichettaTavola(nomiY[i], tavola::EtichettaY(i), Qt::AlignRight | Qt::AlignVCenter,
                                     {}, t);
    etichetteX_[i] =
        EtichettaTavola(nomiX[i], tavola::EtichettaX(i), Qt::AlignHCenter | Qt::AlignTop, {}, t);
  }
  Lblunit = EtichettaTavola("Lblunit", tavola::Unita(), Qt::AlignRight | Qt::AlignVCenter, {}, t);
  const QRect sopra(tavola::Immagine().left(), tavola::Unita().top(), tavola::Immagine().width(),
                    tavola::Unita().height());
  Lbl_Attesa = EtichettaTavola("Lbl_Attesa", sopra, Qt::AlignCenter, {}, t);
  QPalette giallo = Lbl_Attesa->palette();
  giallo.setColor(QPalette::WindowText, Qt::yellow);
  Lbl_Attesa->setPalette(giallo);
  return t;
}

QWidget* QvGraph::CreaCanale(int c) {
  const Canale& k = kCanaliFinestra[c];
  auto* f = NominaCanale("Frm", c, k.tag, new QGroupBox(QString::fromUtf8(k.titolo), this));
  Chk_C[c] = NominaCanale("Chk", c, 7007, new QCheckBox(QStringLiteral("Visualizza"), f));
  auto* unita = NominaCanale("Lblunit", c, k.tagUnita, new QLabel(QString::fromUtf8(k.unita), f));
  unita->setStyleSheet(QStringLiteral("QLabel { color: %1; background: black; padding: 1px 5px; "
                                      "font-weight: bold; }")
                           .arg(Rgb(ColoreCanale(c))));
  Txt_punt[c] = Lettura("", k.sfondoLettura, k.testoLettura, f);
  NominaCanale("Txt_punt", c, 0, Txt_punt[c]);
  Txt_punt[c]->setFixedWidth(70);
  Txt_punt[c]->setAlignment(Qt::AlignRight);

  auto* g = new QGridLayout(f);
  g->setContentsMargins(8, 4, 8, 6);
  g->setHorizontalSpacing(4);
  g->setVerticalSpacing(3);
  g->addWidget(Chk_C[c], 0, 0, 1, 2);
  g->addWidget(unita, 0, 2, Qt::AlignLeft);
  g->addWidget(Txt_punt[c], 0, 3, 1, 2, Qt::AlignRight);
  const auto riga = [&](int r, const char* nome, int tag, const char* testo, const char* campo,
                        const char* meno, const char* piu, std::array<QLineEdit*, kCanali>& caselle) {
    g->addWidget(NominaCanale(nome, c, tag, new QLabel(QString::fromUtf8(testo), f)), r, 0);
    auto* bMeno = NominaCanale(meno, c, 0, Piccolo("", QStringLiteral("-"), f));
    auto* bPiu = NominaCanale(piu, c, 0, Piccolo("", QStringLiteral("+"), f));
    caselle[c] = NominaCanale(campo, c, 0, new QLineEdit(f));
    caselle[c]->setReadOnly(true);  // the buttons set it
    caselle[c]->setAlignment(Qt::AlignRight);
    g->addWidget(bMeno, r, 1);
    g->addWidget(caselle[c], r, 2, 1, 2);
    g->addWidget(bPiu, r, 4);
    return std::pair{bMeno, bPiu};
  };
  const auto [menoScala, piuScala] =
      riga(1, "Lbl_Scala", 7008, "Scala", "Txt_ScalaY", "Cmdmeno_ScalaY", "Cmdpiu_ScalaY", Txt_ScalaY);
  const auto [menoOffset, piuOffset] = riga(2, "Lbl_Offset", 7009, "Offset", "Txt_OffsetY",
                                            "Cmdmeno_OffsetY", "Cmdpiu_OffsetY", Txt_OffsetY);
  g->setColumnStretch(2, 1);

  connect(Chk_C[c], &QCheckBox::clicked, this, [this, c] { Chk_Click(c); });
  connect(piuScala, &QPushButton::clicked, this, [this, c] { Scala(c, true); });
  connect(menoScala, &QPushButton::clicked, this, [this, c] { Scala(c, false); });
  connect(piuOffset, &QPushButton::clicked, this, [this, c] { Offset(c, +10); });
  connect(menoOffset, &QPushButton::clicked, this, [this, c] { Offset(c, -10); });
  return f;
}

QWidget* QvGraph::CreaComandi() {
  auto* w = new QWidget(this);
  auto* meno = Piccolo("Cmdmeno_x", QStringLiteral("-"), w);
  auto* piu = Piccolo("Cmdpiu_x", QStringLiteral("+"), w);
  Txtscalax = Nomina("Txtscalax", 0, new QLineEdit(w));
  Txtscalax->setReadOnly(true);
  Txtscalax->setFixedWidth(64);
  Txtscalax->setAlignment(Qt::AlignCenter);
  Cmd_Play = Nomina("Cmd_Play", 0, new QPushButton(QStringLiteral("Play"), w));
  Cmd_Stop = Nomina("Cmd_Stop", 0, new QPushButton(QStringLiteral("Stop"), w));

  auto* orario = Nomina("Frm_Orario", 7010, new QGroupBox(QStringLiteral("Orario"), w));
  Txt_punt_orario = Lettura("Txt_punt_orario", QColor(192, 192, 192), Qt::black, orario);
  Txt_punt_orario->setMinimumWidth(210);
  (new QHBoxLayout(orario))->addWidget(Txt_punt_orario);

  Cmd_Close = Nomina("Cmd_Close", 0, new QPushButton(QStringLiteral("Chiudi"), w));

  auto* h = new QHBoxLayout(w);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(6);
  h->addWidget(meno);
  h->addWidget(Txtscalax);
  h->addWidget(piu);
  h->addSpacing(12);
  h->addWidget(Cmd_Play);
  h->addWidget(Cmd_Stop);
  h->addSpacing(12);
  h->addWidget(orario);
  h->addWidget(CreaVaiA());
  h->addStretch();
  h->addWidget(Cmd_Close);

  connect(piu, &QPushButton::clicked, this, [this] { ScalaX(+1); });
  connect(meno, &QPushButton::clicked, this, [this] { ScalaX(-1); });
  return w;
}

QWidget* QvGraph::CreaVaiA() {
  auto* f = Nomina("Frm_VaiA", 7011, new QGroupBox(QStringLiteral("Vai a:"), this));
  DTP_DisplayStartDate = Nomina("DTP_DisplayStartDate", 0, new QDateEdit(QDate::currentDate(), f));
  DTP_DisplayStartDate->setCalendarPopup(true);
  DTP_DisplayStartDate->setDisplayFormat(FormatoDataBreve());
  const auto casella = [f](const char* nome) {
    auto* c = Nomina(nome, 0, new QLineEdit(QStringLiteral("00"), f));
    c->setFixedWidth(30);
    c->setAlignment(Qt::AlignRight);
    return c;
  };
  Txt_DisplayStartH = casella("Txt_DisplayStartH");
  Txt_DisplayStartMin = casella("Txt_DisplayStartMin");
  auto* frecceOra = Nomina("UpD_DisplayStartH", 0, new FrecceSuGiu(f));
  auto* frecceMinuto = Nomina("UpD_DisplayStartMin", 0, new FrecceSuGiu(f));
  Cmd_carica = Nomina("Cmd_carica", 7012, new QPushButton(QStringLiteral("Carica"), f));
  Cmd_carica->setAutoDefault(false);
  auto* daCaricare = Nomina("Txt_dacaricare", 0, new QLineEdit(QStringLiteral("0"), f));
  daCaricare->setFixedWidth(40);

  auto* h = new QHBoxLayout(f);
  h->setSpacing(4);
  h->addWidget(DTP_DisplayStartDate);
  h->addSpacing(6);
  h->addWidget(Txt_DisplayStartH);
  h->addWidget(frecceOra);
  h->addWidget(Nomina("Lbl_SeparaOra", 7018, new QLabel(QStringLiteral(":"), f)));
  h->addWidget(Txt_DisplayStartMin);
  h->addWidget(frecceMinuto);
  h->addSpacing(6);
  h->addWidget(Cmd_carica);
  h->addWidget(daCaricare);

  connect(frecceOra, &FrecceSuGiu::Avanti, this, [this] { PassoOrario(Txt_DisplayStartH, 1, 23); });
  connect(frecceOra, &FrecceSuGiu::Indietro, this, [this] { PassoOrario(Txt_DisplayStartH, -1, 23); });
  connect(frecceMinuto, &FrecceSuGiu::Avanti, this, [this] { PassoOrario(Txt_DisplayStartMin, 1, 59); });
  connect(frecceMinuto, &FrecceSuGiu::Indietro, this,
          [this] { PassoOrario(Txt_DisplayStartMin, -1, 59); });
  return f;
}

void QvGraph::CaricaTarghe() {
  const Esito esito = CollegaListaTarghe(Cmb_Targa);
  Cmb_Targa->setCurrentIndex(-1);  // "Selezionare" until the user chooses
  RiempiAnni(Cmb_AnnoDB, {});
  if (!esito) MostraMessaggio(esito.messaggio, Icona::Critica, TitoloApplicazione, this);
}

void QvGraph::TargaScelta(int indice) {
  const QString targa = Cmb_Targa->itemText(indice);
  RiempiAnni(Cmb_AnnoDB, targa);
  const QString anno = AnnoScelto(Cmb_AnnoDB);
  const QString percorso = TrovaDatabaseVeicolo(targa, anno);
  if (percorso.isEmpty()) {
    MostraMessaggio(
        TestoLingua(7050, QStringLiteral("Non esistono dati del mezzo targato %1 per l'anno %2"))
            .arg(targa, anno),
        Icona::Nessuna, TitoloApplicazione, this);
    return;
  }
  // The first record is never in the buffer after a choice: as it has always been.
  const AttesaDatabase attesa(Lbl_Attesa);
  if (const Esito e = Carica4hGrafico(*dati_, percorso, 1); !e) {
    MostraMessaggio(e.messaggio, Icona::Critica, TitoloApplicazione, this);
    return;
  }
  ultimoErrore_.clear();
  PercorsoDB = percorso;
  Txt_NomeDBGraph->setText(percorso);
  Disegna_Grafici_Selezionati();
}

void QvGraph::SalvaImmagine() {
  if (PercorsoDB.isEmpty()) {
    MostraMessaggio(TestoLingua(7051, QStringLiteral("Scegliere prima il mezzo da analizzare")),
                    Icona::Esclamazione, TitoloApplicazione, this);
    return;
  }
  const QString percorso = ChiediFileEsportazione(
      QStringLiteral("Grafico_%1_%2").arg(Cmb_Targa->currentText(), etichetteX_[0]->text()),
      FormatoEsportazione::Png, this);
  if (percorso.isEmpty()) return;
  if (const Esito e = SalvaPng(tavola_->grab().toImage(), percorso); !e)
    MostraErroreEsportazione(percorso, e.messaggio, this);
}

void QvGraph::Cmd_carica_Click() {
  if (PercorsoDB.isEmpty()) {
    MostraMessaggio(TestoLingua(7051, QStringLiteral("Scegliere prima il mezzo da analizzare")),
                    Icona::Esclamazione, TitoloApplicazione, this);
    return;
  }
  const std::optional<int> ora = OraMinuto(Txt_DisplayStartH->text(), 23);
  const std::optional<int> minuto = OraMinuto(Txt_DisplayStartMin->text(), 59);
  if (!ora || !minuto) {
    MostraMessaggio(!ora ? TestoLingua(7052, QStringLiteral("L'ora deve essere un numero da 0 a 23"))
                         : TestoLingua(7053, QStringLiteral("Il minuto deve essere un numero da 0 a 59")),
                    Icona::Critica, TitoloApplicazione, this);
    return;
  }
  const QDate data = DTP_DisplayStartDate->date();
  const AttesaDatabase attesa(Lbl_Attesa);
  const std::optional<Istante> istante = IstanteDa(data.year(), data.month(), data.day(), *ora, *minuto);
  const RicercaOrdinale p =
      istante ? OrdinaleDelMinuto(PercorsoDB, *istante) : RicercaOrdinale{};
  if (!p.esito) {
    MostraMessaggio(p.esito.messaggio, Icona::Critica, TitoloApplicazione, this);
    return;
  }
  if (!p.valore) {
    MostraMessaggio(TestoLingua(7054, QStringLiteral("Nessun campione alle %1 del %2"))
                        .arg(QString::asprintf("%02d:%02d:00", *ora, *minuto),
                             LocaleUtente().toString(data, FormatoDataBreve())),
                    Icona::Esclamazione, TitoloApplicazione, this);
    return;
  }
  if (const Esito e = Carica4hGrafico(*dati_, PercorsoDB, double(*p.valore)); !e) {
    MostraMessaggio(e.messaggio, Icona::Critica, TitoloApplicazione, this);
    return;
  }
  ultimoErrore_.clear();
  vista_.Blocco = BloccoDelSalto(*p.valore);
  Disegna_Grafici_Selezionati();
}

void QvGraph::MostraEvento(const QString& targa, const QString& percorso, Istante istante,
                           const EventiAnalizzati& eventi) {
  eventi_.Imposta(percorso, eventi);
  Cmb_Targa->setCurrentIndex(Cmb_Targa->findText(targa));
  PercorsoDB = percorso;
  Txt_NomeDBGraph->setText(percorso);
  const DataOra d = Scomponi(istante);
  DTP_DisplayStartDate->setDate(QDate(d.anno, d.mese, d.giorno));
  Txt_DisplayStartH->setText(QString::asprintf("%02d", d.ora));
  Txt_DisplayStartMin->setText(QString::asprintf("%02d", d.minuto));
  Cmd_carica_Click();
}

void QvGraph::Disegna_Grafici_Selezionati() {
  const FiguraGrafico f =
      CalcolaFigura(*dati_, vista_, PercorsoDB.isEmpty() ? std::vector<Istante>{}
                                                         : eventi_.Istanti(PercorsoDB, *dati_));
  for (int k = 0; k < 5; ++k) etichetteX_[k]->setText(TestoOrario(f.orari[k]));
  Img_CRT->Mostra(f);
  ScriviFileLog(QStringLiteral("Start redpen"), 1);
}

void QvGraph::LabelY(int c) {
  vista_.etichette = CalcolaEtichetteY(c, vista_.scale[c]);
  const QColor colore = tavola::ColoreTesto(c);
  for (QLabel* l : etichetteY_) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colore);
    l->setPalette(p);
  }
  QPalette p = Lblunit->palette();
  p.setColor(QPalette::WindowText, colore);
  Lblunit->setPalette(p);
  for (int i = 0; i < 5; ++i) etichetteY_[i]->setText(vista_.etichette.testi[i]);
  Lblunit->setText(vista_.etichette.unita);
  Disegna_Grafici_Selezionati();
}

void QvGraph::Chk_Click(int c) {
  vista_.visibili[c] = Chk_C[c]->isChecked();
  if (vista_.visibili[c]) LabelY(c);
  else Disegna_Grafici_Selezionati();
}

void QvGraph::Scala(int c, bool piu) {
  if (piu) PiuScala(vista_.scale[c]);
  else MenoScala(vista_.scale[c]);
  Txt_ScalaY[c]->setText(TestoScala(vista_.scale[c]));
  LabelY(c);
}

void QvGraph::Offset(int c, int passo) {
  SpostaOffset(vista_.scale[c], passo);
  Txt_OffsetY[c]->setText(TestoOffset(vista_.scale[c]));
  LabelY(c);
}

void QvGraph::ScalaX(int passo) {
  vista_.ScalaX = int16_t(std::clamp(vista_.ScalaX + passo, 1, kScalaXMassima));
  Txtscalax->setText(TestoScalaX(vista_.ScalaX));
  Disegna_Grafici_Selezionati();
}

void QvGraph::Riproduzione(bool attiva) {
  // Play only starts a stopped playback, Stop only ends a running one.
  if (StatoPlay == int16_t(attiva)) return;
  StatoPlay = int16_t(attiva);
  if (attiva) Tmr_Play->start();
  else Tmr_Play->stop();
  Cmd_Play->setEnabled(!attiva);
  Cmd_Stop->setEnabled(attiva);
}

void QvGraph::Tmr_Play_Timer() {
  if (const Esito e = Avanza(vista_, [this](double primo) { return CaricaPagina(primo); }); !e) {
    Riproduzione(false);  // a page that cannot be read ends the playback
    MostraErrore(e);
  }
  Disegna_Grafici_Selezionati();
}

void QvGraph::Premuto(double x) {
  Disegna_Grafici_Selezionati();
  const std::optional<int> k = VoceSottoIlMouse(vista_, x);
  vista_.UltimoX = int16_t(std::clamp(std::lrint(x), -32768L, 32767L));
  if (!k) return;
  Img_CRT->MostraCursore(vista_.UltimoX);
  const LetturaCursore l = LeggiCursore(*dati_, vista_, *k);
  for (int c = 0; c < kCanali; ++c)
    if (l.valori[c]) Txt_punt[c]->setText(*l.valori[c]);
  Txt_punt_orario->setText(l.orario);
}

void QvGraph::Trascinato(double x) {
  ScriviFileLog(QStringLiteral("Apertura routin"), 0);
  const Esito e = Trascina(vista_, dati_->CampioniCaricati, x,
                           [this](double primo) { return CaricaPagina(primo); });
  if (!e) MostraErrore(e);
  Disegna_Grafici_Selezionati();
}

Esito QvGraph::CaricaPagina(double primo) {
  if (PercorsoDB.isEmpty()) {
    dati_->CampioniCaricati = 0;  // no vehicle: no data past any page
    return {};
  }
  const AttesaDatabase attesa(Lbl_Attesa);
  const Esito e = Carica4hGrafico(*dati_, PercorsoDB, primo);
  if (e) ultimoErrore_.clear();
  return e;
}

void QvGraph::MostraErrore(const Esito& esito) {
  if (esito.messaggio == ultimoErrore_) return;
  ultimoErrore_ = esito.messaggio;
  MostraMessaggio(esito.messaggio, Icona::Critica, TitoloApplicazione, this);
}

void QvGraph::PassoOrario(QLineEdit* casella, int passo, int massimo) {
  const int valore = OraMinuto(casella->text(), massimo).value_or(0);
  casella->setText(QString::asprintf("%02d", PassoCircolare(int16_t(valore), passo, int16_t(massimo))));
}

void QvGraph::closeEvent(QCloseEvent* evento) {
  Tmr_Play->stop();
  evento->accept();
}

}  // namespace quarvel
