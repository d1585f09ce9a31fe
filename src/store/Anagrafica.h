#pragma once
// The vehicle registry: the table Anagrafica of DB/Anagrafica97.mdb, one
// record per truck. The registry is small (a fleet), so an open registry
// holds its records in memory in the engine's order (the order in which the
// vehicles were entered) and writes each change through at once.
#include "Connessione.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace quarvel {

// One record, columns 0..6 in the order of the registry query.
struct VeicoloAnagrafica {
  QString Targa;
  QString MarcaModello;
  int16_t Capacita = 0;  // litres
  int16_t Altezza = 0;   // tank height
  double KGasolio = 0;
  double KSensore = 0;
  QString AltreInfo;
  bool operator==(const VeicoloAnagrafica&) const = default;
};

// A capacity or a height that another program stored beyond 16 bits. The
// vehicle holds 0 there; the value as stored is kept here to be reported,
// never wrapped into another number.
struct MisuraFuoriScala {
  QString targa;
  QString colonna;  // "Capacita" or "Altezza"
  long long valore = 0;
};

class DatabaseAnagrafica {
 public:
  // Reads every record and stands on the first. An open registry is closed
  // first.
  Esito Apri(const QString& percorso);
  void Chiudi();
  bool Aperto() const { return connessione_.Aperta(); }

  const std::vector<VeicoloAnagrafica>& Veicoli() const { return veicoli_; }
  const std::vector<MisuraFuoriScala>& FuoriScala() const { return fuoriScala_; }
  bool AllaFine() const { return indice_ >= int(veicoli_.size()); }
  bool AllInizio() const { return indice_ < 0 || veicoli_.empty(); }
  void Primo() { indice_ = 0; }
  void Ultimo() { indice_ = int(veicoli_.size()) - 1; }
  void Successivo() { if (!AllaFine()) ++indice_; }
  void Precedente() { if (indice_ >= 0) --indice_; }
  // Stands on the vehicle of that plate, whatever its letter case; false
  // (and the position unchanged) when there is none.
  bool Posiziona(const QString& targa);
  // The current record, or null at the end or beginning.
  const VeicoloAnagrafica* Corrente() const;

  // Adds a vehicle and stands on it. Refused, with nothing changed, when the
  // plate fails the plate rule (ControllaTarga) or is already present in any
  // letter case.
  Esito Inserisci(const VeicoloAnagrafica& veicolo);
  // Writes columns 1..6 into the current record; its plate stays, whatever
  // veicolo.Targa says.
  Esito Aggiorna(const VeicoloAnagrafica& veicolo);
  // Removes the current record and stands on the one that followed it.
  Esito Elimina();

 private:
  Connessione connessione_;
  std::vector<VeicoloAnagrafica> veicoli_;
  std::vector<int64_t> righe_;  // rowid of each record
  std::vector<MisuraFuoriScala> fuoriScala_;
  int indice_ = 0;
};

// The shared registry of the program, independent of the vehicle database:
// a window may hold it open while it reads samples.
Esito ApriAnagrafica(const QString& percorso);
void ChiudiAnagrafica();
Esito InserisciAnagrafica(const VeicoloAnagrafica& veicolo);
Esito AggiornaAnagrafica(const VeicoloAnagrafica& veicolo);
DatabaseAnagrafica& RecordsetAnagrafica();

// Removes the vehicle of that plate (whatever its letter case) from the
// registry at percorso; its databases and archive folders stay. Fails,
// with nothing changed, when the registry holds no such plate.
Esito EliminaVeicolo(const QString& percorso, const QString& targa);

// The plates of the registry at percorso in the engine's order, for the
// plate lists of the windows; opens and closes the registry on its own.
struct ElencoTarghe {
  Esito esito;
  QStringList targhe;
};
ElencoTarghe TargheAnagrafica(const QString& percorso);

}  // namespace quarvel
