#include "Argomenti.h"

#include "Numeri.h"
#include "Simulatore.h"

namespace quarvel::simulatore {

const char* const kTestoUso =
    "Uso: quarvel-simulatore --cartella CARTELLA [opzioni]\n"
    "Scrive i file che il logger di un camion scriverebbe, uno al giorno, in\n"
    "CARTELLA/LOG e i valori attesi in CARTELLA/verita.txt.\n"
    "  --targa TARGA      targa del veicolo (AB123CD)\n"
    "  --dal AAAA-MM-GG   primo giorno simulato (2026-11-02)\n"
    "  --giorni N         giorni simulati, da 1 a 366 (30)\n"
    "  --seme N           seme dei numeri casuali (1): stesso seme, stessi file\n"
    "  --ore H            ore di registrazione di un giorno lavorativo, fino a 24 (11);\n"
    "                     il sabato ne conta la meta, la domenica e di riposo\n"
    "  --tutti-i-giorni   si lavora anche il sabato e la domenica, a orario pieno\n"
    "  --capacita L       capacita del serbatoio in litri (400)\n"
    "  --perdita-marcia L litri all'ora persi dal tubo del gasolio in marcia (0)\n"
    "  --aiuto            questo testo\n"
    "Per un mese di 2,6 milioni di righe: --giorni 30 --ore 24 --tutti-i-giorni\n";

RigaComando LeggiRigaComando(const std::vector<std::string>& argomenti) {
  RigaComando r;
  Opzioni& o = r.opzioni;
  bool cartellaData = false;
  for (std::size_t i = 0; i < argomenti.size() && r.errore.empty(); ++i) {
    std::string nome = argomenti[i];
    std::optional<std::string> valore;
    if (const auto uguale = nome.find('='); nome.rfind("--", 0) == 0 && uguale != std::string::npos) {
      valore = nome.substr(uguale + 1);
      nome.resize(uguale);
    }
    if (nome == "--aiuto" || nome == "--help" || nome == "-h") {
      r.aiuto = true;
      continue;
    }
    if (nome == "--tutti-i-giorni") {
      if (valore) r.errore = nome + " non vuole un valore";
      o.tuttiIGiorni = true;
      continue;
    }
    const bool conValore = nome == "--targa" || nome == "--dal" || nome == "--giorni" ||
                           nome == "--seme" || nome == "--cartella" || nome == "--ore" ||
                           nome == "--capacita" || nome == "--perdita-marcia";
    if (!conValore) {
      r.errore = nome.rfind("-", 0) == 0 ? "opzione sconosciuta: " + nome
                                         : "argomento inatteso: " + nome;
      break;
    }
    if (!valore) {
      if (i + 1 >= argomenti.size()) {
        r.errore = "manca il valore di " + nome;
        break;
      }
      valore = argomenti[++i];
    }
    const std::string& v = *valore;
    bool buono = true;
    const auto prendi = [&buono](auto letto, auto& dove) {
      if (letto) dove = *letto;
      else buono = false;
    };
    if (nome == "--targa") o.targa = v;
    else if (nome == "--dal") prendi(LeggiGiorno(v), o.dal);
    else if (nome == "--giorni") prendi(NumeroEsatto<int>(v), o.giorni);
    else if (nome == "--seme") prendi(NumeroEsatto<uint64_t>(v), o.seme);
    else if (nome == "--ore") prendi(NumeroEsatto<double>(v), o.ore);
    else if (nome == "--capacita") prendi(NumeroEsatto<double>(v), o.capacita);
    else if (nome == "--perdita-marcia") prendi(NumeroEsatto<double>(v), o.perditaMarcia);
    else {
      r.cartella = v;
      cartellaData = !v.empty();
      buono = cartellaData;
    }
    if (!buono)
      r.errore = nome == "--dal" ? "--dal vuole una data esistente AAAA-MM-GG, non \"" + v + "\""
                                 : "valore non valido per " + nome + ": \"" + v + "\"";
  }
  if (r.errore.empty() && !r.aiuto) {
    if (!cartellaData) r.errore = "manca --cartella";
    else r.errore = ControllaOpzioni(o);
  }
  return r;
}

}  // namespace quarvel::simulatore
