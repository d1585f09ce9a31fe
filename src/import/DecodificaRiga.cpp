#include "DecodificaRiga.h"

#include "Conversioni.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace quarvel {

namespace {

std::string_view SenzaSpazi(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

// Splits "a<s>b<s>c" with one separator among `ammessi`, the same twice, into
// three runs of digits; their values and lengths.
bool TreNumeri(std::string_view t, std::string_view ammessi, int valori[3], int cifre[3]) {
  char separatore = 0;
  int parte = 0;
  valori[0] = cifre[0] = 0;
  for (char c : t) {
    if (c >= '0' && c <= '9') {
      if (++cifre[parte] > 4) return false;
      valori[parte] = valori[parte] * 10 + (c - '0');
      continue;
    }
    if (separatore == 0 && ammessi.find(c) != std::string_view::npos) separatore = c;
    if (c != separatore || cifre[parte] == 0 || ++parte > 2) return false;
    valori[parte] = cifre[parte] = 0;
  }
  return parte == 2 && cifre[2] > 0;
}

// The logger's no-reading rules and the range of each column. A field that
// does not fit makes the line an error line (`ok` turns false).
struct Conversione {
  bool ok = true;

  // Rounded to 32 bits; `soglia` replaced by `sostituto` at (uguale) or
  // above it; then it must fit 16 bits.
  int16_t Corto(double v, int32_t soglia, bool uguale, int16_t sostituto) {
    const std::optional<int32_t> r = Intero32(v);
    if (!r) return Fallisce<int16_t>();
    if (uguale ? *r == soglia : *r > soglia) return sostituto;
    if (*r < -32768 || *r > 32767) return Fallisce<int16_t>();
    return int16_t(*r);
  }
  // Field 4: above 8000 the engine has no reading (the logger writes 65535
  // then), whatever the size: the sample is kept with -1. Only a value below
  // the 16-bit range is no reading the logger makes.
  int16_t Giri(double v) {
    if (std::isnan(v)) return Fallisce<int16_t>();
    if (std::nearbyint(v) > 8000) return int16_t(-1);
    const std::optional<int16_t> r = Intero16(v);
    if (!r) return Fallisce<int16_t>();
    return *r;
  }
  int32_t Lungo(double v) {
    const std::optional<int32_t> r = Intero32(v);
    if (!r) return Fallisce<int32_t>();
    return *r > 32767 ? -1 : *r;
  }
  float Singolo(double v) {
    if (!(std::fabs(v) <= FLT_MAX)) return Fallisce<float>();
    const float f = float(v);
    return f == 26214.0f ? -1.0f : f;
  }
  double Doppio(double v) { return std::isfinite(v) ? v : Fallisce<double>(); }

  template <typename T>
  T Fallisce() {
    ok = false;
    return T{};
  }
};

}  // namespace

std::optional<Istante> LeggiDataOra(std::string_view data, std::string_view ora) {
  int d[3], cd[3], t[3], ct[3];
  if (!TreNumeri(SenzaSpazi(data), "/-", d, cd) || !TreNumeri(SenzaSpazi(ora), ".:", t, ct))
    return std::nullopt;
  if (ct[0] > 2 || ct[1] > 2 || ct[2] > 2) return std::nullopt;
  int anno, mese, giorno;
  if (cd[0] == 4 && cd[1] <= 2 && cd[2] <= 2) {
    anno = d[0], mese = d[1], giorno = d[2];
  } else if (cd[0] <= 2 && cd[1] <= 2 && cd[2] == 4) {
    giorno = d[0], mese = d[1], anno = d[2];
  } else {
    return std::nullopt;
  }
  if (anno < 100) return std::nullopt;  // before the desktop's first date
  return IstanteDa(anno, mese, giorno, t[0], t[1], t[2]);
}

int16_t OrdinaleRegistrazione(double contatore) {
  if (std::isnan(contatore)) return 0;
  return int16_t(std::clamp(std::nearbyint(contatore), -32768.0, 32767.0));
}

RigaDecodificata DecodificaRigaCSV(std::string_view riga, float contatore) {
  RigaDecodificata r;
  if (riga.substr(0, 12) == "Data,Ora,ID=") {
    r.tipo = TipoRiga::PrimaRiga;
    return r;
  }
  // Characters 1 to 10 and 12 to 19; the 11th is a separator not examined.
  const std::string_view data = riga.substr(0, 10);
  const std::string_view ora = riga.size() > 11 ? riga.substr(11, 8) : std::string_view();
  const std::optional<Istante> istante = LeggiDataOra(data, ora);
  if (!istante) {
    if (data == "Data,Ora,N" && ora == "Status,L") r.tipo = TipoRiga::Intestazione;
    return r;
  }
  if (riga.size() < 20) return r;

  // Sixteen fields from character 21, each up to and including its comma;
  // once no comma is left every further field reads 0.
  double v[16];
  std::string_view resto = riga.substr(20);
  for (double& campo : v) {
    const std::size_t virgola = resto.find(',');
    if (virgola == std::string_view::npos) {
      campo = 0;
      continue;
    }
    campo = LeggiNumero(resto.substr(0, virgola));
    resto.remove_prefix(virgola + 1);
  }

  Conversione k;
  CampioneLog& c = r.campione;
  c.TimeDate = c.TimeDateLH = *istante;
  c.DatoPT = OrdinaleRegistrazione(contatore);
  c.Dato0 = k.Corto(v[0], 65535, true, -1);
  c.Dato1 = k.Corto(v[1], 65535, true, -1);
  c.Dato2 = k.Singolo(v[2]);
  c.Dato3 = k.Giri(v[3]);
  c.Dato4 = k.Corto(v[4], 32767, false, 0);
  c.Dato5 = k.Corto(v[5], 32767, false, -1);
  c.Dato6 = k.Singolo(v[6]);
  c.Dato7 = k.Corto(v[7], 32767, false, -1);
  c.Dato8 = k.Lungo(v[8]);
  c.Dato9 = k.Lungo(v[9]);
  c.Dato10 = k.Doppio(v[10]);
  c.Dato11 = k.Doppio(v[11]);
  c.Dato12 = k.Corto(v[12], 32767, false, -1);
  c.Dato13 = k.Singolo(v[13]);
  c.Dato14 = k.Corto(v[14], 32767, false, -1);
  c.Dato15 = 0;
  c.Dato16 = k.Corto(v[15], 32767, false, 32767);
  if (k.ok) r.tipo = TipoRiga::Dati;
  return r;
}

}  // namespace quarvel
