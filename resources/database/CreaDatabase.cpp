// quarvel_crea_database SCHEMA USCITA TABELLA [--se-manca]
//
// Makes the SQLite file USCITA holding only the table TABELLA of the schema
// file. The file is written beside USCITA and renamed into place, so a
// failed run never leaves half a database. With --se-manca an existing
// USCITA is left untouched (the registry holds the user's vehicles).
// Same schema and same SQLite library give the same bytes: nothing in the
// file depends on the time or the machine.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

int Errore(const std::string& testo) {
  std::fprintf(stderr, "quarvel_crea_database: %s\n", testo.c_str());
  return 1;
}

// The statement creating `tabella`: from "CREATE TABLE <tabella> " to the
// first ";" that ends a line.
std::string Istruzione(const std::string& schema, const std::string& tabella) {
  const std::string inizio = "CREATE TABLE " + tabella + " ";
  const auto da = schema.find(inizio);
  if (da == std::string::npos) return {};
  const auto a = schema.find(";\n", da);
  if (a == std::string::npos) return {};
  return schema.substr(da, a - da + 1);
}

bool Esegui(sqlite3* db, const std::string& sql) {
  char* errore = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &errore) == SQLITE_OK) return true;
  Errore(sql.substr(0, 40) + "...: " + (errore ? errore : "?"));
  sqlite3_free(errore);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc < 4) return Errore("uso: SCHEMA USCITA TABELLA [--se-manca]");
  const fs::path uscita = argv[2];
  const std::string tabella = argv[3];
  const bool seManca = argc > 4 && std::string(argv[4]) == "--se-manca";
  std::error_code ec;
  if (seManca && fs::exists(uscita, ec)) return 0;

  std::ifstream file(argv[1], std::ios::binary);
  std::stringstream testo;
  testo << file.rdbuf();
  std::string schema = testo.str();
  for (auto p = schema.find('\r'); p != std::string::npos; p = schema.find('\r', p)) schema.erase(p, 1);
  const std::string sql = Istruzione(schema, tabella);
  if (sql.empty()) return Errore(std::string("no table ") + tabella + " in " + argv[1]);

  fs::create_directories(uscita.parent_path(), ec);
  const fs::path provvisorio = uscita.string() + ".nuovo";
  fs::remove(provvisorio, ec);
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(provvisorio.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                      nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return Errore("cannot create " + provvisorio.string());
  }
  // Fixed page size and rollback journal; user_version tells later versions
  // of Quarvel which layout a file has.
  const bool ok = Esegui(db, "PRAGMA page_size=4096; PRAGMA journal_mode=DELETE;") &&
                  Esegui(db, sql) && Esegui(db, "PRAGMA user_version=1;");
  if (sqlite3_close(db) != SQLITE_OK || !ok) {
    fs::remove(provvisorio, ec);
    return Errore("cannot write " + provvisorio.string());
  }
  fs::rename(provvisorio, uscita, ec);
  if (ec) return Errore("cannot rename to " + uscita.string() + ": " + ec.message());
  return 0;
}
