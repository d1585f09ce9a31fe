#pragma once
// One vehicle's figures over the fleet's period, from the consumption pass
// and the fuel events, and the columns in which the window, its exports,
// its printed page and quarvel-batch flotta show them. Each figure is the
// one analizza (Km, litres, hours, trips, speed) and rifornimenti (litres
// refuelled, lost, unexplained) give for that vehicle and period.
#include "AnalisiConsumi.h"
#include "TabellaEsportata.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace quarvel {

enum class StatoRigaFlotta {
  Calcolata,
  SenzaCampioni,  // the database holds no sample in the period: every count 0
  Errore,         // the database could not be read: no figures
  Interrotta,     // the user stopped the work
};

struct RigaFlotta {
  QString targa;
  StatoRigaFlotta stato = StatoRigaFlotta::SenzaCampioni;
  QString errore;  // why the database could not be read
  double km = 0;   // computed from the speed
  double litri = 0, litriMarcia = 0, litriMinimo = 0;  // flow meter
  double secondiAcceso = 0, secondiMarcia = 0;
  double viaggi = 0;
  int velocitaMax = 0;
  int superamenti = 0;  // runs above the speed alert level
  // Refuelled, lost and unexplained litres in tenths, as rifornimenti
  // rounds them; the unexplained ones unknown when the tank's ends are.
  int64_t decimiRiforniti = 0, decimiPrelevati = 0;
  std::optional<int64_t> decimiScarto;
};

RigaFlotta RigaDaAnalisi(const QString& targa, const RisultatoAnalisi& r);

// The fleet's row: sums, the highest speed, the unexplained litres of the
// vehicles whose tank ends are known. Rows without figures add nothing.
RigaFlotta TotaleFlotta(const std::vector<RigaFlotta>& righe);

enum class ColonnaFlotta {
  Targa, Km, Litri, KmL, L100, OreMotore, OreMarcia, OreMinimo, LitriMinimo,
  Viaggi, VelocitaMax, Superamenti, Riforniti, Prelevati, Scarto,
};

struct DescrizioneColonna {
  ColonnaFlotta colonna;
  const char* nome;      // the heading of quarvel-batch flotta
  long long numero;      // the language text of the window's heading
  const char* italiano;  // that text in Italian
  int decimali;
};
// Every column, in the window's order.
const std::vector<DescrizioneColonna>& ColonneFlotta();
// The columns of quarvel-batch flotta: all but L/100 km.
std::vector<ColonnaFlotta> ColonneScript();
const DescrizioneColonna& Descrizione(ColonnaFlotta colonna);

// A figure as shown, rounded to its column's decimals (km/L as analizza
// rounds it); nothing where it cannot be given: km/L without litres in
// motion, L/100 km without km, the unexplained litres when the tank's ends
// are unknown, every figure of a row that could not be read. Not for Targa.
std::optional<double> ValoreFlotta(const RigaFlotta& riga, ColonnaFlotta colonna);

// A heading broken into two lines by aCapo at the blank nearest its middle;
// as it is without a blank.
QString IntestazioneInDueRighe(QString testo, QChar aCapo);

// The rows as a table, headings as given, a last row of totals when its
// first cell's text is given.
TabellaEsportata TabellaFlotta(const std::vector<RigaFlotta>& righe,
                               const std::vector<ColonnaFlotta>& colonne,
                               const QStringList& intestazioni, const QString& totale = {});

}  // namespace quarvel
