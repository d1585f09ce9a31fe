// quarvel-simulatore: writes a truck logger's files for tests and benchmarks.
#include "Argomenti.h"
#include "Simulatore.h"

#include <chrono>
#include <cstdio>

using namespace quarvel::simulatore;

int main(int argc, char** argv) {
  const RigaComando riga = LeggiRigaComando(std::vector<std::string>(argv + 1, argv + argc));
  if (riga.aiuto && riga.errore.empty()) {
    std::fputs(kTestoUso, stdout);
    return 0;
  }
  if (!riga.errore.empty()) {
    std::fprintf(stderr, "quarvel-simulatore: %s\n\n%s", riga.errore.c_str(), kTestoUso);
    return 2;
  }
  const auto inizio = std::chrono::steady_clock::now();
  const Esito esito = ScriviCartella(riga.opzioni, riga.cartella);
  const std::chrono::duration<double> durata = std::chrono::steady_clock::now() - inizio;
  if (!esito.errore.empty()) {
    std::fprintf(stderr, "quarvel-simulatore: %s\n", esito.errore.c_str());
    return 1;
  }
  const Verita& v = esito.verita;
  std::printf("%zu file, %lld righe dati, %lld registrazioni in %s (%.2f s)\n", v.file.size(),
              static_cast<long long>(v.totale.campioni),
              static_cast<long long>(v.totale.registrazioni), CartellaLog(riga.cartella).c_str(),
              durata.count());
  int rifornimenti = 0;
  for (const EventoCarburante& e : v.eventi) rifornimenti += e.rifornimento;
  std::printf("litri %.3f, km %.3f, %d rifornimenti, %d prelievi; valori attesi in %s\n",
              v.totale.Litri(), v.totale.Km(), rifornimenti, int(v.eventi.size()) - rifornimenti,
              FileVerita(riga.cartella).c_str());
  return 0;
}
