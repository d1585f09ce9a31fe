#include "AttivitaLogs.h"

#include "CursoreSqlite.h"
#include "IndiciLogs.h"

#include <array>
#include <cstring>
#include <sqlite3.h>
#include <vector>

namespace quarvel {

namespace {
constexpr int kQuartiGiorno = int(kSecondiGiorno / kSecondiQuarto);
constexpr int kByteQuarti = kQuartiGiorno / 8;

constexpr const char* kCrea =
    "CREATE TABLE IF NOT EXISTS LogsAttivita (Giorno INTEGER PRIMARY KEY, "
    "Quarti BLOB NOT NULL)";

struct GiornoAttivo {
  Istante giorno = 0;
  std::array<unsigned char, kByteQuarti> quarti{};
};

Istante InizioDi(Istante istante, Istante durata) {
  Istante resto = istante % durata;
  if (resto < 0) resto += durata;
  return istante - resto;
}

// The rows of the days from inizio to fine, read in one transaction with
// the check that the table describes Logs as it is. False when it does not,
// or when a row is not as this program writes them: then only the samples
// can tell. An engine error while reading goes to `errore`.
bool LeggiTabella(Connessione& c, Istante inizio, Istante fine, std::vector<GiornoAttivo>& giorni,
                  QString& errore) {
  if (!c.Esegui("BEGIN")) return false;
  bool letta = IndiciCorrenti(c);
  if (letta) {
    Istruzione s = c.Prepara(
        "SELECT Giorno, Quarti FROM LogsAttivita WHERE Giorno >= ?1 AND Giorno <= ?2 "
        "ORDER BY Giorno");
    int rc = SQLITE_ERROR;
    if (s) {
      sqlite3_bind_int64(s.get(), 1, InizioDi(inizio, kSecondiGiorno));
      sqlite3_bind_int64(s.get(), 2, fine);
      while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        const void* quarti = sqlite3_column_blob(s.get(), 1);
        if (sqlite3_column_bytes(s.get(), 1) != kByteQuarti || !quarti) {
          letta = false;
          break;
        }
        GiornoAttivo& g = giorni.emplace_back();
        g.giorno = sqlite3_column_int64(s.get(), 0);
        std::memcpy(g.quarti.data(), quarti, kByteQuarti);
      }
    }
    if (letta && rc != SQLITE_DONE) errore = c.Errore();
  }
  c.Esegui("COMMIT");
  return letta;
}
}  // namespace

Istante InizioQuarto(Istante istante) { return InizioDi(istante, kSecondiQuarto); }

QString CercaQuartiAttivi(CursoreLogs& campioni, const QuartoAttivo& quarto) {
  for (campioni.Primo(); !campioni.AllaFine();
       campioni.PrimoDa(InizioQuarto(campioni.TimeDate()) + kSecondiQuarto))
    quarto(InizioQuarto(campioni.TimeDate()));
  return campioni.Errore();
}

Esito AttivitaLogs::Apri(const QString& percorso) {
  Chiudi();
  return ApriIndiciLogs(connessione_, percorso, aggiornato_);
}

void AttivitaLogs::Chiudi() {
  connessione_.Chiudi();
  aggiornato_ = false;
}

QString AttivitaLogs::QuartiAttivi(Istante inizio, Istante fine, const QuartoAttivo& quarto) {
  Connessione& c = connessione_;
  if (!c.Aperta()) return c.Errore();
  const bool interi = fine < kFineTabella && InizioQuarto(inizio) == inizio &&
                      InizioQuarto(fine + 1) == fine + 1;
  std::vector<GiornoAttivo> giorni;
  QString errore;
  if (aggiornato_ && interi && LeggiTabella(c, inizio, fine, giorni, errore)) {
    if (!errore.isEmpty()) return errore;
    for (const GiornoAttivo& g : giorni)
      for (int q = 0; q < kQuartiGiorno; ++q) {
        const Istante t = g.giorno + q * kSecondiQuarto;
        if ((g.quarti[q / 8] >> (q % 8) & 1) && t >= inizio && t <= fine) quarto(t);
      }
    return {};
  }
  CursoreSqlite campioni(c, inizio, fine);
  if (!campioni.Valido()) return c.Errore();
  return CercaQuartiAttivi(campioni, quarto);
}

bool RicostruisciAttivitaLogs(Connessione& c) {
  if (!c.Esegui(kCrea) || !c.Esegui("DELETE FROM LogsAttivita")) return false;
  std::vector<GiornoAttivo> giorni;
  {
    CursoreSqlite campioni(c, kInizioTabella, kFineTabella);
    if (!campioni.Valido()) return false;
    const QString errore = CercaQuartiAttivi(campioni, [&](Istante inizio) {
      const Istante giorno = InizioDi(inizio, kSecondiGiorno);
      if (giorni.empty() || giorni.back().giorno != giorno) giorni.push_back({giorno, {}});
      const auto q = int((inizio - giorno) / kSecondiQuarto);
      giorni.back().quarti[q / 8] |= (unsigned char)(1u << (q % 8));
    });
    if (!errore.isEmpty()) return false;
  }
  Istruzione s = c.Prepara("INSERT INTO LogsAttivita (Giorno, Quarti) VALUES (?1, ?2)");
  if (!s) return false;
  for (const GiornoAttivo& g : giorni) {
    sqlite3_bind_int64(s.get(), 1, g.giorno);
    sqlite3_bind_blob(s.get(), 2, g.quarti.data(), kByteQuarti, SQLITE_STATIC);
    if (sqlite3_step(s.get()) != SQLITE_DONE) return false;
    sqlite3_reset(s.get());
  }
  return true;
}

}  // namespace quarvel
