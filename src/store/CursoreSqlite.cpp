#include "CursoreSqlite.h"

#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace quarvel {

namespace {
// Both bounds are bound parameters; the key range needs no sort.
constexpr const char* kFlusso =
    "SELECT TimeDate, TimeDateLH, DatoPT, Dato0, Dato1, Dato2, Dato3, Dato4, Dato5, Dato6, "
    "Dato7, Dato8, Dato9, Dato10, Dato11, Dato12, Dato13, Dato14, Dato15, Dato16 "
    "FROM Logs WHERE TimeDate >= ?1 AND TimeDate <= ?2 ORDER BY TimeDate";
constexpr const char* kAvanti =
    "SELECT TimeDate FROM Logs WHERE TimeDate > ?1 AND TimeDate <= ?2 "
    "ORDER BY TimeDate LIMIT 1 OFFSET ?3";
constexpr const char* kIndietro =
    "SELECT TimeDate FROM Logs WHERE TimeDate < ?1 AND TimeDate >= ?2 "
    "ORDER BY TimeDate DESC LIMIT 1 OFFSET ?3";

bool TipoReale(int p) {
  return p == kDato2 || p == kDato6 || p == kDato10 || p == kDato11 || p == kDato13 ||
         p == kDato15;
}
}  // namespace

CursoreSqlite::CursoreSqlite(Connessione& c, Istante inizio, Istante fine)
    : inizio_(std::clamp(inizio, kInizioTabella, kFineTabella)),
      fine_(std::clamp(fine, kInizioTabella, kFineTabella)) {
  avanti_ = c.Prepara(kAvanti, true);
  indietro_ = c.Prepara(kIndietro, true);
  if (avanti_ && indietro_) flusso_ = c.Prepara(kFlusso, true);
}

void CursoreSqlite::Apri() const {
  // Positioned on the first record at the first use, not at creation: the
  // import opens the whole table only to write.
  if (stato_ == Stato::DaAprire) const_cast<CursoreSqlite*>(this)->Primo();
}

void CursoreSqlite::Sospendi() const {
  if (inScansione_) sqlite3_reset(flusso_.get());
  inScansione_ = false;
}

bool CursoreSqlite::Scansione(Istante chiave) const {
  sqlite3_stmt* s = flusso_.get();
  if (!s) return false;
  sqlite3_reset(s);
  sqlite3_bind_int64(s, 1, chiave);
  sqlite3_bind_int64(s, 2, fine_);
  inScansione_ = sqlite3_step(s) == SQLITE_ROW;
  if (!inScansione_) {
    sqlite3_reset(s);
    return false;
  }
  chiave_ = sqlite3_column_int64(s, 0);
  stato_ = Stato::Su;
  vuoto_ = false;
  return true;
}

bool CursoreSqlite::Cerca(bool avanti, Istante da, int64_t salto, Istante& trovata) const {
  sqlite3_stmt* s = avanti ? avanti_.get() : indietro_.get();
  if (!s) return false;
  sqlite3_bind_int64(s, 1, da);
  sqlite3_bind_int64(s, 2, avanti ? fine_ : inizio_);
  sqlite3_bind_int64(s, 3, salto);
  const bool ok = sqlite3_step(s) == SQLITE_ROW;
  if (ok) trovata = sqlite3_column_int64(s, 0);
  sqlite3_reset(s);
  return ok;
}

void CursoreSqlite::Fuori(Stato stato) const {
  Sospendi();
  // Past an end from a record the period is not empty; otherwise ask.
  if (stato_ != Stato::Su) {
    Istante k;
    vuoto_ = !Cerca(true, inizio_ - 1, 0, k);
  }
  stato_ = stato;
}

bool CursoreSqlite::AllaFine() const {
  Apri();
  return stato_ == Stato::Dopo || (stato_ == Stato::Prima && vuoto_);
}

bool CursoreSqlite::AllInizio() const {
  Apri();
  return stato_ == Stato::Prima || (stato_ == Stato::Dopo && vuoto_);
}

void CursoreSqlite::Primo() {
  if (Scansione(inizio_)) return;
  stato_ = Stato::Dopo;
  vuoto_ = true;
}

void CursoreSqlite::Ultimo() {
  Istante k;
  if (Cerca(false, fine_ + 1, 0, k) && Scansione(k)) return;
  Sospendi();
  stato_ = Stato::Prima;
  vuoto_ = true;
}

void CursoreSqlite::Successivo() {
  Apri();
  if (stato_ == Stato::Prima) return Primo();
  if (stato_ != Stato::Su) return;
  if (!inScansione_ && !Scansione(chiave_)) return Fuori(Stato::Dopo);
  if (sqlite3_step(flusso_.get()) == SQLITE_ROW) {
    chiave_ = sqlite3_column_int64(flusso_.get(), 0);
    return;
  }
  Fuori(Stato::Dopo);
}

void CursoreSqlite::Sposta(int64_t n) {
  Apri();
  if (n == 1) return Successivo();
  if (n == 0) return;
  // Far beyond any table: keeps -n and the offsets in range.
  n = std::clamp<int64_t>(n, -(int64_t(1) << 62), int64_t(1) << 62);
  const bool avanti = n > 0;
  if ((avanti && stato_ == Stato::Dopo) || (!avanti && stato_ == Stato::Prima)) return;
  Istante da = chiave_;
  if (stato_ == Stato::Prima) da = inizio_ - 1;
  if (stato_ == Stato::Dopo) da = fine_ + 1;
  Istante k;
  if (Cerca(avanti, da, (avanti ? n : -n) - 1, k) && Scansione(k)) return;
  Fuori(avanti ? Stato::Dopo : Stato::Prima);
}

int64_t CursoreSqlite::Intero(int p) const {
  Apri();
  if (stato_ != Stato::Su || p < 0 || p >= kNumeroColonne) return 0;
  if (!inScansione_ && !Scansione(chiave_)) return 0;
  if (TipoReale(p)) return std::llround(sqlite3_column_double(flusso_.get(), p));
  return sqlite3_column_int64(flusso_.get(), p);
}

double CursoreSqlite::Reale(int p) const {
  Apri();
  if (stato_ != Stato::Su || p < 0 || p >= kNumeroColonne) return 0;
  if (!inScansione_ && !Scansione(chiave_)) return 0;
  return sqlite3_column_double(flusso_.get(), p);
}

}  // namespace quarvel
