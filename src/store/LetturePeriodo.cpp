#include "LetturePeriodo.h"

#include "CursoreSqlite.h"
#include "IndiciLogs.h"
#include "OreLogs.h"

namespace quarvel {

namespace {
// The cursor of the period, and the readings through it.
class LettureDaLogs final : public SorgenteLetture {
 public:
  LettureDaLogs(Connessione& c, Istante inizio, Istante fine)
      : cursore_(c, inizio, fine), letture_(cursore_) {}
  bool Valido() const { return cursore_.Valido(); }
  std::span<const LetturaCampione> Prossime() override { return letture_.Prossime(); }
  QString Errore() const override { return letture_.Errore(); }

 private:
  CursoreSqlite cursore_;
  LettureDaCursore letture_;
};
}  // namespace

std::unique_ptr<SorgenteLetture> LettureMigliori(Connessione& c, Istante inizio, Istante fine) {
  if (c.Esegui("BEGIN")) {
    if (IndiciCorrenti(c, OreCompatte::Comprese)) return std::make_unique<LettureOre>(c, inizio, fine);
    c.Esegui("COMMIT");
  }
  auto letture = std::make_unique<LettureDaLogs>(c, inizio, fine);
  if (!letture->Valido()) return nullptr;
  return letture;
}

LetturePeriodo::~LetturePeriodo() {
  // Its statements go before the connection.
  sorgente_.reset();
}

Esito LetturePeriodo::Apri(const QString& percorso, Istante inizio, Istante fine) {
  sorgente_.reset();
  bool aggiornati = false;
  if (Esito e = ApriIndiciLogs(connessione_, percorso, aggiornati, OreCompatte::Comprese); !e) return e;
  sorgente_ = LettureMigliori(connessione_, inizio, fine);
  if (!sorgente_) {
    const Esito e = connessione_.Fallimento();
    connessione_.Chiudi();
    return e;
  }
  compatte_ = dynamic_cast<LettureOre*>(sorgente_.get()) != nullptr;
  return {};
}

std::span<const LetturaCampione> LetturePeriodo::Prossime() {
  return sorgente_ ? sorgente_->Prossime() : std::span<const LetturaCampione>();
}

QString LetturePeriodo::Errore() const {
  return sorgente_ ? sorgente_->Errore() : connessione_.Errore();
}

}  // namespace quarvel
