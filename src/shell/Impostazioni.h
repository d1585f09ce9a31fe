#pragma once
// The settings of the run, shared by every window: filled at start-up from
// the defaults and Quarvelini.ini, changed in memory by the option windows,
// written back to the file only when the main window closes.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace quarvel {

struct Impostazioni {
  int16_t TipoDB = 0;                 // 0 Access 97, 1 Access 2000, 2 Access 2002
  int16_t CapacitaSerbatoio = 0;      // litres
  int16_t LivelloAllertGasolio = 0;   // fuel alert level
  int16_t LivelloAllertVelocita = 0;  // speed alert in km/h
  int16_t TipoReport = 0;             // written to the file, never read back
  int16_t Lingua = 0;                 // 0 Italian, 1 English, 2 Spanish
  QString CodiceLingua;               // "IT", "EN", "ES": names .lan and pictures
  QString PercorsoAnagrafica;         // registry database
  QString AnnoDB;                     // year of the vehicle databases read
};

// The one set of settings of the run.
Impostazioni& Imp();

// The language code of a language index: nothing outside 0 to 2.
std::optional<QString> CodiceDaLingua(int lingua);

// Fixed defaults: capacity 250, fuel alert 25, database type 0, the registry
// below the program folder, this year, Italian. Everything else zero.
void InizializzaDefault();

// What LeggiIni met. A missing file is no fault: the defaults stand.
struct EsitoLetturaIni {
  bool trovato = false;
  QString erroreApertura;       // the file is there but could not be read
  QStringList valoriMancanti;   // settings left at their default (line missing)
  QStringList valoriFuoriScala; // settings left at their default (beyond 16 bits)
  bool Difettoso() const {
    return !erroreApertura.isEmpty() || !valoriMancanti.isEmpty() || !valoriFuoriScala.isEmpty();
  }
  // One message for the user telling what kept its default; empty when sound.
  QString Descrizione() const;
};
EsitoLetturaIni LeggiIni();

// Rewrites Quarvelini.ini from memory; on failure the old file is untouched
// and the text says why.
struct EsitoScritturaIni {
  bool ok = true;
  QString errore;
};
EsitoScritturaIni ScriviIni();
// A settings file written whole (CR LF lines) or not at all, keeping the
// owner of the file it replaces.
EsitoScritturaIni ScriviFileImpostazioni(const QString& percorso, const QStringList& righe);

// Appends an entry (the text, then the number as a value line) to the
// activity log Quarvelini.Log.
bool ScriviFileLog(const QString& testo, long long numero);

QString PercorsoIni();
QString PercorsoLog();

}  // namespace quarvel
