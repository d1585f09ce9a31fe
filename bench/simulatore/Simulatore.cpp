#include "Simulatore.h"

#include "Camion.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace quarvel::simulatore {

namespace {

// A field as the logger writes it: a whole number, or a scaled one shown
// with a fixed count of decimals (57.3 is {573, 1}). Kept as integers so the
// text is exact and the ground truth sees exactly what was written.
struct Campo {
  int64_t valore = 0;
  int decimali = 0;
};
constexpr int kCampi = 16;
// Field positions (0-based) of the channels the analyses read.
enum : int { kLivello = 2, kGiri = 3, kContatore = 4, kVelocita = 5, kGasolio = 8,
             kOdometro = 10, kContalitri = 11 };

// What the logger writes when a channel has no reading: 26214 in the
// float channels, 65535 in the others.
bool CanaleReale(int campo) { return campo == 2 || campo == 6 || campo == 13; }
Campo NessunaLettura(int campo) { return {CanaleReale(campo) ? 26214 : 65535, 0}; }
// The channels that can drop out (the counter and the dashboard totals do not).
bool PuoMancare(int campo) {
  return campo != kContatore && campo != kOdometro && campo != kContalitri;
}

char* ScriviCampo(char* p, Campo c) {
  if (c.decimali == 0) return std::to_chars(p, p + 24, c.valore).ptr;
  int64_t scala = 1;
  for (int i = 0; i < c.decimali; ++i) scala *= 10;
  int64_t v = c.valore;
  if (v < 0) {
    *p++ = '-';
    v = -v;
  }
  p = std::to_chars(p, p + 24, v / scala).ptr;
  *p++ = '.';
  int64_t resto = v % scala;
  for (int i = c.decimali - 1; i >= 0; --i, resto /= 10) p[i] = char('0' + resto % 10);
  return p + c.decimali;
}

int64_t Intero(double x) { return int64_t(std::floor(x + 0.5)); }

// The level as the analysis takes it: the percentage rounded to a whole
// number, halves to the even neighbour (a value in tenths ends in .5 only
// when it is exactly a half).
int LivelloArrotondato(int64_t decimi) {
  const int64_t intero = decimi / 10, resto = decimi % 10;
  return int(resto > 5 || (resto == 5 && intero % 2 == 1) ? intero + 1 : intero);
}

void DueCifre(char* p, int n) {
  p[0] = char('0' + n / 10);
  p[1] = char('0' + n % 10);
}

class Generatore {
 public:
  Generatore(const Opzioni& o, Destinazione& d)
      : o_(o), d_(d), caso_(o.seme), camion_(o.capacita, caso_) {}
  std::string Esegui();
  Verita verita_;

 private:
  struct Tratto {
    int inizio, durata;  // second of the day, seconds
  };
  std::vector<Tratto> PianoGiorno(Istante mezzanotte);
  void Pausa(Istante ultimo, Istante primo, int giorno);
  bool Registrazione(Istante mezzanotte, Tratto tratto, int giorno);
  void PreparaEventi(int giorno, bool spento);
  double LitriRifornimento();
  double SogliaRifornimento();
  void ChiudiFlusso();

  const Opzioni& o_;
  Destinazione& d_;
  Casuale caso_;
  Camion camion_;
  double aria_ = 15;  // air temperature of the day
  bool continuo_ = false;
  int numeroSerie_ = 0;
  int contatore_ = 0;  // the logger's free-running 16-bit counter
  char prefissoData_[11] = {};
  Totali* giorno_ = nullptr;
  // Fuel events: the days a theft is planned, the level below which the
  // driver refuels, and the ways of each kind taken in turn (engine off at
  // even counts, idling at odd), so that every run holds both.
  std::vector<int> giorniFurto_;
  double sogliaRifornimento_ = 0;  // litres
  int rifornimenti_ = 0, furti_ = 0;
  // An idle event as the samples see it, until its flow stops.
  std::optional<EventoCarburante> flusso_;
  double dilatazioneIniziale_ = 0;
  bool ultimaDelGiorno_ = false;
  // The alert level's rule over the levels written, as the analysis lists
  // its jumps (threshold 25).
  int ultimoLivello_ = 0;
  bool primoLivelloVisto_ = false;
  bool kmVisti_ = false, litriVisti_ = false;
};

std::string Generatore::Esegui() {
  verita_.opzioni = o_;
  const int furti = std::max(2, o_.giorni / 8);
  for (int i = 0; i < furti; ++i) giorniFurto_.push_back(caso_.Intero(0, o_.giorni - 1));
  std::sort(giorniFurto_.begin(), giorniFurto_.end());
  sogliaRifornimento_ = SogliaRifornimento();
  camion_.Perdita(o_.perditaMarcia);
  numeroSerie_ = caso_.Intero(100000, 999999);
  contatore_ = caso_.Intero(0, 65535);

  const Istante primoGiorno = o_.dal - ((o_.dal % 86400) + 86400) % 86400;
  std::optional<Istante> ultimaFine;
  for (int g = 0; g < o_.giorni; ++g) {
    const Istante mezzanotte = primoGiorno + Istante(g) * 86400;
    // The weather changes by a few degrees from one day to the next.
    aria_ = g == 0 ? caso_.Tra(4, 24) : std::clamp(aria_ + 2 * caso_.Gauss(), -5.0, 35.0);
    const auto piano = PianoGiorno(mezzanotte);
    if (piano.empty()) continue;  // a day off: the logger writes nothing

    const DataOra data = Scomponi(mezzanotte);
    char nome[32];
    std::snprintf(nome, sizeof nome, "LOG_%04d%02d%02d.CSV", data.anno, data.mese, data.giorno);
    std::snprintf(prefissoData_, sizeof prefissoData_, "%02d/%02d/%04d", data.giorno, data.mese,
                  data.anno);
    if (!d_.NuovoFile(nome)) return d_.Errore();
    verita_.file.push_back(nome);
    verita_.giorni.emplace_back();
    giorno_ = &verita_.giorni.back();
    for (const Tratto& t : piano) {
      ultimaDelGiorno_ = &t == &piano.back();
      const Istante inizio = mezzanotte + t.inizio;
      if (ultimaFine) Pausa(*ultimaFine, inizio, g);
      else camion_.Parcheggia(12 * 3600, aria_);
      PreparaEventi(g, false);
      if (!Registrazione(mezzanotte, t, g)) return d_.Errore();
      ultimaFine = inizio + t.durata - 1;
    }
    if (!d_.ChiudiFile()) return d_.Errore();
  }
  return {};
}

// The recordings of one day: when the engine runs, from the first ignition
// to the last switch-off, with engine-off stops (deliveries, lunch) between.
std::vector<Generatore::Tratto> Generatore::PianoGiorno(Istante mezzanotte) {
  const int settimana = int((mezzanotte / 86400 + 3) % 7);  // 0 = Monday
  double ore = o_.ore;
  if (!o_.tuttiIGiorni) {
    if (settimana == 6) return {};
    if (settimana == 5) ore /= 2;
  }
  std::vector<Tratto> piano;
  continuo_ = ore >= 23.5;
  if (continuo_) {
    // Round the clock: drivers change, the engine is off only for moments,
    // but for one break a day.
    const int pausaLunga = caso_.Intero(1, 8);
    for (int t = caso_.Intero(0, 10); t < 86400 - 300;) {
      const int durata = std::min(caso_.Intero(3600, 9000), 86400 - t);
      piano.push_back({t, durata});
      t += durata + (int(piano.size()) == pausaLunga ? caso_.Intero(900, 2400) : caso_.Intero(3, 30));
    }
    return piano;
  }

  const int obiettivo = std::clamp(int(ore * 3600 * caso_.Tra(0.9, 1.1)), 300, 86400 - 3600);
  std::vector<int> durate;
  for (int somma = 0; somma < obiettivo;) {
    int d = std::min(caso_.Intero(1800, 10800), obiettivo - somma);
    somma += d;
    if (d < 300 && !durate.empty()) durate.back() += d;  // too short to be a trip of its own
    else durate.push_back(std::max(d, 300));
  }
  const int n = int(durate.size());
  std::vector<int> pause(std::max(n - 1, 0));
  for (int& p : pause) p = caso_.Intero(300, 1800);
  if (n > 1 && obiettivo > 6 * 3600) pause[caso_.Intero(0, n - 2)] = caso_.Intero(2700, 4500);
  int64_t sommaPause = 0;
  for (int p : pause) sommaPause += p;
  const int64_t spazio = 86400 - 60 - obiettivo;
  if (sommaPause > spazio) {  // a long day: shorter stops
    int64_t nuova = 0;
    for (int& p : pause) nuova += p = int(std::max<int64_t>(30, p * spazio / sommaPause));
    sommaPause = nuova;
  }
  const int64_t ultimaPartenza = std::max<int64_t>(0, 86400 - 60 - obiettivo - sommaPause);
  int t = int(std::min<int64_t>(caso_.Intero(5 * 3600 + 1800, 7 * 3600), ultimaPartenza));
  for (int i = 0; i < n; ++i) {
    piano.push_back({t, durate[i]});
    t += durate[i] + (i < n - 1 ? pause[i] : 0);
  }
  return piano;
}

// The litres under which the driver looks for a pump: a quarter to a third
// of the tank, and never less than a good half day's driving.
double Generatore::SogliaRifornimento() {
  return std::max(caso_.Tra(0.22, 0.35) * camion_.Capacita(), 90.0);
}

// Litres the driver puts in: mostly a full tank, now and then a part.
double Generatore::LitriRifornimento() {
  const double spazio = caso_.Tra(0.92, 0.99) * camion_.Capacita() - camion_.Litri();
  const double parte = caso_.Tra(20, 150);
  const double litri = caso_.Probabile(0.3) && parte < spazio ? parte : spazio;
  return double(Intero(std::max(litri, 20.0) * 10)) / 10;
}

// Plans the fuel events due: while the engine is off (spento) they happen
// at once, as one step; otherwise the truck takes them on at its next stop
// long enough, the engine idling.
void Generatore::PreparaEventi(int giorno, bool spento) {
  if (camion_.EventoInAttesa()) return;
  const bool furtoDovuto = !giorniFurto_.empty() && giorno >= giorniFurto_.front() &&
                           camion_.Percento() >= 35;
  const bool rifornimentoDovuto = camion_.Litri() < sogliaRifornimento_;
  // Nearly dry: the driver takes the first pump, whatever he would do.
  const bool urgente = camion_.Litri() < std::max(0.15 * camion_.Capacita(), 60.0);
  if (furtoDovuto && (furti_ % 2 == 0) == spento) {
    const double litri = double(Intero(caso_.Tra(10, 80) * 10)) / 10;
    if (spento) camion_.CambiaLitri(-litri);
    else camion_.EventoAlMinimo(-litri, caso_.Tra(0.1, 0.4));
    ++furti_;
    giorniFurto_.erase(giorniFurto_.begin());
  } else if (rifornimentoDovuto && (urgente || (rifornimenti_ % 2 == 0) == spento)) {
    const double litri = LitriRifornimento();
    if (spento) camion_.CambiaLitri(litri);
    else camion_.EventoAlMinimo(litri, caso_.Tra(0.6, 1.2));
    ++rifornimenti_;
    sogliaRifornimento_ = SogliaRifornimento();
  }
}

// The engine is off between two recordings: a refuel at the pump or a thief
// during a stop of ten minutes or more moves the level in one step, seen
// from the last sample before to the first after. Now and then the driver
// who has just refuelled siphons some off while the engine idles.
void Generatore::Pausa(Istante ultimo, Istante primo, int giorno) {
  const int64_t secondi = primo - ultimo - 1;
  camion_.Parcheggia(secondi, aria_);
  if (secondi < 600) return;
  const double prima = camion_.Litri();
  PreparaEventi(giorno, true);
  const double litri = camion_.Litri() - prima;
  if (litri == 0) return;
  verita_.eventi.push_back({litri > 0, true, ultimo, primo, litri > 0 ? litri : -litri});
  if (litri > 0 && caso_.Probabile(0.25) && camion_.Percento() > 50)
    camion_.EventoAlMinimo(-double(Intero(caso_.Tra(10, 60) * 10)) / 10, caso_.Tra(0.1, 0.4));
}

// Closes the idle event under way, if any.
void Generatore::ChiudiFlusso() {
  if (!flusso_) return;
  if (flusso_->litri < 0) {
    flusso_->rifornimento = false;
    flusso_->litri = -flusso_->litri;
  }
  verita_.eventi.push_back(*flusso_);
  flusso_.reset();
}

bool Generatore::Registrazione(Istante mezzanotte, Tratto tratto, int giorno) {
  char serie[16];
  std::snprintf(serie, sizeof serie, "%06d", numeroSerie_);
  if (!d_.Riga("Data,Ora,ID=" + o_.targa + ",SN=QL" + serie + ",FW=3.12,Periodo=1s") ||
      !d_.Riga("Data,Ora,N Status,Livello,Giri,Contatore,Velocita,Temperatura,Pedale,"
                  "Consumo,Carico,Km,Litri,Marcia,Batteria,Sensore,Ingressi,"))
    return false;

  camion_.Avvia(tratto.durata, ultimaDelGiorno_);
  verita_.registrazioni.emplace_back();
  Totali& registrazione = verita_.registrazioni.back();
  // Some loggers read the dashboard totals as 0 in the first seconds.
  const int zeriCruscotto = caso_.Probabile(0.3) ? caso_.Intero(1, 3) : 0;
  int buio[kCampi] = {};  // seconds a channel still has no reading
  int mancanti = 0;       // lines the logger still skips
  bool primo = true;
  char riga[400];
  std::memcpy(riga, prefissoData_, 10);
  riga[10] = ',';

  for (int s = 0; s < tratto.durata; ++s) {
    // Running low on a long drive: the driver looks for a pump now.
    if (s % 600 == 599 && camion_.Litri() < 60) PreparaEventi(giorno, false);
    const Lettura l = camion_.Passo();
    const Istante adesso = mezzanotte + tratto.inizio + s;
    if (l.flusso != 0) {
      if (!flusso_) flusso_ = EventoCarburante{true, false, adesso, adesso, 0};
      flusso_->fine = adesso;
      flusso_->litri += l.flusso;
    } else {
      ChiudiFlusso();
    }
    verita_.litriPersiInMarcia += l.perdita;
    if (s == 0 && verita_.totale.campioni == 0) {
      verita_.litriVeriIniziali = camion_.Litri();
      dilatazioneIniziale_ = camion_.Dilatazione();
    }
    verita_.litriVeriFinali = camion_.Litri();
    verita_.litriDilatazione = camion_.Dilatazione() - dilatazioneIniziale_;
    contatore_ = (contatore_ + 1) & 0xFFFF;
    for (int& b : buio) b = std::max(b - 1, 0);
    if (caso_.Probabile(1.0 / 2500)) {
      int campo;
      do campo = caso_.Intero(0, kCampi - 1);
      while (!PuoMancare(campo));
      const double u = caso_.Uniforme();
      buio[campo] = u < 0.7 ? 1 : u < 0.95 ? caso_.Intero(2, 5) : caso_.Intero(6, 40);
    }
    if (mancanti > 0) {
      --mancanti;
      continue;
    }
    if (s >= 10 && caso_.Probabile(1.0 / 15000)) {  // a short hole in the recording
      mancanti = caso_.Intero(1, 5) - 1;
      continue;
    }

    const bool cruscottoZero = s < zeriCruscotto;
    Campo c[kCampi] = {
        {l.stato, 0},
        {16, 0},
        {Intero(l.livello * 10), 1},
        {l.giri, 0},
        {contatore_, 0},
        {Intero(l.velocita), 0},
        {Intero(l.temperatura * 10), 1},
        {l.pedale, 0},
        {Intero(l.litriOra * 20), 0},  // units of 0.05 L/h
        {l.caricoMotore, 0},
        {cruscottoZero ? 0 : int64_t(std::floor(l.odometroMetri / 5)) * 5, cruscottoZero ? 0 : 3},
        {cruscottoZero ? 0 : int64_t(std::floor(l.contalitri * 2)) * 5, cruscottoZero ? 0 : 1},
        {l.marcia, 0},
        {Intero(l.batteria * 100), 2},
        {Intero(l.sensoreLitri), 0},
        {l.ingressi, 0},
    };
    for (int i = 0; i < kCampi; ++i)
      if (buio[i] > 0) c[i] = NessunaLettura(i);

    const int secondo = tratto.inizio + s;
    char* p = riga + 11;
    DueCifre(p, secondo / 3600);
    p[2] = '.';
    DueCifre(p + 3, secondo / 60 % 60);
    p[5] = '.';
    DueCifre(p + 6, secondo % 60);
    p[8] = ',';
    p += 9;
    for (const Campo& campo : c) {
      p = ScriviCampo(p, campo);
      *p++ = ',';
    }
    if (!d_.Riga(std::string_view(riga, std::size_t(p - riga)))) return false;

    // The ground truth, from the values as the import will store them.
    const Istante t = mezzanotte + secondo;
    const int giri = buio[kGiri] ? -1 : int(c[kGiri].valore);
    const int velocita = buio[kVelocita] ? -1 : int(c[kVelocita].valore);
    const int gasolio = buio[kGasolio] ? -1 : int(c[kGasolio].valore);
    for (Totali* totali : {&verita_.totale, giorno_, &registrazione})
      totali->Aggiungi(t, primo, giri, velocita, gasolio);
    primo = false;
    const int64_t campione = verita_.totale.campioni;
    if (!buio[kLivello]) {
      const int livello = LivelloArrotondato(c[kLivello].valore);
      if (livello > 0) {
        const Evento e{t, campione, ultimoLivello_, livello};
        if (!primoLivelloVisto_) {
          verita_.primoLivello = e;
          primoLivelloVisto_ = true;
        } else if (livello > ultimoLivello_ + 25) {
          verita_.carichi.push_back(e);
        } else if (livello < ultimoLivello_ - 25) {
          verita_.furti.push_back(e);
        }
        ultimoLivello_ = livello;
      }
    }
    if (!cruscottoZero) {
      const double km = double(c[kOdometro].valore) / 1000;
      const double litri = double(c[kContalitri].valore) / 10;
      if (!kmVisti_) verita_.kmCruscottoIniziali = km;
      if (!litriVisti_) verita_.litriCruscottoIniziali = litri;
      kmVisti_ = litriVisti_ = true;
    }
    verita_.kmCruscottoFinali = double(c[kOdometro].valore) / 1000;
    verita_.litriCruscottoFinali = double(c[kContalitri].valore) / 10;
  }
  ChiudiFlusso();
  return true;
}

// The logger files of a folder, written through a large buffer.
class DestinazioneCartella : public Destinazione {
 public:
  explicit DestinazioneCartella(std::filesystem::path cartella) : cartella_(std::move(cartella)) {}
  ~DestinazioneCartella() override {
    if (file_) std::fclose(file_);
  }
  bool NuovoFile(const std::string& nome) override {
    percorso_ = cartella_ / nome;
    file_ = std::fopen(percorso_.c_str(), "wb");
    if (!file_) return Fallito("impossibile creare ");
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    return true;
  }
  bool Riga(std::string_view riga) override {
    if (std::fwrite(riga.data(), 1, riga.size(), file_) != riga.size() ||
        std::fwrite("\r\n", 1, 2, file_) != 2)
      return Fallito("impossibile scrivere ");
    return true;
  }
  bool ChiudiFile() override {
    const int esito = std::fclose(file_);
    file_ = nullptr;
    return esito == 0 || Fallito("impossibile scrivere ");
  }
  std::string Errore() const override { return errore_; }

 private:
  bool Fallito(const char* cosa) {
    errore_ = cosa + percorso_.string() + ": " + std::strerror(errno);
    return false;
  }
  std::filesystem::path cartella_, percorso_;
  std::FILE* file_ = nullptr;
  std::string errore_;
};

bool NomeFileLog(const std::string& nome) {
  if (nome.size() != 16 || nome.compare(0, 4, "LOG_") != 0 || nome.compare(12, 4, ".CSV") != 0)
    return false;
  return std::all_of(nome.begin() + 4, nome.begin() + 12, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string ControllaOpzioni(const Opzioni& o) {
  const bool targaBuona =
      !o.targa.empty() && o.targa.size() <= 12 &&
      std::all_of(o.targa.begin(), o.targa.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
      });
  if (!targaBuona) return "la targa deve avere da 1 a 12 lettere o cifre";
  if (o.giorni < 1 || o.giorni > 366) return "i giorni devono essere da 1 a 366";
  if (!(o.ore >= 0.5 && o.ore <= 24)) return "le ore di un giorno lavorativo devono essere da 0.5 a 24";
  if (!(o.capacita >= 50 && o.capacita <= 2000))
    return "la capacita del serbatoio deve essere da 50 a 2000 litri";
  if (!(o.perditaMarcia >= 0 && o.perditaMarcia <= 100))
    return "la perdita in marcia deve essere da 0 a 100 litri all'ora";
  if (Scomponi(o.dal).anno < 1900 || Scomponi(o.dal + Istante(o.giorni) * 86400).anno > 9999)
    return "i giorni simulati devono cadere tra il 1900 e il 9999";
  return {};
}

Esito Simula(const Opzioni& opzioni, Destinazione& destinazione) {
  Esito esito;
  esito.errore = ControllaOpzioni(opzioni);
  if (!esito.errore.empty()) return esito;
  Generatore generatore(opzioni, destinazione);
  esito.errore = generatore.Esegui();
  esito.verita = std::move(generatore.verita_);
  return esito;
}

std::filesystem::path CartellaLog(const std::filesystem::path& cartella) {
  return cartella / "LOG";
}
std::filesystem::path FileVerita(const std::filesystem::path& cartella) {
  return cartella / "verita.txt";
}

Esito ScriviCartella(const Opzioni& opzioni, const std::filesystem::path& cartella) {
  Esito esito;
  esito.errore = ControllaOpzioni(opzioni);
  if (!esito.errore.empty()) return esito;
  const auto log = CartellaLog(cartella);
  std::error_code ec;
  std::filesystem::create_directories(log, ec);
  if (ec) {
    esito.errore = "impossibile creare la cartella " + log.string() + ": " + ec.message();
    return esito;
  }
  // Files of an earlier run would not match the new ground truth.
  std::vector<std::filesystem::path> vecchi;
  for (auto it = std::filesystem::directory_iterator(log, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (NomeFileLog(it->path().filename().string())) vecchi.push_back(it->path());
  }
  for (const auto& vecchio : vecchi)
    if (!ec) std::filesystem::remove(vecchio, ec);
  if (ec) {
    esito.errore = "impossibile vuotare la cartella " + log.string() + ": " + ec.message();
    return esito;
  }
  DestinazioneCartella destinazione(log);
  esito = Simula(opzioni, destinazione);
  if (esito.errore.empty()) ScriviVerita(esito.verita, FileVerita(cartella), &esito.errore);
  return esito;
}

}  // namespace quarvel::simulatore
