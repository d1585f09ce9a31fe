#pragma once
// What the simulator knows about the logger files it wrote: the figures a
// correct import and consumption analysis must find in them. Kept as a
// key=value text file beside the files and read back by the end-to-end
// tests and the benchmarks.
#include "Istante.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quarvel::simulatore {

// What a run is asked to simulate.
struct Opzioni {
  std::string targa = "AB123CD";
  Istante dal = 1793577600;  // 2026-11-02 00:00:00, a Monday
  int giorni = 30;
  uint64_t seme = 1;
  // Hours of recording (engine on) on a full working day; Saturday is half a
  // day and Sunday is off unless tuttiIGiorni. From 23.5 on, the day is
  // recorded round the clock with only short pauses between recordings.
  double ore = 11;
  bool tuttiIGiorni = false;
  double capacita = 400;  // tank, litres
  double perditaMarcia = 0;  // litres an hour leaking from the fuel line while moving
};

// Sums over a span of samples, counted on the values as the import stores
// them: a channel with no reading counts as -1 (so a missing road speed
// takes 1 from the speed sum, and a missing rpm is not "engine on").
struct Totali {
  Istante inizio = 0, fine = 0;  // first and last sample
  int64_t campioni = 0;
  int64_t registrazioni = 0;       // recordings opened in the span (trips)
  int64_t sommaGasolio = 0;        // valid fuel-rate readings, units of 0.05 L/h
  int64_t sommaGasolioMarcia = 0;  // the same, only in motion
  int64_t sommaVelocita = 0;       // road speed, km/h, one value a second
  int64_t secondiAcceso = 0;       // rpm > 0
  int64_t secondiMarcia = 0;       // rpm > 0 and speed > 0
  int velocitaMax = 0;

  // One sample with the stored rpm, speed and fuel rate (-1: no reading);
  // the first sample of a recording (DatoPT 0) also counts a trip.
  void Aggiungi(Istante t, bool primoDellaRegistrazione, int giri, int velocita, int gasolio);
  double Litri() const { return double(sommaGasolio) * 0.05 / 3600; }
  double LitriMarcia() const { return double(sommaGasolioMarcia) * 0.05 / 3600; }
  double Km() const { return double(sommaVelocita) / 3600; }
  bool operator==(const Totali&) const = default;
};

// A tank-level jump as the alert level's rule sees it: at the sample
// `istante` (the `campione`-th of the run, from 1) the rounded level reads
// `livelloDopo` while the previous valid reading was `livelloPrima`.
struct Evento {
  Istante istante = 0;
  int64_t campione = 0;
  int livelloPrima = 0, livelloDopo = 0;
  bool operator==(const Evento&) const = default;
};

// Fuel that entered or left the tank: with the engine off, in one step
// between the last sample before a pause and the first after it; with the
// engine idling, from the first to the last second of the flow.
struct EventoCarburante {
  bool rifornimento = true;  // or a theft
  bool motoreSpento = false;
  Istante inizio = 0, fine = 0;
  double litri = 0;  // positive
  bool operator==(const EventoCarburante&) const = default;
};

struct Verita {
  Opzioni opzioni;
  std::vector<std::string> file;  // the logger files, in time order
  Totali totale;
  std::vector<Totali> giorni;         // one per file (day with samples)
  std::vector<Totali> registrazioni;  // one per recording
  // Dashboard counters: the first value that is not 0 and the last value.
  double kmCruscottoIniziali = 0, kmCruscottoFinali = 0;
  double litriCruscottoIniziali = 0, litriCruscottoFinali = 0;
  // The first valid level of the run: the analysis starts from 0, so it
  // lists this reading as a rise when it is above its threshold.
  Evento primoLivello;
  std::vector<Evento> carichi, furti;
  // What really entered and left the tank, in time order; litres in the
  // tank at the first and the last sample; litres leaked while moving;
  // litres the fuel swelled (+) or shrank (-) with its temperature.
  std::vector<EventoCarburante> eventi;
  double litriVeriIniziali = 0, litriVeriFinali = 0, litriPersiInMarcia = 0;
  double litriDilatazione = 0;
  // What a balance of the tank cannot explain: the leak, less the swelling.
  double ScartoVero() const { return litriPersiInMarcia - litriDilatazione; }
};

bool ScriviVerita(const Verita& verita, const std::filesystem::path& percorso,
                  std::string* errore = nullptr);
// Nothing, with the reason in errore, when the file is missing or damaged.
std::optional<Verita> LeggiVerita(const std::filesystem::path& percorso,
                                  std::string* errore = nullptr);

// "2026-11-02" and "2026-11-02 06:12:40", and back.
std::string TestoGiorno(Istante istante);
std::string TestoIstante(Istante istante);
std::optional<Istante> LeggiGiorno(std::string_view testo);
std::optional<Istante> LeggiIstante(std::string_view testo);

}  // namespace quarvel::simulatore
