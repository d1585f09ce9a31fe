#include "QvAnagrafica.h"

#include "CampiAnagrafica.h"
#include "CartellaProgramma.h"
#include "Conversioni.h"
#include "DatabaseVeicolo.h"
#include "Immagini.h"
#include "Impostazioni.h"
#include "Lingua.h"
#include "ListaTarghe.h"
#include "Nomina.h"
#include "Targa.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace quarvel {

namespace {
const QString TitoloAvviso = QStringLiteral("Avviso");

// Characters a plate cannot hold: it names the files of its vehicle databases.

// A language text with its value.
QString Componi(long long numero, const QString& riserva, const QString& valore) {
  return ConValore(TestoLingua(numero, riserva), valore);
}

// The caption of a box without its closing colon, to name it in a message.
QString NomeCampo(const QLabel* etichetta) {
  QString nome = etichetta->text().trimmed();
  if (nome.endsWith(QLatin1Char(':'))) nome.chop(1);
  return nome;
}

// A box read with leggi; when its text will not do, a message names the box
// and the box gets the focus with its text selected, ready to be typed over.
template <typename Lettore>
auto LeggiCasella(QLineEdit* casella, const QLabel* etichetta, Lettore leggi, long long numero,
                  const QString& riserva) {
  const auto valore = leggi(casella->text());
  if (!valore) {
    casella->setFocus();
    casella->selectAll();
    MostraMessaggio(Componi(numero, riserva, NomeCampo(etichetta)), Icona::Critica, TitoloAvviso,
                    casella->window());
  }
  return valore;
}

QLabel* Etichetta(const char* nome, const QString& testo, int tag, QWidget* padre) {
  return Nomina(nome, tag, new QLabel(testo, padre));
}

QLineEdit* Casella(const char* nome, int larghezza, QLabel* etichetta, QWidget* padre) {
  auto* c = Nomina(nome, 0, new QLineEdit(padre));
  c->setMinimumWidth(larghezza);
  etichetta->setBuddy(c);
  return c;
}

// The table's columns: caption and language number.
const std::pair<const char*, int> kColonne[] = {
    {"Targa", 3030},   {"Marca - Modello", 3031}, {"Capacità [l]", 3032},
    {"Altezza [mm]", 3033}, {"K gasolio", 3034},   {"K sensore", 3035}};
constexpr int kRigheVisibili = 6;
// A message names at most this many of a vehicle's files and folders.
constexpr int kDatiNominati = 12;

bool StessaTarga(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
}  // namespace

QvAnagrafica::QvAnagrafica(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("QvAnagrafica"));
  setWindowTitle(QStringLiteral("Quarvel - Anagrafica"));
  setProperty("Tag", 3000);
  Costruisci();
  ApplicaLingua(this, NomeFileLingua());
  CaricaImmaginiPulsanti({{Cmd_Close, QStringLiteral("Close")},
                          {Cmd_Aggiorna, QStringLiteral("update")},
                          {Cmd_Inserisci, QStringLiteral("Insert")},
                          {Cmd_Elimina, QStringLiteral("Delete")}},
                         this);
  CaricaElenco();

  connect(Cmd_menoLista, &QPushButton::clicked, this, &QvAnagrafica::Precedente);
  connect(Cmd_piuLista, &QPushButton::clicked, this, &QvAnagrafica::Successivo);
  connect(Cmd_Aggiorna, &QPushButton::clicked, this, &QvAnagrafica::Aggiorna);
  connect(Cmd_Inserisci, &QPushButton::clicked, this, &QvAnagrafica::Inserisci);
  connect(Cmd_Elimina, &QPushButton::clicked, this, &QvAnagrafica::Elimina);
  connect(Tbl_Mezzi, &QTableWidget::currentCellChanged, this,
          [this](int riga) { RigaScelta(riga); });
  connect(Cmd_calcolaK, &QPushButton::clicked, this, &QvAnagrafica::CalcolaK);
  connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
}

void QvAnagrafica::Costruisci() {
  Lbl_Targa = Etichetta("Lbl_Targa", QStringLiteral("Targa:"), 3001, this);
  Txt_Targa = Casella("Txt_Targa", 130, Lbl_Targa, this);
  Lbl_MarcaModello = Etichetta("Lbl_MarcaModello", QStringLiteral("Marca - Modello"), 3002, this);
  Txt_MarcaModello = Casella("Txt_MarcaModello", 300, Lbl_MarcaModello, this);
  Lbl_Capacita = Etichetta("Lbl_Capacita", QStringLiteral("Capacità Serbatoio [Litri]"), 3003, this);
  Txt_Capacita = Casella("Txt_Capacita", 130, Lbl_Capacita, this);
  Lbl_Altezza = Etichetta("Lbl_Altezza", QStringLiteral("Altezza Serbatoio [mm]"), 3004, this);
  Txt_Altezza = Casella("Txt_Altezza", 130, Lbl_Altezza, this);
  Lbl_KGasolio = Etichetta("Lbl_KGasolio", QStringLiteral("Coefficente Gasolio"), 3005, this);
  Txt_KGasolio = Casella("Txt_KGasolio", 130, Lbl_KGasolio, this);
  Lbl_Ksensore = Etichetta("Lbl_Ksensore", QStringLiteral("K-sensore"), 3006, this);
  Txt_Ksensore = Casella("Txt_Ksensore", 130, Lbl_Ksensore, this);
  Lbl_AltreInfo = Etichetta("Lbl_AltreInfo", QStringLiteral("Altre info"), 3007, this);
  Txt_AltreInfo = Casella("Txt_AltreInfo", 300, Lbl_AltreInfo, this);

  Cmd_menoLista = Nomina("Cmd_menoLista", 0, new QPushButton(QStringLiteral("-"), this));
  Cmd_piuLista = Nomina("Cmd_piuLista", 0, new QPushButton(QStringLiteral("+"), this));
  for (QPushButton* p : {Cmd_menoLista, Cmd_piuLista}) p->setFixedWidth(36);
  Cmd_calcolaK =
      Nomina("Cmd_calcolaK", 3008, new QPushButton(QStringLiteral("Calcola K sensore"), this));
  Cmd_Aggiorna = Nomina("Cmd_Aggiorna", 0, new QPushButton(this));
  Cmd_Inserisci = Nomina("Cmd_Inserisci", 0, new QPushButton(this));
  Cmd_Close = Nomina("Cmd_Close", 0, new QPushButton(this));
  Cmd_Elimina = Nomina("Cmd_Elimina", 0, new QPushButton(this));

  Tbl_Mezzi = Nomina("Tbl_Mezzi", 0, new QTableWidget(0, int(std::size(kColonne)), this));
  for (int c = 0; c < int(std::size(kColonne)); ++c) {
    auto* intestazione = new QTableWidgetItem(QString::fromUtf8(kColonne[c].first));
    intestazione->setData(RuoloTag, kColonne[c].second);
    Tbl_Mezzi->setHorizontalHeaderItem(c, intestazione);
  }
  Tbl_Mezzi->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Tbl_Mezzi->setSelectionBehavior(QAbstractItemView::SelectRows);
  Tbl_Mezzi->setSelectionMode(QAbstractItemView::SingleSelection);
  Tbl_Mezzi->verticalHeader()->hide();
  Tbl_Mezzi->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Tbl_Mezzi->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  Tbl_Mezzi->setFixedHeight(Tbl_Mezzi->horizontalHeader()->sizeHint().height() +
                            kRigheVisibili * Tbl_Mezzi->verticalHeader()->defaultSectionSize() +
                            2 * Tbl_Mezzi->frameWidth());

  auto* scorri = new QHBoxLayout;
  scorri->setSpacing(4);
  scorri->addWidget(Cmd_menoLista);
  scorri->addWidget(Cmd_piuLista);
  scorri->addStretch();

  auto* campi = new QGridLayout;
  campi->setHorizontalSpacing(12);
  campi->setVerticalSpacing(8);
  const std::pair<QLabel*, QLineEdit*> righe[] = {
      {Lbl_Targa, Txt_Targa},       {Lbl_MarcaModello, Txt_MarcaModello},
      {Lbl_Capacita, Txt_Capacita}, {Lbl_Altezza, Txt_Altezza},
      {Lbl_KGasolio, Txt_KGasolio}, {Lbl_Ksensore, Txt_Ksensore},
      {Lbl_AltreInfo, Txt_AltreInfo}};
  int riga = 0;
  for (const auto& [etichetta, casella] : righe) {
    campi->addWidget(etichetta, riga, 0);
    // The model and the notes take the whole width, the rest a short box.
    if (casella == Txt_MarcaModello || casella == Txt_AltreInfo)
      campi->addWidget(casella, riga, 1, 1, 2);
    else
      campi->addWidget(casella, riga, 1);
    ++riga;
  }
  campi->addLayout(scorri, 0, 2);
  campi->addWidget(Cmd_calcolaK, 5, 2, Qt::AlignLeft);
  campi->setColumnStretch(2, 1);

  auto* comandi = new QHBoxLayout;
  comandi->setSpacing(12);
  comandi->addWidget(Cmd_Aggiorna);
  comandi->addWidget(Cmd_Inserisci);
  comandi->addWidget(Cmd_Elimina);
  comandi->addStretch();
  comandi->addWidget(Cmd_Close);

  auto* colonna = new QVBoxLayout(this);
  colonna->setContentsMargins(14, 14, 14, 14);
  colonna->setSpacing(18);
  colonna->addWidget(Tbl_Mezzi);
  colonna->addLayout(campi);
  colonna->addLayout(comandi);
  colonna->setSizeConstraint(QLayout::SetFixedSize);
}

void QvAnagrafica::CaricaElenco() {
  if (const Esito aperto = ApriAnagrafica(Imp().PercorsoAnagrafica); !aperto) {
    Avviso(aperto.messaggio, Icona::Critica);
    return;
  }
  const std::vector<VeicoloAnagrafica>& veicoli = RecordsetAnagrafica().Veicoli();
  const std::size_t totale = veicoli.size();
  elenco_.assign(veicoli.begin(),
                 veicoli.begin() + std::ptrdiff_t(std::min<std::size_t>(totale, kMezziInElenco)));
  tutti_ = veicoli;
  fuoriScala_ = RecordsetAnagrafica().FuoriScala();
  ChiudiAnagrafica();
  RiempiTabella();
  if (!elenco_.empty()) Mostra(0);
  SegnalaFuoriScala();
  if (totale > kMezziInElenco)
    Avviso(Componi(3018, QStringLiteral("L'anagrafica contiene %1 mezzi: i pulsanti - e + "
                                        "scorrono i primi 16, gli altri si scelgono nell'elenco."),
                   QString::number(totale)),
           Icona::Informazione);
}

bool QvAnagrafica::LeggiTabella() {
  if (const Esito aperto = ApriAnagrafica(Imp().PercorsoAnagrafica); !aperto) {
    Avviso(aperto.messaggio, Icona::Critica);
    return false;
  }
  tutti_ = RecordsetAnagrafica().Veicoli();
  fuoriScala_ = RecordsetAnagrafica().FuoriScala();
  ChiudiAnagrafica();
  RiempiTabella();
  return true;
}

void QvAnagrafica::RiempiTabella() {
  const QSignalBlocker blocco(Tbl_Mezzi);
  Tbl_Mezzi->setRowCount(int(tutti_.size()));
  for (int r = 0; r < int(tutti_.size()); ++r) {
    const VeicoloAnagrafica& v = tutti_[std::size_t(r)];
    const QString celle[] = {
        v.Targa,
        v.MarcaModello,
        QString::number(ValoreRegistrato(v, QStringLiteral("Capacita"), v.Capacita)),
        QString::number(ValoreRegistrato(v, QStringLiteral("Altezza"), v.Altezza)),
        TestoFattore(v.KGasolio).trimmed(),
        TestoFattore(v.KSensore).trimmed()};
    for (int c = 0; c < int(std::size(celle)); ++c) {
      auto* cella = new QTableWidgetItem(celle[c]);
      if (c >= 2) cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Tbl_Mezzi->setItem(r, c, cella);
    }
  }
  SelezionaRiga(Txt_Targa->text().trimmed());
}

void QvAnagrafica::SelezionaRiga(const QString& targa) {
  const QSignalBlocker blocco(Tbl_Mezzi);
  for (int r = 0; r < int(tutti_.size()); ++r)
    if (StessaTarga(tutti_[std::size_t(r)].Targa, targa)) return Tbl_Mezzi->setCurrentCell(r, 0);
  Tbl_Mezzi->setCurrentCell(-1, -1);
}

void QvAnagrafica::RigaScelta(int riga) {
  if (riga < 0 || riga >= int(tutti_.size())) return;
  const VeicoloAnagrafica& v = tutti_[std::size_t(riga)];
  // "-" and "+" go on from the chosen vehicle when their list holds it.
  for (std::size_t i = 0; i < elenco_.size(); ++i)
    if (elenco_[i].Targa == v.Targa) corrente_ = int16_t(i);
  MostraVeicolo(v);
}

void QvAnagrafica::Mostra(int16_t indice) {
  corrente_ = indice;
  MostraVeicolo(elenco_[std::size_t(indice)]);
  SelezionaRiga(elenco_[std::size_t(indice)].Targa);
}

void QvAnagrafica::MostraVeicolo(const VeicoloAnagrafica& v) {
  Txt_Targa->setText(v.Targa);
  Txt_MarcaModello->setText(v.MarcaModello);
  Txt_Capacita->setText(TestoConSegno(ValoreRegistrato(v, QStringLiteral("Capacita"), v.Capacita)));
  Txt_Altezza->setText(TestoConSegno(ValoreRegistrato(v, QStringLiteral("Altezza"), v.Altezza)));
  Txt_KGasolio->setText(TestoFattore(v.KGasolio));
  Txt_Ksensore->setText(TestoFattore(v.KSensore));
  Txt_AltreInfo->setText(v.AltreInfo);
}

long long QvAnagrafica::ValoreRegistrato(const VeicoloAnagrafica& v, const QString& colonna,
                                         int16_t valore) const {
  for (const MisuraFuoriScala& f : fuoriScala_)
    if (f.targa == v.Targa && f.colonna == colonna) return f.valore;
  return valore;
}

void QvAnagrafica::SegnalaFuoriScala() {
  if (fuoriScala_.empty()) return;
  QStringList righe;
  for (const MisuraFuoriScala& f : fuoriScala_)
    righe << QStringLiteral("%1 - %2: %3")
                 .arg(f.targa,
                      NomeCampo(f.colonna == QLatin1String("Capacita") ? Lbl_Capacita : Lbl_Altezza))
                 .arg(f.valore);
  Avviso(Componi(3022,
                 QStringLiteral("Valori fuori scala in anagrafica (da -32768 a 32767), scritti da "
                                "un altro programma: %1. Le caselle li mostrano come sono: "
                                "correggerli e aggiornare il mezzo."),
                 righe.join(QStringLiteral("; "))),
         Icona::Esclamazione);
}

void QvAnagrafica::Precedente() {
  if (corrente_ > 0) Mostra(int16_t(corrente_ - 1));
}

void QvAnagrafica::Successivo() {
  if (corrente_ < int(elenco_.size()) - 1) Mostra(int16_t(corrente_ + 1));
}

void QvAnagrafica::Aggiorna() {
  auto veicolo = VeicoloMostrato();
  if (!veicolo) return;
  const Messaggio conferma{LeggiTestoLingua(3010, NomeFileLingua()), Icona::Domanda,
                           Pulsanti::OkAnnulla, QStringLiteral("Richiesta conferma")};
  if (MostraMessaggio(conferma, this) != Risposta::Ok) return;
  RiempiVuoti(*veicolo);
  Registra(*veicolo, false);
}

void QvAnagrafica::Inserisci() {
  auto veicolo = VeicoloMostrato();
  if (!veicolo) return;
  RiempiVuoti(*veicolo);
  Registra(*veicolo, true);
}

void QvAnagrafica::Elimina() {
  const QString targa = Txt_Targa->text().trimmed();
  const bool presente = std::any_of(tutti_.begin(), tutti_.end(),
                                    [&](const VeicoloAnagrafica& v) { return StessaTarga(v.Targa, targa); });
  if (!presente) {
    Txt_Targa->setFocus();
    return Avviso(targa.isEmpty() ? TestoLingua(3011, QStringLiteral("Inserire la targa del mezzo."))
                                  : Componi(3029, QStringLiteral("Nessun mezzo con targa %1 in anagrafica."), targa),
                  Icona::Esclamazione);
  }
  const Messaggio conferma{
      Componi(3025,
              QStringLiteral("Eliminare il mezzo %1 dall'anagrafica? I suoi database e le sue "
                             "cartelle di archivio restano dove sono."),
              targa),
      Icona::Domanda, Pulsanti::OkAnnulla, QStringLiteral("Richiesta conferma")};
  if (MostraMessaggio(conferma, this) != Risposta::Ok) return;

  if (const Esito aperto = ApriAnagrafica(Imp().PercorsoAnagrafica); !aperto)
    return Avviso(aperto.messaggio, Icona::Critica);
  const Esito esito = RecordsetAnagrafica().Posiziona(targa)
                          ? RecordsetAnagrafica().Elimina()
                          : Esito::Fallito(Componi(3029, QStringLiteral("Nessun mezzo con targa %1 in "
                                                                        "anagrafica."),
                                                   targa));
  ChiudiAnagrafica();
  if (!esito)
    return Avviso(esito.messaggio, esito.messaggio.startsWith(kErroreDatabase) ? Icona::Critica
                                                                               : Icona::Esclamazione);

  // Gone from the table, from "-" and "+" and from every plate list.
  if (LeggiTabella()) {
    elenco_.assign(tutti_.begin(),
                   tutti_.begin() + std::ptrdiff_t(std::min<std::size_t>(tutti_.size(), kMezziInElenco)));
    if (elenco_.empty()) {
      for (QLineEdit* c : findChildren<QLineEdit*>()) c->clear();
      corrente_ = 0;
    } else {
      Mostra(int16_t(std::min<int>(corrente_, int(elenco_.size()) - 1)));
    }
  }
  AggiornaListeTarghe();

  QString testo = Componi(3026, QStringLiteral("Mezzo %1 eliminato dall'anagrafica."), targa);
  const QStringList dati = DatiDelVeicolo(targa);
  if (!dati.isEmpty()) {
    testo += QLatin1Char('\n') +
             Componi(3027, QStringLiteral("I suoi dati restano nella cartella %1:"),
                     QDir::toNativeSeparators(PercorsoDati(QStringLiteral("DATA")))) +
             QLatin1Char('\n') + dati.mid(0, kDatiNominati).join(QLatin1Char('\n'));
    if (dati.size() > kDatiNominati)
      testo += QLatin1Char('\n') + Componi(3028, QStringLiteral("... e altri %1"),
                                            QString::number(dati.size() - kDatiNominati));
  }
  Avviso(testo, Icona::Informazione);
}

void QvAnagrafica::CalcolaK() {
  const auto capacita = Misura(Txt_Capacita, Lbl_Capacita);
  if (!capacita) return;
  const auto altezza = Misura(Txt_Altezza, Lbl_Altezza);
  if (!altezza) return;
  const auto kGasolio = Fattore(Txt_KGasolio, Lbl_KGasolio);
  if (!kGasolio) return;
  const RisultatoK r = CalcolaKSensore(*capacita, *altezza, *kGasolio);
  switch (r.problema) {
    case ProblemaK::AltezzaZero:
      Txt_Altezza->setFocus();
      return Avviso(TestoLingua(3016, QStringLiteral("Impossibile calcolare K sensore: l'altezza "
                                                     "del serbatoio è 0.")),
                    Icona::Esclamazione);
    case ProblemaK::FattoreZero:
      Txt_KGasolio->setFocus();
      return Avviso(TestoLingua(3017, QStringLiteral("Impossibile calcolare K sensore: il "
                                                     "coefficiente gasolio è 0.")),
                    Icona::Esclamazione);
    case ProblemaK::NonFinito:
      Txt_KGasolio->setFocus();
      return Avviso(TestoLingua(3021, QStringLiteral("Impossibile calcolare K sensore: il "
                                                     "coefficiente gasolio è troppo piccolo.")),
                    Icona::Esclamazione);
    case ProblemaK::Nessuno:
      Txt_Ksensore->setText(TestoK(r.k));
      return;
  }
}

std::optional<VeicoloAnagrafica> QvAnagrafica::VeicoloMostrato() {
  VeicoloAnagrafica v;
  v.Targa = Txt_Targa->text().trimmed();
  if (!TargaValida(v.Targa)) return std::nullopt;
  v.MarcaModello = Txt_MarcaModello->text();
  v.AltreInfo = Txt_AltreInfo->text();
  const auto capacita = Misura(Txt_Capacita, Lbl_Capacita);
  const auto altezza = capacita ? Misura(Txt_Altezza, Lbl_Altezza) : std::nullopt;
  const auto kGasolio = altezza ? Fattore(Txt_KGasolio, Lbl_KGasolio) : std::nullopt;
  const auto kSensore = kGasolio ? Fattore(Txt_Ksensore, Lbl_Ksensore) : std::nullopt;
  if (!kSensore) return std::nullopt;
  v.Capacita = *capacita;
  v.Altezza = *altezza;
  v.KGasolio = *kGasolio;
  v.KSensore = *kSensore;
  return v;
}

std::optional<int16_t> QvAnagrafica::Misura(QLineEdit* casella, const QLabel* etichetta) {
  return LeggiCasella(casella, etichetta, LeggiMisura, 3015,
                      QStringLiteral("%1: valore fuori scala (da -32768 a 32767)."));
}

std::optional<double> QvAnagrafica::Fattore(QLineEdit* casella, const QLabel* etichetta) {
  return LeggiCasella(casella, etichetta, LeggiFattore, 3014,
                      QStringLiteral("%1: il valore non è un numero (esempio: 1.2)."));
}

bool QvAnagrafica::TargaValida(const QString& targa) {
  // The store's plate rule decides; the window only says it in the user's language.
  QString problema;
  if (targa.trimmed().isEmpty())
    problema = TestoLingua(3011, QStringLiteral("Inserire la targa del mezzo."));
  else if (!ControllaTarga(targa).isEmpty())
    problema = TestoLingua(3012, QStringLiteral("La targa non può contenere i caratteri "
                                                "\\ / : * ? \" < > |, caratteri di controllo o \"..\""));
  if (problema.isEmpty()) return true;
  Txt_Targa->setFocus();
  Avviso(problema, Icona::Esclamazione);
  return false;
}

void QvAnagrafica::RiempiVuoti(VeicoloAnagrafica& v) {
  for (auto [casella, testo] : {std::pair{Txt_MarcaModello, &v.MarcaModello},
                                std::pair{Txt_AltreInfo, &v.AltreInfo}}) {
    if (!testo->isEmpty()) continue;
    *testo = QStringLiteral(" ");
    casella->setText(*testo);
  }
}

void QvAnagrafica::Registra(const VeicoloAnagrafica& veicolo, bool nuovo) {
  if (const Esito aperto = ApriAnagrafica(Imp().PercorsoAnagrafica); !aperto)
    return Avviso(aperto.messaggio, Icona::Critica);
  Esito esito;
  if (nuovo)
    esito = InserisciAnagrafica(veicolo);
  else if (!RecordsetAnagrafica().Posiziona(veicolo.Targa))
    esito = Esito::Fallito(Componi(3013,
                                   QStringLiteral("Nessun mezzo con targa %1 in anagrafica: per "
                                                  "un mezzo nuovo usare Inserisci."),
                                   veicolo.Targa));
  else
    esito = AggiornaAnagrafica(veicolo);
  ChiudiAnagrafica();
  if (!esito)
    return Avviso(esito.messaggio, esito.messaggio.startsWith(kErroreDatabase) ? Icona::Critica
                                                                               : Icona::Esclamazione);
  LeggiTabella();
  AggiornaListeTarghe();
  if (nuovo)
    Avviso(Componi(3020, QStringLiteral("Mezzo %1 inserito in anagrafica."), veicolo.Targa),
           Icona::Informazione);
  else
    Avviso(Componi(3019, QStringLiteral("Dati del mezzo %1 aggiornati."), veicolo.Targa),
           Icona::Informazione);
}

void QvAnagrafica::Avviso(const QString& testo, Icona icona) {
  MostraMessaggio(testo, icona, TitoloAvviso, this);
}

}  // namespace quarvel
