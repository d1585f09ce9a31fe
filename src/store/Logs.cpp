#include "Logs.h"

#include "CursoreSqlite.h"
#include "Messaggi.h"
#include "OreLogs.h"

#include <sqlite3.h>

namespace quarvel {

namespace {
constexpr const char* kInserisci =
    "INSERT INTO Logs (TimeDate, TimeDateLH, DatoPT, Dato0, Dato1, Dato2, Dato3, Dato4, Dato5, "
    "Dato6, Dato7, Dato8, Dato9, Dato10, Dato11, Dato12, Dato13, Dato14, Dato15, Dato16) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
    "?19, ?20)";

// The cursor of a closed database: no records, every read gives 0.
class CursoreVuoto : public CursoreLogs {
 public:
  bool AllaFine() const override { return true; }
  bool AllInizio() const override { return true; }
  void Primo() override {}
  void Ultimo() override {}
  void Successivo() override {}
  void Sposta(int64_t) override {}
  int64_t Intero(int) const override { return 0; }
  double Reale(int) const override { return 0; }
};

// The cursor handed out by Cursore(): one object for the life of the
// database, so that a reference kept past Chiudi meets no records instead of
// freed memory.
class CursoreDelegato : public CursoreLogs {
 public:
  void Punta(CursoreLogs* c) { c_ = c ? c : &vuoto_; }
  bool AllaFine() const override { return c_->AllaFine(); }
  bool AllInizio() const override { return c_->AllInizio(); }
  void Primo() override { c_->Primo(); }
  void Ultimo() override { c_->Ultimo(); }
  void Successivo() override { c_->Successivo(); }
  void Sposta(int64_t n) override { c_->Sposta(n); }
  void PrimoDa(Istante chiave) override { c_->PrimoDa(chiave); }
  int64_t Intero(int p) const override { return c_->Intero(p); }
  double Reale(int p) const override { return c_->Reale(p); }
  CampioneLog Campione() const override { return c_->Campione(); }
  QString Errore() const override { return c_->Errore(); }

 private:
  CursoreVuoto vuoto_;
  CursoreLogs* c_ = &vuoto_;
};

void Lega(sqlite3_stmt* s, const CampioneLog& c) {
  int i = 0;
  auto intero = [&](int64_t v) { sqlite3_bind_int64(s, ++i, v); };
  auto reale = [&](double v) { sqlite3_bind_double(s, ++i, v); };
  intero(c.TimeDate);
  intero(c.TimeDateLH);
  intero(c.DatoPT);
  intero(c.Dato0);
  intero(c.Dato1);
  reale(c.Dato2);
  intero(c.Dato3);
  intero(c.Dato4);
  intero(c.Dato5);
  reale(c.Dato6);
  intero(c.Dato7);
  intero(c.Dato8);
  intero(c.Dato9);
  reale(c.Dato10);
  reale(c.Dato11);
  intero(c.Dato12);
  reale(c.Dato13);
  intero(c.Dato14);
  reale(c.Dato15);
  intero(c.Dato16);
}
}  // namespace

constexpr const char* kLeggiDatoPT = "SELECT DatoPT FROM Logs WHERE TimeDate = ?1";

struct DatabaseLogs::Dati {
  Connessione connessione;
  Istruzione inserisci;
  Istruzione datoPT;
  std::unique_ptr<CursoreSqlite> cursore;
  CursoreDelegato condiviso;
  OreInScrittura ore;  // LogsOre, kept in the same transactions as the samples
  bool inTransazione = false;
  int nelLotto = 0;
  int lotto = kLotto;
  QString errore;
};

DatabaseLogs::DatabaseLogs() : d_(std::make_unique<Dati>()) {}
DatabaseLogs::~DatabaseLogs() { Chiudi(); }

Esito DatabaseLogs::Apri(const QString& percorso) {
  return Apri(percorso, kInizioTabella, kFineTabella);
}

Esito DatabaseLogs::Apri(const QString& percorso, Istante inizio, Istante fine) {
  Chiudi();
  Connessione& c = d_->connessione;
  if (Esito e = c.Apri(percorso); !e) return e;
  // See the class comment. Both fail harmlessly on a read-only file. The
  // default page cache (2 MB) suits both a scan and appends at the end.
  c.Esegui("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
  // Preparing both statements checks that the file is a database holding
  // Logs with its twenty columns.
  CursoreSqlite::Registra(c);
  d_->cursore = std::make_unique<CursoreSqlite>(c, inizio, fine);
  if (d_->cursore->Valido()) d_->inserisci = c.Prepara(kInserisci, true);
  if (!d_->inserisci) {
    const Esito esito = c.Fallimento();
    Chiudi();
    return esito;
  }
  d_->condiviso.Punta(d_->cursore.get());
  return {};
}

Esito DatabaseLogs::Conferma() {
  if (!d_->inTransazione) return {};
  Connessione& c = d_->connessione;
  const bool ok = d_->ore.PrimaDellaConferma(c) && c.Esegui("COMMIT");
  if (!ok) d_->errore = c.Errore();
  // Committed, or rolled back by the failure (a busy file keeps it open).
  if (ok || sqlite3_get_autocommit(c.db())) {
    d_->inTransazione = false;
    d_->nelLotto = 0;
  }
  if (!ok && sqlite3_get_autocommit(c.db())) d_->ore.Annullata();
  if (ok) return {};
  return Esito::Fallito(kErroreDatabase + d_->errore);
}

Esito DatabaseLogs::Chiudi() {
  Esito esito;
  if (d_->connessione.Aperta()) {
    esito = Conferma();
    if (!esito) d_->connessione.Esegui("ROLLBACK");
  }
  d_->condiviso.Punta(nullptr);
  d_->ore = OreInScrittura();
  d_->cursore.reset();
  d_->inserisci = Istruzione();
  d_->datoPT = Istruzione();
  d_->inTransazione = false;
  d_->nelLotto = 0;
  d_->connessione.Chiudi();
  return esito;
}

bool DatabaseLogs::Aperto() const { return d_->connessione.Aperta(); }
const QString& DatabaseLogs::Percorso() const { return d_->connessione.Percorso(); }
const QString& DatabaseLogs::UltimoErrore() const { return d_->errore; }

EsitoScrittura DatabaseLogs::Scrivi(const CampioneLog& campione) {
  Connessione& c = d_->connessione;
  if (!d_->inserisci) {
    d_->errore = c.Errore();
    return EsitoScrittura::Errore;
  }
  if (!Inizia()) return EsitoScrittura::Errore;
  sqlite3_stmt* s = d_->inserisci.get();
  int rc = SQLITE_OK;
  if (d_->ore.Prepara(c, campione.TimeDate)) {
    Lega(s, campione);
    rc = sqlite3_step(s);
  }
  if (rc == SQLITE_DONE) {
    d_->ore.Aggiunto(campione);
    sqlite3_reset(s);
    if (++d_->nelLotto < d_->lotto || d_->lotto == 0) return EsitoScrittura::Salvato;
    return Conferma() ? EsitoScrittura::Salvato : EsitoScrittura::Errore;
  }
  d_->errore = c.Errore();
  sqlite3_reset(s);
  if (rc == SQLITE_CONSTRAINT_PRIMARYKEY) return EsitoScrittura::Duplicato;
  // A full disk or an I/O error may have rolled the batch back.
  if (sqlite3_get_autocommit(c.db())) {
    d_->inTransazione = false;
    d_->nelLotto = 0;
    d_->ore.Annullata();
  }
  return EsitoScrittura::Errore;
}

Esito DatabaseLogs::Inizia() {
  Connessione& c = d_->connessione;
  if (d_->inTransazione) return {};
  if (d_->cursore && d_->cursore->InScansione()) d_->cursore->Sospendi();
  // IMMEDIATE takes the write lock now: a file locked by another program
  // fails here, before any sample is counted as stored.
  if (!c.Esegui("BEGIN IMMEDIATE")) {
    d_->errore = c.Errore();
    return Esito::Fallito(kErroreDatabase + d_->errore);
  }
  d_->inTransazione = true;
  d_->ore.Inizio(c);
  return {};
}

void DatabaseLogs::Annulla() {
  if (d_->inTransazione) d_->connessione.Esegui("ROLLBACK");
  d_->inTransazione = false;
  d_->nelLotto = 0;
  d_->ore.Annullata();
}

void DatabaseLogs::ConfermaOgni(int n) { d_->lotto = n; }

Connessione& DatabaseLogs::connessione() { return d_->connessione; }

std::optional<int16_t> DatabaseLogs::DatoPTPresente(Istante timeDate) {
  Connessione& c = d_->connessione;
  if (!d_->datoPT) d_->datoPT = c.Prepara(kLeggiDatoPT, true);
  sqlite3_stmt* s = d_->datoPT.get();
  if (!s) {
    d_->errore = c.Errore();
    return std::nullopt;
  }
  sqlite3_bind_int64(s, 1, timeDate);
  const int rc = sqlite3_step(s);
  std::optional<int16_t> dato;
  if (rc == SQLITE_ROW) dato = int16_t(sqlite3_column_int(s, 0));
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) d_->errore = c.Errore();
  sqlite3_reset(s);
  return dato;
}

CursoreLogs& DatabaseLogs::Cursore() { return d_->condiviso; }

std::unique_ptr<CursoreLogs> DatabaseLogs::NuovoCursore(Istante inizio, Istante fine) {
  if (!Aperto()) return nullptr;
  return std::make_unique<CursoreSqlite>(d_->connessione, inizio, fine);
}

DatabaseLogs& DatabaseLogsCondiviso() {
  static DatabaseLogs db;
  return db;
}

Esito ApriLogs(const QString& percorso) { return DatabaseLogsCondiviso().Apri(percorso); }

Esito ApriLogsPeriodo(const QString& percorso, Istante inizio, Istante fine) {
  return DatabaseLogsCondiviso().Apri(percorso, inizio, fine);
}

void ChiudiLogs() {
  if (Esito e = DatabaseLogsCondiviso().Chiudi(); !e) MostraMessaggio(e.messaggio);
}

EsitoScrittura ScriviCampione(const CampioneLog& campione) {
  DatabaseLogs& db = DatabaseLogsCondiviso();
  const EsitoScrittura esito = db.Scrivi(campione);
  if (esito == EsitoScrittura::Errore) MostraMessaggio(kErroreDatabase + db.UltimoErrore());
  return esito;
}

int ScriviRecordLogs(const CampioneLog& campione) {
  return ScriviCampione(campione) == EsitoScrittura::Salvato ? 0 : 1;
}

CursoreLogs& RecordsetLogs() { return DatabaseLogsCondiviso().Cursore(); }

}  // namespace quarvel
