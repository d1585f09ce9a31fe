#include "DatiGrafico.h"

#include "Logs.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace quarvel {

namespace {
// The moving average of the sensor level: a ring of the last 121 values.
class MediaMobile {
 public:
  int16_t Aggiungi(int16_t v) {
    // The sum of the ring's slots, kept as slots change.
    somma_ += v - anello_[scrivi_];
    anello_[scrivi_] = v;
    scrivi_ = (scrivi_ + 1) % kPosti;
    if (quanti_ < kPosti) ++quanti_;
    return int16_t(somma_ / quanti_);  // the values are positive: floor
  }
  void Svuota() { *this = MediaMobile(); }

 private:
  static constexpr int kPosti = 121;
  std::array<int16_t, kPosti> anello_{};
  int scrivi_ = 0;
  int quanti_ = 0;
  int32_t somma_ = 0;
};

// Larger gaps between two samples empty the average.
constexpr Istante kSaltoMassimo = 2;
}  // namespace

const DatiGrafico::Canale& DatiGrafico::Dato(int canale) const {
  switch (canale) {
    case 0: return Dato_C1;
    case 1: return Dato_C2;
    case 2: return Dato_C3;
    default: return Dato_C4;
  }
}

QString TestoOrario(Istante istante) {
  if (istante == kOrarioVuoto) return {};
  const DataOra d = Scomponi(istante);
  return QString::asprintf("%02d/%02d/%04d %02d.%02d.%02d", d.giorno, d.mese, d.anno, d.ora,
                           d.minuto, d.secondo);
}

int16_t Intero16Saturato(double valore) {
  if (std::isnan(valore)) return 0;
  const double r = std::nearbyint(valore);  // the default rounding: halves to even
  return int16_t(std::clamp(r, double(INT16_MIN), double(INT16_MAX)));
}

void CaricaCampioni(DatiGrafico& d, CursoreLogs& c) {
  MediaMobile media;
  int i = 0;
  while (!c.AllaFine() && i < kCampioniPagina) {
    const Istante t = c.TimeDate();
    d.Orari[i] = t;
    d.Dato_C1[i] = Intero16Saturato(c.Reale(kDato2));
    d.Dato_C2[i] = int16_t(c.Intero(kDato3));
    d.Dato_C3[i] = int16_t(c.Intero(kDato5));
    if (const auto sensore = int16_t(c.Intero(kDato14)); sensore > 0)
      d.Dato_C4[i] = media.Aggiungi(sensore);
    ++i;
    c.Successivo();
    if (!c.AllaFine() && c.TimeDate() - t > kSaltoMassimo) media.Svuota();
  }
  d.CampioniCaricati = int16_t(i);
}

Esito Carica4hGrafico(DatiGrafico& dati, const QString& percorso, double primo) {
  // Far beyond any database, and within the 64 bits of a record number.
  const int64_t p = primo > 0 ? std::llrint(std::min(primo, 1e18)) : 0;
  OrdinaliLogs ordinali;
  if (Esito e = ordinali.Apri(percorso); !e) return e;
  const RicercaOrdinale chiave = ordinali.ChiaveDelRecord(p);
  ordinali.Chiudi();
  if (!chiave.esito) return chiave.esito;
  if (!chiave.valore) {
    dati.CampioniCaricati = 0;  // past the end of the data
    return {};
  }
  DatabaseLogs db;
  if (Esito e = db.Apri(percorso, *chiave.valore, kFineTabella); !e) return e;
  // Loaded aside: a page that fails halfway changes nothing.
  auto nuovi = std::make_unique<DatiGrafico>(dati);
  CaricaCampioni(*nuovi, db.Cursore());
  if (const QString errore = db.Cursore().Errore(); !errore.isEmpty())
    return Esito::Fallito(kErroreDatabase + errore);
  dati = *nuovi;
  return {};
}

RicercaOrdinale OrdinaleDelMinuto(const QString& percorso, Istante minuto) {
  OrdinaliLogs ordinali;
  if (Esito e = ordinali.Apri(percorso); !e) return {e, std::nullopt};
  RicercaOrdinale r = ordinali.OrdinaleDi(minuto);
  if (r.valore) ++*r.valore;
  return r;
}

int16_t BloccoDelSalto(int64_t p) { return Intero16Saturato(double(p) / double(kRecordBlocco)); }

}  // namespace quarvel
