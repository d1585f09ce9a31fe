#include "LettureFlotta.h"

#include "Logs.h"

namespace quarvel {

namespace {
// The database and the readings through its cursor, gone together.
class LettureDaDatabase final : public SorgenteLetture {
 public:
  Esito Apri(const QString& percorso, Istante inizio, Istante fine) {
    if (Esito e = db_.Apri(percorso, inizio, fine); !e) return e;
    letture_ = std::make_unique<LettureDaCursore>(db_.Cursore());
    return {};
  }
  std::span<const LetturaCampione> Prossime() override { return letture_->Prossime(); }
  QString Errore() const override { return letture_->Errore(); }

 private:
  DatabaseLogs db_;
  std::unique_ptr<LettureDaCursore> letture_;
};
}  // namespace

LettureAperte ApriLetturePeriodo(const QString& percorso, Istante inizio, Istante fine) {
  auto letture = std::make_unique<LettureDaDatabase>();
  LettureAperte r;
  r.esito = letture->Apri(percorso, inizio, fine);
  if (r.esito) r.letture = std::move(letture);
  return r;
}

}  // namespace quarvel
