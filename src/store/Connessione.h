#pragma once
// A SQLite connection and its prepared statements, shared by the vehicle
// databases and the registry, and the typed result of an operation that can
// fail with a message for the user.
#include <QString>
#include <chrono>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace quarvel {

// Success, or a failure with the text the caller shows to the user.
struct Esito {
  bool ok = true;
  QString messaggio;
  explicit operator bool() const { return ok; }
  static Esito Fallito(QString messaggio) { return {false, std::move(messaggio)}; }
};

// The prefix of every database failure shown to the user.
inline const QString kErroreDatabase = QStringLiteral("Errore Database, comunicare Err: ");

// A prepared statement, finalized when it goes.
class Istruzione {
 public:
  Istruzione() = default;
  explicit Istruzione(sqlite3_stmt* s) : s_(s) {}
  ~Istruzione();
  Istruzione(Istruzione&& altra) noexcept : s_(std::exchange(altra.s_, nullptr)) {}
  Istruzione& operator=(Istruzione&& altra) noexcept;
  Istruzione(const Istruzione&) = delete;
  Istruzione& operator=(const Istruzione&) = delete;
  sqlite3_stmt* get() const { return s_; }
  explicit operator bool() const { return s_ != nullptr; }

 private:
  sqlite3_stmt* s_ = nullptr;
};

class Connessione {
 public:
  Connessione() = default;
  ~Connessione() { Chiudi(); }
  Connessione(const Connessione&) = delete;
  Connessione& operator=(const Connessione&) = delete;

  // Opens an existing database file for reading and writing (read-only when
  // the file is); never creates one. A file that is no database fails only
  // at the first statement: see Fallimento().
  Esito Apri(const QString& percorso);
  // Statements of this connection must be finalized before.
  void Chiudi();
  bool Aperta() const { return db_ != nullptr; }
  sqlite3* db() const { return db_; }
  const QString& Percorso() const { return percorso_; }

  // An empty statement on failure (Errore() says why).
  Istruzione Prepara(const char* sql, bool persistente = false);
  bool Esegui(const char* sql);
  // sqlite3_errmsg of the last failure.
  QString Errore() const;
  // "Impossibile aprire il database <path>: <sqlite3_errmsg>".
  Esito Fallimento() const;

  // How long a connection waits for a file another program holds before
  // the engine's "database is locked": long enough for an import's commit
  // and for a reader's walk of a year. Tests shorten it.
  static std::chrono::milliseconds& AttesaMassima();
  // The wait of this connection from now on (AttesaMassima when opened).
  void AttendiAlPiu(std::chrono::milliseconds attesa) { attesa_ = attesa; }
  // Commits that last: the folder is synced once the rollback journal is
  // deleted (synchronous=EXTRA). A setting of the connection, not the file.
  bool Sincronia();
  // The rollback journal with synchronous=EXTRA that every writer of the
  // vehicle databases keeps (Logs.h). Harmless on a read-only file; on a
  // file another program holds it is skipped rather than waited for twice
  // (here and at the first read).
  void ModoVeicolo();

 private:
  sqlite3* db_ = nullptr;
  QString percorso_;
  std::chrono::milliseconds attesa_{0};
};

}  // namespace quarvel
