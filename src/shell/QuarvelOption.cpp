#include "QuarvelOption.h"

#include "CampoImpostazione.h"
#include "CartellaProgramma.h"
#include "Impostazioni.h"
#include "Lingua.h"
#include "LinguaProgramma.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quarvel {

namespace {
QRadioButton* Opzione(const char* nome, const QString& testo, int tag, QGroupBox* cornice) {
  auto* o = new QRadioButton(testo, cornice);
  o->setObjectName(QString::fromLatin1(nome));
  if (tag) o->setProperty("Tag", tag);
  cornice->layout()->addWidget(o);
  return o;
}

QGroupBox* Cornice(const char* nome, const QString& titolo, int tag, QWidget* padre) {
  auto* c = new QGroupBox(titolo, padre);
  c->setObjectName(QString::fromLatin1(nome));
  c->setProperty("Tag", tag);
  new QVBoxLayout(c);
  return c;
}
}  // namespace

QuarvelOption::QuarvelOption(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("QuarvelOption"));
  setWindowTitle(QStringLiteral("Quarvel Option"));
  setProperty("Tag", 1100);
  Costruisci();
  ApplicaLingua(this, NomeFileLingua());

  const Impostazioni& i = Imp();
  const QList<QRadioButton*> tipi{Opt_Access97, Opt_Access2000, Opt_Access2k2};
  if (i.TipoDB >= 0 && i.TipoDB < tipi.size()) tipi[i.TipoDB]->setChecked(true);
  const QList<QRadioButton*> lingue{Opt_ITA, Opt_ENG, Opt_ESP};
  if (i.Lingua >= 0 && i.Lingua < lingue.size()) lingue[i.Lingua]->setChecked(true);
  Txt_Capacita->setText(QString::number(i.CapacitaSerbatoio));

  for (int valore = 0; valore < tipi.size(); ++valore)
    connect(tipi[valore], &QRadioButton::toggled, this, [valore](bool scelto) {
      if (scelto) Imp().TipoDB = int16_t(valore);
    });
  // Toggled rather than clicked: arrow keys move the choice too.
  for (int valore = 0; valore < lingue.size(); ++valore)
    connect(lingue[valore], &QRadioButton::toggled, this, [valore](bool scelta) {
      if (scelta) Imp().Lingua = int16_t(valore);
    });
  connect(Txt_Capacita, &QLineEdit::textEdited, this, &QuarvelOption::CapacitaModificata);
  connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
}

void QuarvelOption::Costruisci() {
  Frm_TipoDB = Cornice("Frm_TipoDB", QStringLiteral("Tipo Database"), 1101, this);
  Opt_Access97 = Opzione("Opt_Access97", QStringLiteral("Access 97"), 0, Frm_TipoDB);
  Opt_Access2000 = Opzione("Opt_Access2000", QStringLiteral("Access 2000"), 0, Frm_TipoDB);
  Opt_Access2k2 = Opzione("Opt_Access2k2", QStringLiteral("Access 2002"), 0, Frm_TipoDB);

  Frm_language = Cornice("Frm_language", QStringLiteral("Lingua"), 1102, this);
  Opt_ITA = Opzione("Opt_ITA", QStringLiteral("Italian"), 1103, Frm_language);
  Opt_ENG = Opzione("Opt_ENG", QStringLiteral("English"), 1104, Frm_language);
  Opt_ESP = Opzione("Opt_ESP", QStringLiteral("Espanol"), 1105, Frm_language);

  Frm_ParamFisici = new QGroupBox(QStringLiteral("Parametri"), this);
  Frm_ParamFisici->setObjectName(QStringLiteral("Frm_ParamFisici"));
  Frm_ParamFisici->setProperty("Tag", 1106);
  Lbl_capacita = new QLabel(QStringLiteral("Capacità serbatoio [L]"), Frm_ParamFisici);
  Lbl_capacita->setObjectName(QStringLiteral("Lbl_capacita"));
  Lbl_capacita->setProperty("Tag", 1107);
  Txt_Capacita = new QLineEdit(QStringLiteral("250"), Frm_ParamFisici);
  Txt_Capacita->setObjectName(QStringLiteral("Txt_Capacita"));
  Txt_Capacita->setMaximumWidth(80);
  Txt_Capacita->setAlignment(Qt::AlignRight);
  Lbl_capacita->setBuddy(Txt_Capacita);
  auto* parametri = new QHBoxLayout(Frm_ParamFisici);
  parametri->addWidget(Lbl_capacita);
  parametri->addStretch();
  parametri->addWidget(Txt_Capacita);

  // Where this user's data lie: the folder to back up or to copy.
  Frm_CartellaDati = new QGroupBox(QStringLiteral("Cartella dei dati"), this);
  Frm_CartellaDati->setObjectName(QStringLiteral("Frm_CartellaDati"));
  Frm_CartellaDati->setProperty("Tag", 1110);
  // A read-only text box: the user can select and copy the path.
  Txt_CartellaDati = new QLineEdit(QDir::toNativeSeparators(CartellaDati()), Frm_CartellaDati);
  Txt_CartellaDati->setObjectName(QStringLiteral("Txt_CartellaDati"));
  Txt_CartellaDati->setReadOnly(true);
  Txt_CartellaDati->setCursorPosition(0);
  Txt_CartellaDati->setMinimumWidth(
      qMin(480, Txt_CartellaDati->fontMetrics().horizontalAdvance(Txt_CartellaDati->text()) + 16));
  (new QHBoxLayout(Frm_CartellaDati))->addWidget(Txt_CartellaDati);

  Cmd_Close = new QPushButton(QStringLiteral("Chiudi"), this);
  Cmd_Close->setObjectName(QStringLiteral("Cmd_Close"));
  Cmd_Close->setProperty("Tag", 1108);
  Cmd_Close->setMinimumWidth(100);

  auto* griglia = new QGridLayout(this);
  griglia->setContentsMargins(14, 14, 14, 14);
  griglia->setSpacing(12);
  griglia->addWidget(Frm_TipoDB, 0, 0);
  griglia->addWidget(Frm_language, 0, 1);
  griglia->addWidget(Frm_ParamFisici, 1, 0, 1, 2);
  griglia->addWidget(Frm_CartellaDati, 2, 0, 1, 2);
  griglia->addWidget(Cmd_Close, 3, 1, Qt::AlignRight);
  griglia->setSizeConstraint(QLayout::SetFixedSize);
}

void QuarvelOption::CapacitaModificata(const QString& testo) {
  AggiornaImpostazione16(testo, Imp().CapacitaSerbatoio, 1109, this);
}

void QuarvelOption::closeEvent(QCloseEvent* evento) {
  if (auto codice = CodiceDaLingua(Imp().Lingua)) Imp().CodiceLingua = *codice;
  ApplicaLinguaProgramma();
  evento->accept();
  emit Chiusa();
}

}  // namespace quarvel
