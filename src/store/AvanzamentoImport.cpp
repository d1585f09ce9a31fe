#include "AvanzamentoImport.h"

#include "Logs.h"

#include <sqlite3.h>

namespace quarvel {

namespace {
Esito Errore(Connessione& c) { return Esito::Fallito(kErroreDatabase + c.Errore()); }

void LegaTesto(sqlite3_stmt* s, int i, const QString& testo) {
  const QByteArray utf8 = testo.toUtf8();
  sqlite3_bind_text(s, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}
}  // namespace

Esito PreparaAvanzamento(DatabaseLogs& db) {
  Connessione& c = db.connessione();
  if (c.Prepara("SELECT 1 FROM Importazioni LIMIT 0")) return {};
  // Made in a transaction of the database's own, as every write of the
  // import: see IndiciLogs.h.
  if (Esito e = db.Inizia(); !e) return e;
  if (!c.Esegui("CREATE TABLE IF NOT EXISTS Importazioni (Archivio TEXT PRIMARY KEY, File TEXT, "
                "Posizione INTEGER, Riga INTEGER, Contatore INTEGER, FileLetti INTEGER, "
                "RecordSalvati INTEGER, RigheNonSalvate INTEGER, Viaggi INTEGER, "
                "ByteErrori INTEGER, Finita INTEGER, Duplicati INTEGER NOT NULL DEFAULT 0)"))
    return Errore(c);
  // A table made before the duplicates were counted: an import it records
  // goes on counting from 0.
  Istruzione s = c.Prepara("SELECT 1 FROM pragma_table_info('Importazioni') WHERE name = 'Duplicati'");
  if (!s) return Errore(c);
  const int rc = sqlite3_step(s.get());
  if (rc == SQLITE_ROW) return {};
  if (rc != SQLITE_DONE) return Errore(c);
  s = Istruzione();
  if (!c.Esegui("ALTER TABLE Importazioni ADD COLUMN Duplicati INTEGER NOT NULL DEFAULT 0"))
    return Errore(c);
  return db.Conferma();
}

AvanzamentoLetto LeggiAvanzamento(DatabaseLogs& db, const QString& archivio) {
  Connessione& c = db.connessione();
  AvanzamentoLetto r;
  Istruzione s = c.Prepara(
      "SELECT File, Posizione, Riga, Contatore, FileLetti, RecordSalvati, RigheNonSalvate, "
      "Viaggi, ByteErrori, Duplicati, Finita FROM Importazioni WHERE Archivio = ?1");
  if (!s) {
    r.esito = Errore(c);
    return r;
  }
  LegaTesto(s.get(), 1, archivio);
  const int rc = sqlite3_step(s.get());
  if (rc == SQLITE_ROW) {
    AvanzamentoImport a;
    a.archivio = archivio;
    a.file = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
    int64_t* interi[] = {&a.posizione, &a.riga, &a.contatore, &a.fileLetti, &a.recordSalvati,
                         &a.righeNonSalvate, &a.viaggi, &a.byteErrori, &a.duplicati};
    for (int i = 0; i < 9; ++i) *interi[i] = sqlite3_column_int64(s.get(), 1 + i);
    a.finita = sqlite3_column_int(s.get(), 10) != 0;
    r.avanzamento = a;
  } else if (rc != SQLITE_DONE) {
    r.esito = Errore(c);
  }
  return r;
}

Esito ScriviAvanzamento(DatabaseLogs& db, const AvanzamentoImport& a) {
  if (Esito e = db.Inizia(); !e) return e;
  Connessione& c = db.connessione();
  Istruzione s = c.Prepara(
      "INSERT OR REPLACE INTO Importazioni (Archivio, File, Posizione, Riga, Contatore, FileLetti, "
      "RecordSalvati, RigheNonSalvate, Viaggi, ByteErrori, Duplicati, Finita) "
      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
  if (!s) return Errore(c);
  LegaTesto(s.get(), 1, a.archivio);
  LegaTesto(s.get(), 2, a.file);
  const int64_t interi[] = {a.posizione, a.riga,   a.contatore, a.fileLetti,
                            a.recordSalvati, a.righeNonSalvate, a.viaggi, a.byteErrori,
                            a.duplicati, a.finita ? 1 : 0};
  for (int i = 0; i < 10; ++i) sqlite3_bind_int64(s.get(), 3 + i, interi[i]);
  if (sqlite3_step(s.get()) != SQLITE_DONE) return Errore(c);
  return {};
}

Esito CancellaAvanzamento(DatabaseLogs& db, const QString& archivio) {
  // In a transaction of the database's own, as above.
  if (Esito e = db.Inizia(); !e) return e;
  Connessione& c = db.connessione();
  Istruzione s = c.Prepara("DELETE FROM Importazioni WHERE Archivio = ?1");
  if (!s) return Errore(c);
  LegaTesto(s.get(), 1, archivio);
  if (sqlite3_step(s.get()) != SQLITE_DONE) return Errore(c);
  return {};
}

}  // namespace quarvel
