#include "Verita.h"

#include "Numeri.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace quarvel::simulatore {

void Totali::Aggiungi(Istante t, bool primoDellaRegistrazione, int giri, int velocita,
                      int gasolio) {
  if (campioni == 0) inizio = t;
  fine = t;
  ++campioni;
  if (primoDellaRegistrazione) ++registrazioni;
  const bool acceso = giri > 0;
  const bool marcia = acceso && velocita > 0;
  if (gasolio != -1) {
    sommaGasolio += gasolio;
    if (marcia) sommaGasolioMarcia += gasolio;
  }
  if (acceso) ++secondiAcceso;
  if (marcia) ++secondiMarcia;
  sommaVelocita += velocita;
  if (velocita > velocitaMax) velocitaMax = velocita;
}

std::string TestoGiorno(Istante istante) {
  const DataOra d = Scomponi(istante);
  char testo[16];
  std::snprintf(testo, sizeof testo, "%04d-%02d-%02d", d.anno, d.mese, d.giorno);
  return testo;
}

std::string TestoIstante(Istante istante) {
  const DataOra d = Scomponi(istante);
  char testo[32];
  std::snprintf(testo, sizeof testo, "%04d-%02d-%02d %02d:%02d:%02d", d.anno, d.mese, d.giorno,
                d.ora, d.minuto, d.secondo);
  return testo;
}

namespace {

// Splits "a;b;c" at the semicolons.
std::vector<std::string_view> Parti(std::string_view testo) {
  std::vector<std::string_view> parti;
  for (;;) {
    const auto pos = testo.find(';');
    parti.push_back(testo.substr(0, pos));
    if (pos == std::string_view::npos) return parti;
    testo.remove_prefix(pos + 1);
  }
}

// The shortest text that reads back to the same double.
std::string Reale(double valore) {
  char testo[40];
  return std::string(testo, std::to_chars(testo, testo + sizeof testo, valore).ptr);
}

std::string TestoTotali(const Totali& t) {
  std::ostringstream s;
  s << TestoIstante(t.inizio) << ';' << TestoIstante(t.fine) << ';' << t.campioni << ';'
    << t.registrazioni << ';' << t.sommaGasolio << ';' << t.sommaGasolioMarcia << ';'
    << t.sommaVelocita << ';' << t.secondiAcceso << ';' << t.secondiMarcia << ';'
    << t.velocitaMax;
  return s.str();
}

std::optional<Totali> LeggiTotali(std::string_view testo) {
  const auto p = Parti(testo);
  if (p.size() != 10) return std::nullopt;
  Totali t;
  const auto inizio = LeggiIstante(p[0]), fine = LeggiIstante(p[1]);
  int64_t* interi[] = {&t.campioni,      &t.registrazioni, &t.sommaGasolio,
                       &t.sommaGasolioMarcia, &t.sommaVelocita, &t.secondiAcceso,
                       &t.secondiMarcia};
  for (int i = 0; i < 7; ++i) {
    const auto n = NumeroEsatto<int64_t>(p[2 + i]);
    if (!n) return std::nullopt;
    *interi[i] = *n;
  }
  const auto vmax = NumeroEsatto<int>(p[9]);
  if (!inizio || !fine || !vmax) return std::nullopt;
  t.inizio = *inizio;
  t.fine = *fine;
  t.velocitaMax = *vmax;
  return t;
}

std::string TestoEvento(const Evento& e) {
  return TestoIstante(e.istante) + ';' + std::to_string(e.campione) + ';' +
         std::to_string(e.livelloPrima) + ';' + std::to_string(e.livelloDopo);
}

std::optional<Evento> LeggiEvento(std::string_view testo) {
  const auto p = Parti(testo);
  if (p.size() != 4) return std::nullopt;
  const auto istante = LeggiIstante(p[0]);
  const auto campione = NumeroEsatto<int64_t>(p[1]);
  const auto prima = NumeroEsatto<int>(p[2]), dopo = NumeroEsatto<int>(p[3]);
  if (!istante || !campione || !prima || !dopo) return std::nullopt;
  return Evento{*istante, *campione, *prima, *dopo};
}

std::string TestoEventoCarburante(const EventoCarburante& e) {
  return std::string(e.rifornimento ? "RIFORNIMENTO" : "PRELIEVO") + ';' +
         (e.motoreSpento ? "SPENTO" : "MINIMO") + ';' + TestoIstante(e.inizio) + ';' +
         TestoIstante(e.fine) + ';' + Reale(e.litri);
}

std::optional<EventoCarburante> LeggiEventoCarburante(std::string_view testo) {
  const auto p = Parti(testo);
  if (p.size() != 5 || (p[0] != "RIFORNIMENTO" && p[0] != "PRELIEVO") ||
      (p[1] != "SPENTO" && p[1] != "MINIMO"))
    return std::nullopt;
  const auto inizio = LeggiIstante(p[2]), fine = LeggiIstante(p[3]);
  const auto litri = NumeroEsatto<double>(p[4]);
  if (!inizio || !fine || !litri) return std::nullopt;
  return EventoCarburante{p[0] == "RIFORNIMENTO", p[1] == "SPENTO", *inizio, *fine, *litri};
}

}  // namespace

std::optional<Istante> LeggiGiorno(std::string_view testo) {
  if (testo.size() != 10 || testo[4] != '-' || testo[7] != '-') return std::nullopt;
  const auto a = NumeroEsatto<int>(testo.substr(0, 4)), m = NumeroEsatto<int>(testo.substr(5, 2)),
             g = NumeroEsatto<int>(testo.substr(8, 2));
  if (!a || !m || !g) return std::nullopt;
  return IstanteDa(*a, *m, *g);
}

std::optional<Istante> LeggiIstante(std::string_view testo) {
  if (testo.size() != 19 || testo[10] != ' ' || testo[13] != ':' || testo[16] != ':')
    return std::nullopt;
  const auto giorno = LeggiGiorno(testo.substr(0, 10));
  const auto h = NumeroEsatto<int>(testo.substr(11, 2)), m = NumeroEsatto<int>(testo.substr(14, 2)),
             s = NumeroEsatto<int>(testo.substr(17, 2));
  if (!giorno || !h || !m || !s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
  return *giorno + *h * 3600 + *m * 60 + *s;
}

bool ScriviVerita(const Verita& v, const std::filesystem::path& percorso, std::string* errore) {
  std::ostringstream s;
  const auto riga = [&s](const std::string& chiave, const std::string& valore) {
    s << chiave << '=' << valore << "\r\n";
  };
  s << "# Valori attesi per i file del simulatore Quarvel.\r\n"
       "# totale, giorno, registrazione: inizio;fine;campioni;registrazioni;somma_gasolio;"
       "somma_gasolio_marcia;somma_velocita;secondi_acceso;secondi_marcia;velocita_max\r\n"
       "# somme sui valori come li salva l'import (-1 = nessuna lettura); gasolio in 0,05 L/h\r\n"
       "# carico, furto, primo_livello: i salti di livello oltre 25 (istante;campione;"
       "livello_prima;livello_dopo)\r\n"
       "# evento: RIFORNIMENTO|PRELIEVO;SPENTO|MINIMO;inizio;fine;litri (carburante entrato o "
       "uscito)\r\n";
  const Opzioni& o = v.opzioni;
  riga("targa", o.targa);
  riga("dal", TestoGiorno(o.dal));
  riga("giorni", std::to_string(o.giorni));
  riga("seme", std::to_string(o.seme));
  riga("ore", Reale(o.ore));
  riga("tutti_i_giorni", o.tuttiIGiorni ? "1" : "0");
  riga("capacita", Reale(o.capacita));
  riga("perdita_marcia", Reale(o.perditaMarcia));
  for (const auto& nome : v.file) riga("file", nome);
  riga("totale", TestoTotali(v.totale));
  // Derived figures, for the reader's eye; LeggiVerita recomputes them.
  char derivati[64];
  std::snprintf(derivati, sizeof derivati, "%.6f", v.totale.Litri());
  riga("litri_bruciati", derivati);
  std::snprintf(derivati, sizeof derivati, "%.6f", v.totale.LitriMarcia());
  riga("litri_marcia", derivati);
  std::snprintf(derivati, sizeof derivati, "%.6f", v.totale.Km());
  riga("km", derivati);
  riga("km_cruscotto_iniziali", Reale(v.kmCruscottoIniziali));
  riga("km_cruscotto_finali", Reale(v.kmCruscottoFinali));
  riga("litri_cruscotto_iniziali", Reale(v.litriCruscottoIniziali));
  riga("litri_cruscotto_finali", Reale(v.litriCruscottoFinali));
  riga("primo_livello", TestoEvento(v.primoLivello));
  for (const auto& e : v.carichi) riga("carico", TestoEvento(e));
  for (const auto& e : v.furti) riga("furto", TestoEvento(e));
  for (const auto& e : v.eventi) riga("evento", TestoEventoCarburante(e));
  riga("litri_veri_iniziali", Reale(v.litriVeriIniziali));
  riga("litri_veri_finali", Reale(v.litriVeriFinali));
  riga("litri_persi_in_marcia", Reale(v.litriPersiInMarcia));
  riga("litri_dilatazione", Reale(v.litriDilatazione));
  for (const auto& t : v.giorni) riga("giorno", TestoTotali(t));
  for (const auto& t : v.registrazioni) riga("registrazione", TestoTotali(t));

  std::ofstream file(percorso, std::ios::binary | std::ios::trunc);
  file << s.str();
  file.close();
  if (!file) {
    if (errore) *errore = "impossibile scrivere " + percorso.string();
    return false;
  }
  return true;
}

std::optional<Verita> LeggiVerita(const std::filesystem::path& percorso, std::string* errore) {
  const auto fallisce = [&](const std::string& motivo) -> std::optional<Verita> {
    if (errore) *errore = percorso.string() + ": " + motivo;
    return std::nullopt;
  };
  std::ifstream file(percorso, std::ios::binary);
  if (!file) return fallisce("file mancante o illeggibile");

  Verita v;
  std::map<std::string, int> visti;
  std::string riga;
  for (int numero = 1; std::getline(file, riga); ++numero) {
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    if (riga.empty() || riga[0] == '#') continue;
    const auto uguale = riga.find('=');
    if (uguale == std::string::npos) return fallisce("riga " + std::to_string(numero) + " senza '='");
    const std::string chiave = riga.substr(0, uguale);
    const std::string_view valore = std::string_view(riga).substr(uguale + 1);
    ++visti[chiave];
    bool buono = true;
    const auto prendi = [&buono](auto letto, auto& dove) {
      if (letto) dove = *letto;
      else buono = false;
    };
    const auto accoda = [&buono](auto letto, auto& lista) {
      if (letto) lista.push_back(*letto);
      else buono = false;
    };
    if (chiave == "targa") v.opzioni.targa = std::string(valore);
    else if (chiave == "dal") prendi(LeggiGiorno(valore), v.opzioni.dal);
    else if (chiave == "giorni") prendi(NumeroEsatto<int>(valore), v.opzioni.giorni);
    else if (chiave == "seme") prendi(NumeroEsatto<uint64_t>(valore), v.opzioni.seme);
    else if (chiave == "ore") prendi(NumeroEsatto<double>(valore), v.opzioni.ore);
    else if (chiave == "tutti_i_giorni") v.opzioni.tuttiIGiorni = valore == "1";
    else if (chiave == "capacita") prendi(NumeroEsatto<double>(valore), v.opzioni.capacita);
    else if (chiave == "perdita_marcia") prendi(NumeroEsatto<double>(valore), v.opzioni.perditaMarcia);
    else if (chiave == "file") v.file.emplace_back(valore);
    else if (chiave == "totale") prendi(LeggiTotali(valore), v.totale);
    else if (chiave == "km_cruscotto_iniziali") prendi(NumeroEsatto<double>(valore), v.kmCruscottoIniziali);
    else if (chiave == "km_cruscotto_finali") prendi(NumeroEsatto<double>(valore), v.kmCruscottoFinali);
    else if (chiave == "litri_cruscotto_iniziali")
      prendi(NumeroEsatto<double>(valore), v.litriCruscottoIniziali);
    else if (chiave == "litri_cruscotto_finali")
      prendi(NumeroEsatto<double>(valore), v.litriCruscottoFinali);
    else if (chiave == "primo_livello") prendi(LeggiEvento(valore), v.primoLivello);
    else if (chiave == "carico") accoda(LeggiEvento(valore), v.carichi);
    else if (chiave == "furto") accoda(LeggiEvento(valore), v.furti);
    else if (chiave == "evento") accoda(LeggiEventoCarburante(valore), v.eventi);
    else if (chiave == "litri_veri_iniziali") prendi(NumeroEsatto<double>(valore), v.litriVeriIniziali);
    else if (chiave == "litri_veri_finali") prendi(NumeroEsatto<double>(valore), v.litriVeriFinali);
    else if (chiave == "litri_persi_in_marcia")
      prendi(NumeroEsatto<double>(valore), v.litriPersiInMarcia);
    else if (chiave == "litri_dilatazione") prendi(NumeroEsatto<double>(valore), v.litriDilatazione);
    else if (chiave == "giorno") accoda(LeggiTotali(valore), v.giorni);
    else if (chiave == "registrazione") accoda(LeggiTotali(valore), v.registrazioni);
    if (!buono)
      return fallisce("riga " + std::to_string(numero) + ": valore non valido per " + chiave);
  }
  for (const char* chiave : {"targa", "dal", "giorni", "seme", "totale", "primo_livello"})
    if (visti[chiave] == 0) return fallisce(std::string("manca la chiave ") + chiave);
  return v;
}

}  // namespace quarvel::simulatore
