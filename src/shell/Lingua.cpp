#include "Lingua.h"

#include "CartellaProgramma.h"
#include "Conversioni.h"
#include "FileTesto.h"
#include "Impostazioni.h"
#include "Messaggi.h"
#include "TrovaVoce.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBar>
#include <cmath>

namespace quarvel {

namespace {
// A number read leniently, as the settings file's values are.
long long Numero(QStringView testo) {
  return std::llround(std::nearbyint(LeggiNumero(testo, Esponente::Escluso)));
}

void SegnalaFileMancante(QWidget* finestra) {
  MostraMessaggio(QStringLiteral("File Not Found.\nMust Have at least one Language File!"),
                  Icona::Critica, QStringLiteral("Errore While Loading"), finestra);
}

// A dynamic property as a number, nothing when the object does not have it.
std::optional<QString> Proprieta(const QObject* o, const char* nome) {
  const QVariant v = o->property(nome);
  if (!v.isValid()) return std::nullopt;
  return v.toString();
}

// The tooltip number of a control: its Tag followed by its Index, as texts.
std::optional<long long> NumeroSuggerimento(const QString& tag, const std::optional<QString>& indice) {
  if (!indice) return std::nullopt;
  return Numero(tag + *indice);
}

bool CasellaDiTesto(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         qobject_cast<const QComboBox*>(w);
}

void ApplicaBarra(QToolBar* barra, const TestiLingua& t) {
  int posizione = 0;
  for (QAction* a : barra->actions()) {
    ++posizione;
    const auto tag = Proprieta(a, "Tag");
    if (!tag) continue;
    a->setText(t.Testo(Numero(*tag)));
    const auto indice = Proprieta(a, "Index").value_or(QString::number(posizione));
    a->setToolTip(t.Testo(*NumeroSuggerimento(*tag, indice)));
  }
}

void ScriviIntestazione(QAbstractItemView* vista, int colonna, const QString& testo) {
  if (vista->model()->setHeaderData(colonna, Qt::Horizontal, testo)) return;
  // A table widget keeps header texts only in header items of its own.
  if (auto* tabella = qobject_cast<QTableWidget*>(vista))
    tabella->setHorizontalHeaderItem(colonna, new QTableWidgetItem(testo));
}

void ApplicaIntestazioni(QAbstractItemView* vista, const TestiLingua& t) {
  QAbstractItemModel* modello = vista->model();
  if (!modello) return;
  const auto tagVista = Proprieta(vista, "Tag");
  for (int c = 0; c < modello->columnCount(); ++c) {
    const QVariant tag = modello->headerData(c, Qt::Horizontal, RuoloTag);
    if (tag.isValid())
      ScriviIntestazione(vista, c, t.Testo(Numero(tag.toString())));
    else if (tagVista)
      ScriviIntestazione(vista, c, t.Testo(Numero(*tagVista)));
  }
}

void ApplicaControllo(QWidget* w, const TestiLingua& t) {
  if (auto* barra = qobject_cast<QToolBar*>(w)) return ApplicaBarra(barra, t);
  if (auto* vista = qobject_cast<QAbstractItemView*>(w)) return ApplicaIntestazioni(vista, t);
  if (CasellaDiTesto(w)) return;
  if (auto* menu = qobject_cast<QMenu*>(w)) {
    if (const auto indice = Proprieta(menu, "Index"); indice && Numero(*indice) > 1000)
      menu->setTitle(t.Testo(Numero(*indice)));
    return;
  }
  const auto tag = Proprieta(w, "Tag");
  if (auto* etichetta = qobject_cast<QLabel*>(w)) {
    // A label without a number reads as number 0, normally no text at all.
    // A label that shows a picture is a picture, and Qt's own inner labels
    // are none of the window's.
    if (etichetta->pixmap().isNull() && !w->objectName().startsWith(QLatin1String("qt_")))
      etichetta->setText(t.Testo(tag ? Numero(*tag) : 0));
    return;
  }
  if (!tag) return;
  if (const long long numero = Numero(*tag); numero > 0) {
    if (auto* pulsante = qobject_cast<QAbstractButton*>(w)) pulsante->setText(t.Testo(numero));
    else if (auto* cornice = qobject_cast<QGroupBox*>(w)) cornice->setTitle(t.Testo(numero));
  }
  if (const auto n = NumeroSuggerimento(*tag, Proprieta(w, "Index")); n && *n > 0)
    w->setToolTip(t.Testo(*n));
}

void ApplicaVoce(QAction* voce, const TestiLingua& t) {
  if (const auto indice = Proprieta(voce, "Index"); indice && Numero(*indice) > 1000)
    voce->setText(t.Testo(Numero(*indice)));
}
}  // namespace

std::optional<TestiLingua> TestiLingua::Carica(const QString& nomeFile) {
  const auto righe = LeggiRigheTesto(PercorsoEsistente(PercorsoProgramma(nomeFile)));
  if (!righe) return std::nullopt;
  TestiLingua testi;
  for (const QString& riga : *righe) {
    if (riga.isEmpty()) continue;
    const qsizetype blank = riga.indexOf(QLatin1Char(' '));
    const long long numero = Numero(QStringView(riga).left(blank < 0 ? riga.size() : blank));
    // Four digits and a blank: the text is from the sixth character on,
    // whatever the line holds before it.
    const QString testo = riga.mid(5);
    testi.testi_.insert(numero, testo.isEmpty() ? QStringLiteral("??????") : testo);
  }
  return testi;
}

QString NomeFileLingua() { return Imp().CodiceLingua + QStringLiteral(".lan"); }

QString LeggiTestoLingua(long long numero, const QString& nomeFile) {
  const auto testi = TestiLingua::Carica(nomeFile);
  if (!testi) {
    SegnalaFileMancante(nullptr);
    return {};
  }
  return testi->Testo(numero);
}

QString TestoLingua(long long numero, const QString& riserva) {
  return CercaTestiLingua()(numero, riserva);
}

CercaTesto CercaTestiLingua() {
  const auto testi = TestiLingua::Carica(NomeFileLingua());
  return [testi](long long numero, const QString& riserva) {
    return testi && testi->Contiene(numero) ? testi->Testo(numero) : riserva;
  };
}

QString ConValore(const QString& testo, const QString& valore) {
  return testo.contains(QLatin1String("%1")) ? testo.arg(valore) : testo + QLatin1Char(' ') + valore;
}

void ApplicaLingua(QWidget* finestra, const QString& nomeFile) {
  const auto testi = TestiLingua::Carica(nomeFile);
  if (!testi) {
    SegnalaFileMancante(finestra);
    return;
  }
  if (const auto tag = Proprieta(finestra, "Tag"); tag && Numero(*tag) > 0)
    finestra->setWindowTitle(testi->Testo(Numero(*tag)));
  for (QObject* o : finestra->findChildren<QObject*>()) {
    if (auto* w = qobject_cast<QWidget*>(o)) ApplicaControllo(w, *testi);
    else if (auto* voce = qobject_cast<QAction*>(o)) ApplicaVoce(voce, *testi);
  }
}

}  // namespace quarvel
