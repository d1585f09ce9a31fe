#include "Connessione.h"

#include "AttesaOccupato.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>
#include <thread>

namespace quarvel {

namespace {
// The system's error behind the engine's last I/O error on this thread.
// A failed sync is named only in the engine's log: "os_unix.c:42: (28)
// full_fsync(...) - No space left on device".
thread_local int erroreSistema = 0;

// Waits for another program in short naps, telling the window after a
// moment (AvvisoAttesa); gives up after the connection's wait.
int Attendi(void* attesa, int volte) {
  using namespace std::chrono;
  thread_local steady_clock::time_point inizio;
  if (volte == 0) inizio = steady_clock::now();
  const auto atteso = steady_clock::now() - inizio;
  if (atteso >= *static_cast<const milliseconds*>(attesa)) return 0;
  if (atteso >= milliseconds(200)) AvvisoAttesa::Avvisa();
  std::this_thread::sleep_for(milliseconds(volte < 4 ? 1 << volte : 10));
  return 1;
}

void Registro(void*, int codice, const char* testo) {
  const char* numero = std::strstr(testo, ": (");
  if ((codice & 0xff) == SQLITE_IOERR && numero) erroreSistema = std::atoi(numero + 3);
}
}  // namespace

Istruzione::~Istruzione() { sqlite3_finalize(s_); }

Istruzione& Istruzione::operator=(Istruzione&& altra) noexcept {
  if (this != &altra) {
    sqlite3_finalize(s_);
    s_ = std::exchange(altra.s_, nullptr);
  }
  return *this;
}

Esito Connessione::Apri(const QString& percorso) {
  // Once, before SQLite starts: no statistics of its memory, whose global
  // mutex every allocation would take (a tenth of an import's time).
  static const bool configurata = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK &&
                                  sqlite3_config(SQLITE_CONFIG_LOG, Registro, nullptr) == SQLITE_OK;
  (void)configurata;
  Chiudi();
  percorso_ = percorso;
  // One thread uses a connection: no per-call mutex (it costs in the
  // per-column reads of a cursor).
  const int rc = sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db_,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    const Esito esito = Fallimento();
    Chiudi();
    return esito;
  }
  sqlite3_extended_result_codes(db_, 1);
  // Another program holding the file (an import's commit, a reader's walk, a
  // backup) is waited for rather than failed at once.
  attesa_ = AttesaMassima();
  sqlite3_busy_handler(db_, Attendi, &attesa_);
  return {};
}

std::chrono::milliseconds& Connessione::AttesaMassima() {
  static std::chrono::milliseconds attesa(60000);
  return attesa;
}

void Connessione::ModoVeicolo() {
  // Not waited for: a file in another mode is set right by the next writer.
  const std::chrono::milliseconds attesa = std::exchange(attesa_, std::chrono::milliseconds(0));
  Sincronia();
  Esegui("PRAGMA journal_mode=DELETE");
  attesa_ = attesa;
}

bool Connessione::Sincronia() {
  // A commit ends when the rollback journal is deleted; with FULL alone that
  // deletion may not survive a power cut, the journal comes back and the
  // commit is undone, while what the program did after it stays.
  return Esegui("PRAGMA synchronous=EXTRA");
}

void Connessione::Chiudi() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

Istruzione Connessione::Prepara(const char* sql, bool persistente) {
  sqlite3_stmt* s = nullptr;
  if (!db_) return {};
  if (sqlite3_prepare_v3(db_, sql, -1, persistente ? SQLITE_PREPARE_PERSISTENT : 0, &s,
                         nullptr) != SQLITE_OK) {
    sqlite3_finalize(s);
    return {};
  }
  return Istruzione(s);
}

bool Connessione::Esegui(const char* sql) {
  return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString Connessione::Errore() const {
  // sqlite3_errmsg(NULL) is "out of memory": say what really happened.
  if (!db_) return QStringLiteral("database non aperto");
  QString testo = QString::fromUtf8(sqlite3_errmsg(db_));
  // "disk I/O error" alone does not tell a full disk from a failing one:
  // the system's own words do.
  const int sistema = sqlite3_system_errno(db_) ? sqlite3_system_errno(db_) : erroreSistema;
  if ((sqlite3_errcode(db_) & 0xff) == SQLITE_IOERR && sistema != 0)
    testo += QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(sistema)) + QLatin1Char(')');
  return testo;
}

Esito Connessione::Fallimento() const {
  return Esito::Fallito(QStringLiteral("Impossibile aprire il database ") +
                        QDir::toNativeSeparators(percorso_) + QStringLiteral(": ") + Errore());
}

}  // namespace quarvel
