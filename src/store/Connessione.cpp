#include "Connessione.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace quarvel {

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
  static const bool configurata = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
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
  // Another program reading the file (a backup, a second Quarvel) holds it
  // only briefly: wait for it rather than fail at once.
  sqlite3_busy_timeout(db_, 3000);
  return {};
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
  return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("database non aperto");
}

Esito Connessione::Fallimento() const {
  return Esito::Fallito(QStringLiteral("Impossibile aprire il database ") +
                        QDir::toNativeSeparators(percorso_) + QStringLiteral(": ") + Errore());
}

}  // namespace quarvel
