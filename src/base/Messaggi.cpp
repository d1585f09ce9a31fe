#include "Messaggi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <cstdio>
#include <optional>

namespace quarvel {

namespace {
RegistratoreMessaggi*& Registratore() {
  static RegistratoreMessaggi* registratore = nullptr;
  return registratore;
}

QMessageBox::Icon IconaQt(Icona icona) {
  switch (icona) {
    case Icona::Esclamazione: return QMessageBox::Warning;
    case Icona::Critica: return QMessageBox::Critical;
    case Icona::Informazione: return QMessageBox::Information;
    case Icona::Domanda: return QMessageBox::Question;
    case Icona::Nessuna: break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

RegistratoreMessaggi::RegistratoreMessaggi() : precedente_(Registratore()) { Registratore() = this; }
RegistratoreMessaggi::~RegistratoreMessaggi() { Registratore() = precedente_; }

QStringList RegistratoreMessaggi::Testi() const {
  QStringList testi;
  for (const auto& m : messaggi) testi << m.testo;
  return testi;
}

Risposta MostraMessaggio(const Messaggio& m, QWidget* padre) {
  if (auto* r = Registratore()) {
    r->messaggi.push_back(m);
    Risposta risposta = Risposta::Ok;
    if (!r->risposte.empty()) {
      risposta = r->risposte.front();
      r->risposte.pop_front();
    }
    if (r->allArrivo) r->allArrivo(m);
    return risposta;
  }
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    std::fprintf(stderr, "%s\n", qPrintable(m.testo));
    return Risposta::Ok;
  }
  QMessageBox box(IconaQt(m.icona), m.titolo, m.testo,
                  m.pulsanti == Pulsanti::OkAnnulla ? QMessageBox::Ok | QMessageBox::Cancel
                                                    : QMessageBox::Ok,
                  padre);
  QPushButton* azione = m.azione.isEmpty() ? nullptr : box.addButton(m.azione, QMessageBox::ActionRole);
  const int premuto = box.exec();
  if (azione && box.clickedButton() == azione) return Risposta::Azione;
  return premuto == QMessageBox::Ok ? Risposta::Ok : Risposta::Annulla;
}

Risposta MostraMessaggio(const QString& testo, Icona icona, const QString& titolo,
                         QWidget* padre) {
  return MostraMessaggio(Messaggio{testo, icona, Pulsanti::Ok, titolo}, padre);
}

namespace {
// The recorder's answer to a file request; nothing when no recorder is in.
std::optional<QString> FileRegistrato(const RichiestaFile& richiesta) {
  auto* r = Registratore();
  if (!r) return std::nullopt;
  r->richiesteFile.push_back(richiesta);
  if (r->fileScelti.empty()) return QString();
  QString scelto = r->fileScelti.front();
  r->fileScelti.pop_front();
  return scelto;
}
}  // namespace

QString ScegliFileDaAprire(const RichiestaFile& richiesta, QWidget* padre) {
  if (const std::optional<QString> scelto = FileRegistrato(richiesta)) return *scelto;
  return QFileDialog::getOpenFileName(padre, richiesta.titolo, richiesta.cartella,
                                      richiesta.filtro);
}

QString ScegliFileDaSalvare(const RichiestaFile& richiesta, QWidget* padre) {
  if (const std::optional<QString> scelto = FileRegistrato(richiesta)) return *scelto;
  return QFileDialog::getSaveFileName(padre, richiesta.titolo, richiesta.cartella,
                                      richiesta.filtro);
}

void ApriCartella(const QString& cartella) {
  if (auto* r = Registratore()) {
    r->cartelleAperte << cartella;
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(cartella));
}

}  // namespace quarvel
