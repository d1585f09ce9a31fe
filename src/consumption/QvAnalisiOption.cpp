#include "QvAnalisiOption.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "Conversioni.h"
#include "Impostazioni.h"
#include "ImpostazioniAggiunte.h"
#include "Messaggi.h"
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
// Each label beside its box, one pair a row.
void Incolonna(QGroupBox* riquadro, std::initializer_list<std::pair<QLabel*, QLineEdit*>> righe) {
  auto* griglia = new QGridLayout(riquadro);
  int riga = 0;
  for (const auto& [etichetta, casella] : righe) {
    etichetta->setBuddy(casella);
    griglia->addWidget(etichetta, riga, 0);
    griglia->addWidget(casella, riga++, 1);
  }
  griglia->setColumnStretch(0, 1);
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
  Txt_MinimoRifornimento->setText(QLocale().toString(Agg().MinimoRifornimento));
  Txt_MinimoPerdita->setText(QLocale().toString(Agg().MinimoPerdita));
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
  connect(Txt_MinimoRifornimento, &QLineEdit::textEdited, this,
          [this](const QString& t) { LitriModificati(t, Agg().MinimoRifornimento); });
  connect(Txt_MinimoPerdita, &QLineEdit::textEdited, this,
          [this](const QString& t) { LitriModificati(t, Agg().MinimoPerdita); });
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
  Incolonna(Frm_ParametriRicerca, {{Lbl_velocitaallert, Txt_VelocitaAllert},
                                   {Lbl_gasolioalert, Txt_GasolioAllert}});

  Frm_Carburante = Nomina("Frm_Carburante", 5208,
                          new QGroupBox(QStringLiteral("Rifornimenti e perdite"), this));
  Lbl_MinimoRifornimento =
      Nomina("Lbl_MinimoRifornimento", 5209,
             new QLabel(QStringLiteral("Rifornimento minimo [L]"), Frm_Carburante));
  Txt_MinimoRifornimento = CasellaValore("Txt_MinimoRifornimento", Frm_Carburante);
  Lbl_MinimoPerdita = Nomina("Lbl_MinimoPerdita", 5210,
                             new QLabel(QStringLiteral("Perdita minima [L]"), Frm_Carburante));
  Txt_MinimoPerdita = CasellaValore("Txt_MinimoPerdita", Frm_Carburante);
  Incolonna(Frm_Carburante, {{Lbl_MinimoRifornimento, Txt_MinimoRifornimento},
                             {Lbl_MinimoPerdita, Txt_MinimoPerdita}});

  Cmd_Close = Nomina("Cmd_Close", 5206, new QPushButton(QStringLiteral("Chiudi"), this));
  Cmd_Close->setMinimumWidth(100);

  auto* colonna = new QVBoxLayout(this);
  colonna->setContentsMargins(14, 14, 14, 14);
  colonna->setSpacing(12);
  colonna->addWidget(Frm_AnnoAnalisi);
  colonna->addWidget(Frm_ParametriRicerca);
  colonna->addWidget(Frm_Carburante);
  colonna->addWidget(Cmd_Close, 0, Qt::AlignRight);
  colonna->setSizeConstraint(QLayout::SetFixedSize);
}

void QvAnalisiOption::LitriModificati(const QString& testo, double& impostazione) {
  const std::optional<double> valore = ValoreTesto(testo);
  if (!valore || *valore < 0) {
    MostraMessaggio(TestoLingua(5207, QStringLiteral("Inserire un valore numerico")),
                    Icona::Critica, TitoloApplicazione, this);
    return;
  }
  impostazione = *valore;
}

void QvAnalisiOption::ValoreModificato(const QString& testo, int16_t& impostazione) {
  AggiornaImpostazione16(testo, impostazione, 5207, this, LetturaCampo::Indulgente);
}

}  // namespace quarvel
