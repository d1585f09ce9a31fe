#pragma once
// The one gateway for message boxes and file dialogs. The application shows
// real dialogs; a test installs a recorder that notes each request and
// answers it, so no test ever blocks on a modal dialog. Without a
// QApplication (the command-line companion) messages go to standard error.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace quarvel {

enum class Icona { Nessuna, Esclamazione, Critica, Informazione, Domanda };
enum class Pulsanti { Ok, OkAnnulla };
enum class Risposta { Ok, Annulla, Azione };

// The application's title, used where a message has no title of its own.
inline const QString TitoloApplicazione = QStringLiteral("Quarvel");

struct Messaggio {
  QString testo;
  Icona icona = Icona::Nessuna;
  Pulsanti pulsanti = Pulsanti::Ok;
  QString titolo = TitoloApplicazione;
  // When not empty, one more button with this text; pressing it answers
  // Risposta::Azione.
  QString azione = {};
};

Risposta MostraMessaggio(const Messaggio& messaggio, QWidget* padre = nullptr);
// The common case: text, icon and title with an OK button.
Risposta MostraMessaggio(const QString& testo, Icona icona = Icona::Nessuna,
                         const QString& titolo = TitoloApplicazione, QWidget* padre = nullptr);

struct RichiestaFile {
  QString titolo;
  QString cartella;
  QString filtro;
};
// The chosen file for opening, or an empty text when the user cancelled.
QString ScegliFileDaAprire(const RichiestaFile& richiesta, QWidget* padre = nullptr);
// The file to write, for saving: richiesta.cartella is the path proposed
// (folder and name); the dialog asks before an existing file is replaced.
// An empty text when the user cancelled.
QString ScegliFileDaSalvare(const RichiestaFile& richiesta, QWidget* padre = nullptr);

// Opens a folder in the desktop's file manager.
void ApriCartella(const QString& cartella);

// Installed by a test for its lifetime: records every message and file
// request and answers them from the queues (OK and an empty file name when
// the queues are empty). Recorders nest: the newest answers, and the one
// before it takes over again when it goes.
class RegistratoreMessaggi {
 public:
  RegistratoreMessaggi();
  ~RegistratoreMessaggi();
  RegistratoreMessaggi(const RegistratoreMessaggi&) = delete;
  RegistratoreMessaggi& operator=(const RegistratoreMessaggi&) = delete;

  std::vector<Messaggio> messaggi;
  std::vector<RichiestaFile> richiesteFile;
  QStringList cartelleAperte;
  std::deque<Risposta> risposte;
  std::deque<QString> fileScelti;
  // Called on each message, after it is recorded (a test may act inside a
  // running operation, as a user would while the box is shown).
  std::function<void(const Messaggio&)> allArrivo;

  QStringList Testi() const;

 private:
  RegistratoreMessaggi* precedente_ = nullptr;
};

}  // namespace quarvel
