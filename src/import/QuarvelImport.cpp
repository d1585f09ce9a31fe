#include "QuarvelImport.h"

#include "CartellaProgramma.h"
#include "Conversioni.h"
#include "FileDati.h"
#include "ImportaLog.h"
#include "Immagini.h"
#include "Impostazioni.h"
#include "Lingua.h"
#include "ListaTarghe.h"
#include "Messaggi.h"
#include "Nomina.h"
#include "Targa.h"
#include "Volumi.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace quarvel {

namespace {
const QString kNessunMezzo = QStringLiteral("- - -");
const QString kAvviso = QStringLiteral("Avviso");

QLabel* Etichetta(const char* nome, const QString& testo, int tag) {
  return Nomina(nome, tag, new QLabel(testo));
}

// Shows the progress of an import in the window's bars and list.
class OsservatoreFinestra : public OsservatoreImport {
 public:
  OsservatoreFinestra(QProgressBar* file, QProgressBar* righe, QListWidget* lista, QLabel* orario)
      : file_(file), righe_(righe), lista_(lista), orario_(orario) {}
  void Inizio(int massimo) override {
    file_->setRange(0, massimo);
    file_->setValue(0);
    righe_->setRange(0, 100);
    file_->show();
    righe_->show();
  }
  void File(int valore) override { file_->setValue(valore); }
  void Attivita(int valore) override { righe_->setValue(valore); }
  void VoceFile(const QString& voce) override { lista_->addItem(voce); }
  void Orario() override {
    orario_->setText(QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
  }
  void Fine() override {
    file_->hide();
    righe_->hide();
  }

 private:
  QProgressBar* file_;
  QProgressBar* righe_;
  QListWidget* lista_;
  QLabel* orario_;
};
}  // namespace

QuarvelImport::QuarvelImport(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("QuarvelImport"));
  setWindowTitle(QStringLiteral("Quarvel - Import"));
  setProperty("Tag", 2000);
  Costruisci();
  ApplicaLingua(this, NomeFileLingua());
  CaricaImmaginiPulsanti({{Cmd_Close, QStringLiteral("Close")}, {Cmd_Import, QStringLiteral("Import")}},
                         this);

  // The plates of the registry follow the design-time "- - -".
  if (const Esito targhe = CollegaListaTarghe(Cmb_Targa); !targhe)
    MostraMessaggio(targhe.messaggio, Icona::Esclamazione, kAvviso, this);

  CaricaUnita();
  connect(Drive1, &QComboBox::currentIndexChanged, this, &QuarvelImport::UnitaCambiata);
  connect(Dir->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& indice) {
            if (indice.isValid()) ImpostaCartella(cartelle_->filePath(indice));
          });
  connect(Cmd_Import, &QPushButton::clicked, this, &QuarvelImport::Importa);
  connect(cmd_md, &QPushButton::clicked, this, &QuarvelImport::CreaCartellaAnno);
  connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
}

void QuarvelImport::Costruisci() {
  Label3 = Etichetta("Label3", QStringLiteral("1 - Selezione chiave"), 2010);
  Drive1 = Nomina("Drive1", 0, new QComboBox);
  cartelle_ = new QFileSystemModel(this);
  cartelle_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  Dir = Nomina("Dir", 0, new QTreeView);
  Dir->setModel(cartelle_);
  for (int colonna = 1; colonna < cartelle_->columnCount(); ++colonna) Dir->hideColumn(colonna);
  Dir->header()->hide();
  File = Nomina("File", 0, new QListWidget);
  File->setSelectionMode(QAbstractItemView::NoSelection);

  Label1 = Etichetta("Label1", QStringLiteral("2 - Selezione mezzo"), 2011);
  Cmb_Targa = Nomina("Cmb_Targa", 0, new QComboBox);
  Cmb_Targa->addItem(kNessunMezzo);
  Label4 = Etichetta("Label4", QStringLiteral("3 - Avviare Importazione"), 2012);
  Cmd_Import = Nomina("Cmd_Import", 0, new QPushButton);
  cmd_md = Nomina("cmd_md", 2019, new QPushButton(QStringLiteral("Crea cartella anno")));
  Cmd_importriga = Nomina("Cmd_importriga", 0, new QPushButton(QStringLiteral("Import_Riga")));
  Cmd_TryMovement = Nomina("Cmd_TryMovement", 0, new QPushButton(QStringLiteral("Try movement")));
  // Kept for the form's sake; they do nothing, so the user never sees them.
  Cmd_importriga->hide();
  Cmd_TryMovement->hide();

  Label2 = Etichetta("Label2", QStringLiteral("Lista  File presenti"), 2013);
  Lst_File = Nomina("Lst_File", 0, new QListWidget);
  FrmReport = Nomina("FrmReport", 2014, new QGroupBox(QStringLiteral("Report")));
  Lbl_Nfile = Etichetta("Lbl_Nfile", QStringLiteral(" File importati"), 2015);
  Lbl_NViaggi = Etichetta("Lbl_NViaggi", QStringLiteral(" Viaggi identificato;"), 2016);
  Lbl_TempoImportato =
      Etichetta("Lbl_TempoImportato", QStringLiteral("Tempo registrazioni  importato"), 2017);
  Lbl_Errstr = Etichetta("Lbl_Errstr", QStringLiteral("Errori in elaborazione stringhe"), 2018);
  Lbl_Interruzione = Nomina("Lbl_Interruzione", 0, new QLabel);
  Lbl_Interruzione->setWordWrap(true);
  Lbl_Interruzione->setStyleSheet(QStringLiteral("color: #b00000"));
  Lbl_Interruzione->hide();
  auto* report = new QVBoxLayout(FrmReport);
  for (QLabel* l : {Lbl_Nfile, Lbl_NViaggi, Lbl_TempoImportato, Lbl_Errstr}) report->addWidget(l);
  Prb_Import = Nomina("Prb_Import", 0, new QProgressBar);
  Prb_running = Nomina("Prb_running", 0, new QProgressBar);
  Prb_running->setTextVisible(false);
  Prb_Import->hide();
  Prb_running->hide();
  Cmd_Close = Nomina("Cmd_Close", 0, new QPushButton);
  Lbl_Orario = Nomina("Lbl_Orario", 0, new QLabel);

  auto* griglia = new QGridLayout(this);
  auto* sinistra = new QVBoxLayout;
  sinistra->addWidget(Label3);
  sinistra->addWidget(Drive1);
  sinistra->addWidget(Dir, 2);
  sinistra->addWidget(File, 1);
  auto* centro = new QVBoxLayout;
  centro->addWidget(Label1);
  centro->addWidget(Cmb_Targa);
  centro->addSpacing(16);
  centro->addWidget(Label4);
  centro->addWidget(Cmd_Import, 0, Qt::AlignLeft);
  centro->addStretch();
  centro->addWidget(cmd_md, 0, Qt::AlignLeft);
  centro->addWidget(Cmd_importriga);
  centro->addWidget(Cmd_TryMovement);
  auto* destra = new QVBoxLayout;
  destra->addWidget(Label2);
  destra->addWidget(Lst_File, 1);
  destra->addWidget(FrmReport);
  destra->addWidget(Lbl_Interruzione);
  destra->addWidget(Prb_Import);
  destra->addWidget(Prb_running);
  destra->addWidget(Lbl_Orario);
  destra->addWidget(Cmd_Close, 0, Qt::AlignRight);
  griglia->addLayout(sinistra, 0, 0);
  griglia->addLayout(centro, 0, 1);
  griglia->addLayout(destra, 0, 2);
  griglia->setColumnStretch(0, 3);
  griglia->setColumnStretch(2, 4);
  resize(900, 520);
}

void QuarvelImport::CaricaUnita() {
  const QSignalBlocker blocco(Drive1);
  for (const VoceVolume& v : OrdinaVolumi(VolumiMontati(), QDir::homePath()))
    Drive1->addItem(v.testo, v.percorso);
  Drive1->setCurrentIndex(0);
  unitaPrecedente_ = 0;
  ImpostaCartella(Drive1->currentData().toString());
}

void QuarvelImport::UnitaCambiata(int indice) {
  const QString radice = Drive1->itemData(indice).toString();
  // A drive without its medium: try again or go back to the folder's drive.
  while (!QDir(radice).isReadable()) {
    const Risposta r = MostraMessaggio(
        Messaggio{QStringLiteral("Error: 68: Dispositivo non disponibile (%1)").arg(radice),
                  Icona::Esclamazione, Pulsanti::OkAnnulla, TitoloApplicazione},
        this);
    if (r == Risposta::Annulla) {
      const QSignalBlocker blocco(Drive1);
      Drive1->setCurrentIndex(unitaPrecedente_);
      return;
    }
  }
  unitaPrecedente_ = indice;
  ImpostaCartella(radice);
}

QString QuarvelImport::CartellaCorrente() const { return cartellaCorrente_; }

void QuarvelImport::ImpostaCartella(const QString& cartella) {
  cartellaCorrente_ = QDir::cleanPath(cartella);
  // The drive holding the folder: the longest root that contains it.
  int unita = -1;
  qsizetype lunghezza = -1;
  for (int i = 0; i < Drive1->count(); ++i) {
    const QString radice = Drive1->itemData(i).toString();
    const bool contiene = cartellaCorrente_ == radice ||
                          cartellaCorrente_.startsWith(radice.endsWith('/') ? radice : radice + '/');
    if (contiene && radice.size() > lunghezza) {
      unita = i;
      lunghezza = radice.size();
    }
  }
  const QString radice = unita >= 0 ? Drive1->itemData(unita).toString() : QStringLiteral("/");
  if (unita >= 0 && unita != Drive1->currentIndex()) {
    const QSignalBlocker blocco(Drive1);
    Drive1->setCurrentIndex(unita);
    unitaPrecedente_ = unita;
  }
  if (cartelle_->rootPath() != radice) {
    cartelle_->setRootPath(radice);
    Dir->setRootIndex(cartelle_->index(radice));
  }
  const QModelIndex indice = cartelle_->index(cartellaCorrente_);
  if (indice.isValid() && Dir->currentIndex() != indice) {
    const QSignalBlocker blocco(Dir->selectionModel());
    Dir->setCurrentIndex(indice);
    Dir->scrollTo(indice);
  }
  AggiornaFile();
}

void QuarvelImport::AggiornaFile() {
  File->clear();
  File->addItems(FileDellaCartella(CartellaCorrente()));
}

void QuarvelImport::AbilitaComandi(bool abilita) {
  for (QWidget* w : std::initializer_list<QWidget*>{Cmd_Import, Cmd_Close, cmd_md, Drive1, Dir,
                                                   Cmb_Targa})
    w->setEnabled(abilita);
}

void QuarvelImport::Importa() {
  if (inCorso_) return;
  if (Cmb_Targa->currentText() == kNessunMezzo) {
    MostraMessaggio(LeggiTestoLingua(2004, NomeFileLingua()), Icona::Critica, kAvviso, this);
    return;
  }
  RichiestaImport richiesta;
  richiesta.targa = Cmb_Targa->currentText();
  richiesta.cartellaSorgente = CartellaCorrente();
  for (int i = 0; i < File->count(); ++i) richiesta.file << File->item(i)->text();
  richiesta.oggi = QDate::currentDate();
  richiesta.tipoDB = Imp().TipoDB;

  inCorso_ = true;
  AbilitaComandi(false);
  OsservatoreFinestra osservatore(Prb_Import, Prb_running, Lst_File, Lbl_Orario);
  const RisultatoImport esito = EseguiImport(richiesta, &osservatore);
  inCorso_ = false;
  AbilitaComandi(true);
  AggiornaFile();  // the moved files are gone from the medium
  if (!esito.Eseguita()) return;
  Lbl_Nfile->setText(esito.didascaliaFile);
  Lbl_NViaggi->setText(esito.didascaliaViaggi);
  Lbl_TempoImportato->setText(esito.didascaliaTempo);
  Lbl_Errstr->setText(esito.didascaliaErrori);
  // A stopped import says so under its counts.
  Lbl_Interruzione->setText(esito.interruzione);
  Lbl_Interruzione->setVisible(!esito.interruzione.isEmpty());
}

void QuarvelImport::CreaCartellaAnno() {
  const QString targa = Cmb_Targa->currentText();
  if (targa == QLatin1String("Selezionare") || targa == kNessunMezzo || targa.isEmpty()) {
    MostraMessaggio(QStringLiteral("Attenzione, selezionare un mezzo"), Icona::Nessuna, kAvviso,
                    this);
    return;
  }
  if (const QString errore = ControllaTarga(targa); !errore.isEmpty()) {
    MostraMessaggio(errore, Icona::Critica, kAvviso, this);
    return;
  }
  const QString cartella = PercorsoDati(
      QStringLiteral("DATA/") + NomeDatabaseVeicolo(targa, QString::number(QDate::currentDate().year())));
  if (!EsisteCartella(cartella) && !QDir().mkpath(cartella))
    MostraMessaggio(QStringLiteral("Impossibile creare la cartella ") + cartella, Icona::Critica,
                    kAvviso, this);
}

void QuarvelImport::closeEvent(QCloseEvent* evento) {
  // Closing in the middle would leave the import without its window.
  if (inCorso_) {
    evento->ignore();
    return;
  }
  QWidget::closeEvent(evento);
}

}  // namespace quarvel
