#include "GeneratoreRighe.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>

namespace quarvel {

namespace {
class Scrittore {
 public:
  explicit Scrittore(std::string& s) : s_(s) {}
  void Intero(long long v) {
    char b[24];
    s_.append(b, std::size_t(std::to_chars(b, b + sizeof b, v).ptr - b));
    s_ += ',';
  }
  void Decimale(double v, int cifre) {
    char b[40];
    const char* fine = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, cifre).ptr;
    s_.append(b, std::size_t(fine - b));
    s_ += ',';
  }
  void Due(int v, char dopo) {
    s_ += char('0' + v / 10);
    s_ += char('0' + v % 10);
    s_ += dopo;
  }

 private:
  std::string& s_;
};
}  // namespace

std::string GeneraRighe(int giorni, uint32_t seme) {
  std::mt19937 gen(seme);
  std::uniform_real_distribution<double> u(0, 1);
  std::string s;
  s.reserve(std::size_t(giorni) * 86400 * 100);
  Scrittore w(s);
  double serbatoio = 70, odometro = 123456.7, litri = 34567.25, velocita = 0;
  int recording = 0;
  int stato = 0;  // 0 engine off, 1 idling, 2 driving
  int durata = 0, acceso = 0;
  for (int giorno = 0; giorno < giorni; ++giorno) {
    for (int secondo = 0; secondo < 86400; ++secondo) {
      // Two drivers, round the clock: drives and idles, stops with the
      // engine off, and the break after four and a half hours at the wheel.
      if (stato != 0) ++acceso;
      if (durata-- <= 0) {
        const int prima = stato;
        const double x = u(gen);
        stato = acceso > 16200 ? 0 : x < 0.1 ? 0 : x < 0.3 ? 1 : 2;
        durata = stato == 0 ? (acceso > 16200 ? 2700 : int(600 + u(gen) * 1800))
                 : stato == 1 ? int(120 + u(gen) * 1080)
                              : int(600 + u(gen) * 3000);
        if (stato == 0) acceso = 0;
        if (prima == 0 && stato != 0) {
          s += "Data,Ora,ID=" + std::to_string(4711 + recording++) + ",Targa=AB123CD\r\n";
          s += "Data,Ora,N Status,Livello,Giri,Velocita,Consumo,Km,Litri,Sensore\r\n";
        }
      }
      const double meta = stato == 2 ? 50 + 35 * std::sin(secondo / 400.0) : 0;
      velocita += (meta - velocita) * 0.05 + (stato == 2 ? u(gen) - 0.5 : 0);
      velocita = std::max(0.0, velocita);
      const int giri = stato == 0 ? 0 : int(650 + velocita * 18 + u(gen) * 40);
      const int consumo = stato == 0 ? 0 : int(40 + velocita * 9 + u(gen) * 30);  // 0.05 l/h
      odometro += velocita / 3600;
      litri += consumo * 0.05 / 3600;
      serbatoio -= consumo * 0.05 / 3600 / 6;
      if (secondo == 13 * 3600 || serbatoio < 8) serbatoio = 95;  // a refuel
      const bool senzaSensore = (secondo / 600) % 97 == 3;

      w.Due(1 + giorno, '/');
      s += "12/2026,";
      w.Due(secondo / 3600, '.');
      w.Due(secondo / 60 % 60, '.');
      w.Due(secondo % 60, ',');
      w.Intero(u(gen) < 0.001 ? 65535 : (stato ? 3 : 1));
      w.Intero(u(gen) < 0.001 ? 65535 : int(u(gen) * 200));
      if (senzaSensore) w.Intero(26214); else w.Decimale(serbatoio, 1);
      w.Intero(u(gen) < 0.0005 ? 9000 : giri);
      w.Intero(stato == 2 ? 40 : 0);
      w.Intero(int(velocita));
      w.Decimale(78 + u(gen) * 10, 1);
      w.Intero(int(u(gen) * 1000));
      w.Intero(u(gen) < 0.0005 ? 65535 : consumo);
      w.Intero(0);
      w.Decimale(odometro, 1);
      w.Decimale(litri, 2);
      w.Intero(int(u(gen) * 100));
      if (senzaSensore) w.Intero(26214); else w.Decimale(20 + u(gen) * 5, 1);
      w.Intero(senzaSensore ? 65535 : int(serbatoio * 6));
      w.Intero(int(u(gen) * 30000));
      s += "\r\n";
    }
  }
  return s;
}

}  // namespace quarvel
