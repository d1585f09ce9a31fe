#include "QvAnalisiOption.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Impostazioni.h"
#include "Lingua.h"
#include "CampoImpostazione.h"
#include "Nomina.h"

namespace quarvel {

namespace {
constexpr int kPrimoAnno = 2010;
constexpr int kUltimoAnno = 2015;

QLineEdit* CasellaValore(const char* nome, QWidget* padre) {
  auto* c = Nomina(nome, 0, new QLineEdit(QStringLiteral("25"), padre));
  c->setMaximumWidth(80);
  c->setAlignment(Qt::AlignRight);
  return c;
}
}  // namespace

QvAnalisiOption::QvAnalisiOption(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("QvAnalisiOption"));
  setWindowTitle(QStringLiteral("Quarvel Analisi Option"));
  setProperty("Tag", 5200);
  Costruisci();
  ApplicaLingua(this, NomeFileLingua());

  Txt_GasolioAllert->setText(QString::number(Imp().LivelloAllertGasolio));
  Txt_VelocitaAllert->setText(QString::number(Imp().LivelloAllertVelocita));
  for (int anno = kPrimoAnno; anno <= kUltimoAnno; ++anno)
    Cmb_AnnoAnalisi->addItem(QString::number(anno));
  // A year outside the list selects nothing.
  const int anno = QDate::currentDate().year();
  Cmb_AnnoAnalisi->setCurrentIndex(anno >= kPrimoAnno && anno <= kUltimoAnno ? anno - kPrimoAnno
                                                                             : -1);

  // Edits by the user only: filling the boxes above changes nothing.
  connect(Txt_GasolioAllert, &QLineEdit::textEdited, this,
          [this](const QString& t) { ValoreModificato(t, Imp().LivelloAllertGasolio); });
  connect(Txt_VelocitaAllert, &QLineEdit::textEdited, this,
          [this](const QString& t) { ValoreModificato(t, Imp().LivelloAllertVelocita); });
  connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
}

void QvAnalisiOption::Costruisci() {
  Frm_AnnoAnalisi =
      Nomina("Frm_AnnoAnalisi", 5201, new QGroupBox(QStringLiteral("Anno analisi"), this));
  Lbl_AnnoAnalisi =
      Nomina("Lbl_AnnoAnalisi", 5202,
             new QLabel(QStringLiteral("Selezionare anno database"), Frm_AnnoAnalisi));
  Cmb_AnnoAnalisi = Nomina("Cmb_AnnoAnalisi", 0, new QComboBox(Frm_AnnoAnalisi));
  Cmb_AnnoAnalisi->setMinimumWidth(80);
  Lbl_AnnoAnalisi->setBuddy(Cmb_AnnoAnalisi);
  auto* anno = new QGridLayout(Frm_AnnoAnalisi);
  anno->addWidget(Lbl_AnnoAnalisi, 0, 0);
  anno->addWidget(Cmb_AnnoAnalisi, 0, 1);
  anno->setColumnStretch(0, 1);

  Frm_ParametriRicerca = Nomina("Frm_ParametriRicerca", 5203,
                                new QGroupBox(QStringLiteral("Parametri ricerca"), this));
  Lbl_velocitaallert =
      Nomina("Lbl_velocitaallert", 5204,
             new QLabel(QStringLiteral("Velocità allert [Km/h]"), Frm_ParametriRicerca));
  Txt_VelocitaAllert = CasellaValore("Txt_VelocitaAllert", Frm_ParametriRicerca);
  Lbl_gasolioalert = Nomina(
      "Lbl_gasolioalert", 5205,
      new QLabel(QStringLiteral("0-250 = 0-Pieno Livello allert [L]"), Frm_ParametriRicerca));
  Txt_GasolioAllert = CasellaValore("Txt_GasolioAllert", Frm_ParametriRicerca);
  Lbl_velocitaallert->setBuddy(Txt_VelocitaAllert);
  Lbl_gasolioalert->setBuddy(Txt_GasolioAllert);
  auto* parametri = new QGridLayout(Frm_ParametriRicerca);
  parametri->addWidget(Lbl_velocitaallert, 0, 0);
  parametri->addWidget(Txt_VelocitaAllert, 0, 1);
  parametri->addWidget(Lbl_gasolioalert, 1, 0);
  parametri->addWidget(Txt_GasolioAllert, 1, 1);
  parametri->setColumnStretch(0, 1);

  Cmd_Close = Nomina("Cmd_Close", 5206, new QPushButton(QStringLiteral("Chiudi"), this));
  Cmd_Close->setMinimumWidth(100);

  auto* colonna = new QVBoxLayout(this);
  colonna->setContentsMargins(14, 14, 14, 14);
  colonna->setSpacing(12);
  colonna->addWidget(Frm_AnnoAnalisi);
  colonna->addWidget(Frm_ParametriRicerca);
  colonna->addWidget(Cmd_Close, 0, Qt::AlignRight);
  colonna->setSizeConstraint(QLayout::SetFixedSize);
}

void QvAnalisiOption::ValoreModificato(const QString& testo, int16_t& impostazione) {
  AggiornaImpostazione16(testo, impostazione, 5207, this, LetturaCampo::Indulgente);
}

}  // namespace quarvel
