// Fuzzing of the line decoder and the import driver. Lines of the logger
// simulator are damaged the ways a stick, a logger or an editor damage them
// (bit flips, cut lines, lines run together, huge and impossible numbers,
// NUL bytes, stray line ends, overlong lines) and go
//  - one by one through the decoder, whose samples must hold a real date,
//    their time twice, Dato15 = 0 and a DatoPT of the counter it was given;
//  - in files through the whole import, whose counts must add up to the
//    lines of the files, whose database must grow by the samples it counts,
//    and whose error output must never show more than 1,000 characters of a
//    line.
// Built with AddressSanitizer and UBSan by scripts/sanitizzatori.sh, which
// stops at the first report. Deterministic: the same seed, the same run.
//
//   fuzz_import [--righe N] [--seme S]
#include "CartellaProgramma.h"
#include "DecodificaRiga.h"
#include "ImportaLog.h"
#include "LettoreRighe.h"
#include "Logs.h"
#include "Messaggi.h"
#include "Simulatore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace quarvel;

namespace {

class InMemoria : public simulatore::Destinazione {
 public:
  std::vector<std::string> righe;
  bool NuovoFile(const std::string&) override { return true; }
  bool Riga(std::string_view riga) override {
    righe.emplace_back(riga);
    return true;
  }
  bool ChiudiFile() override { return true; }
  std::string Errore() const override { return {}; }
};

[[noreturn]] void Fallito(const char* cosa, const std::string& caso) {
  std::fprintf(stderr, "fuzz_import: %s\ncaso (%zu byte): ", cosa, caso.size());
  for (unsigned char c : caso.substr(0, 400)) std::fprintf(stderr, c >= 32 && c < 127 ? "%c" : "\\x%02x", c);
  std::fprintf(stderr, "\n");
  std::abort();
}

class Mutatore {
 public:
  explicit Mutatore(unsigned seme) : gen_(seme) {}
  unsigned Caso(unsigned n) { return unsigned(gen_() % n); }

  std::string Muta(std::string riga) {
    static const char* const enormi[] = {"1e308", "-1e308", "1e999", "99999999999999999999999",
                                         "-32769", "65535", "26214", "4294967296", "nan", "inf",
                                         "-0", "0x7fff", ".", "-", "e5", "1e-400"};
    for (unsigned n = 1 + Caso(3); n > 0; --n) {
      const std::size_t p = riga.empty() ? 0 : Caso(unsigned(riga.size()));
      switch (Caso(9)) {
        case 0: if (!riga.empty()) riga[p] = char(riga[p] ^ (1 << Caso(8))); break;  // a bit flip
        case 1: riga.resize(p); break;                                               // cut
        case 2: riga.insert(p, 1, char(Caso(256))); break;
        case 3: if (!riga.empty()) riga.erase(p, 1); break;
        case 4: riga.insert(p, 1, '\0'); break;
        case 5: {  // a field replaced by a huge or impossible number
          const std::size_t a = riga.find(',', p), b = a == std::string::npos ? a : riga.find(',', a + 1);
          if (b != std::string::npos) riga.replace(a + 1, b - a - 1, enormi[Caso(16)]);
          break;
        }
        case 6: riga.insert(p, 1, "\r\n"[Caso(2)]); break;  // a stray line end
        case 7: riga.insert(p, std::string(1 + Caso(3000), ' ')); break;
        default: break;  // left whole
      }
    }
    return riga;
  }

 private:
  std::mt19937_64 gen_;
};

// The decoder's promises on one line.
void ControllaDecodifica(const std::string& riga, float contatore) {
  const RigaDecodificata d = DecodificaRigaCSV(riga, contatore);
  if (d.tipo != TipoRiga::Dati) return;
  const CampioneLog& c = d.campione;
  if (riga.size() < 20) Fallito("a data line shorter than 20 characters", riga);
  if (LeggiDataOra(std::string_view(riga).substr(0, 10), std::string_view(riga).substr(11, 8)) != c.TimeDate)
    Fallito("TimeDate is not the line's date and time", riga);
  if (c.TimeDateLH != c.TimeDate || c.Dato15 != 0) Fallito("TimeDateLH or Dato15", riga);
  if (c.DatoPT != OrdinaleRegistrazione(contatore)) Fallito("DatoPT is not the counter", riga);
}

int64_t Righe(const QString& db) {
  DatabaseLogs d;
  if (!d.Apri(db)) return -1;
  int64_t n = 0;
  CursoreLogs& c = d.Cursore();
  for (c.Primo(); !c.AllaFine(); c.Successivo()) ++n;
  return c.Errore().isEmpty() ? n : -1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  long long righe = 200000;
  unsigned seme = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--righe") == 0) righe = std::atoll(argv[i + 1]);
    if (std::strcmp(argv[i], "--seme") == 0) seme = unsigned(std::atoll(argv[i + 1]));
  }

  // A program folder with one template, and a stick.
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("DB");
  QDir(dir.path()).mkpath("DATA");
  if (!QFile::copy(QStringLiteral(QUARVEL_CARTELLA "/DB/proto97.mdb"), dir.filePath("DB/proto97.mdb"))) {
    std::fprintf(stderr, "fuzz_import: build the program folder first (quarvel_cartella)\n");
    return 1;
  }
  ImpostaCartellaProgramma(dir.path());
  RegistratoreMessaggi messaggi;
  const QString chiavetta = dir.filePath("chiavetta");
  const QString db = dir.filePath("DATA/AB123CD_ 2026.mdb");

  simulatore::Opzioni o;
  o.giorni = 4;
  o.ore = 6;
  o.seme = seme;
  InMemoria simulate;
  simulatore::Simula(o, simulate);
  Mutatore m(seme);

  long long fatte = 0, importazioni = 0;
  int64_t nelDatabase = 0;
  while (fatte < righe) {
    // A few files of damaged lines, each line also through the decoder.
    QDir(chiavetta).removeRecursively();
    QDir().mkpath(chiavetta);
    QStringList nomi;
    int64_t righeNeiFile = 0, intestazioni = 0;
    for (int f = 0, nf = 1 + int(m.Caso(4)); f < nf; ++f) {
      std::string file = m.Caso(8) == 0 ? "\xEF\xBB\xBF" : "";
      const std::size_t da = m.Caso(unsigned(simulate.righe.size()));
      for (std::size_t i = da, n = 1 + m.Caso(3000); i < da + n && i < simulate.righe.size(); ++i) {
        std::string riga = m.Caso(3) == 0 ? m.Muta(simulate.righe[i]) : simulate.righe[i];
        if (m.Caso(2000) == 0) riga += std::string(70000 + m.Caso(70000), "7,\0"[m.Caso(3)]);
        ControllaDecodifica(riga, float(m.Caso(40000)));
        file += riga;
        file += m.Caso(50) == 0 ? "\n" : "\r\n";
      }
      const QString nome = QStringLiteral("LOG_%1.CSV").arg(f);
      QFile out(chiavetta + "/" + nome);
      out.open(QIODevice::WriteOnly);
      out.write(file.data(), qint64(file.size()));
      out.close();
      nomi << nome;
      // The lines as the import sees them, counted the simple way.
      LettoreRighe l;
      l.Apri(chiavetta + "/" + nome);
      RigaLetta r;
      while (l.Prossima(r)) {
        ++righeNeiFile;
        if (!r.Troncata() && DecodificaRigaCSV(r.testo, 0).tipo == TipoRiga::Intestazione) ++intestazioni;
      }
    }
    fatte += righeNeiFile;

    RichiestaImport r;
    r.targa = "AB123CD";
    r.cartellaSorgente = chiavetta;
    r.file = nomi;
    r.oggi = QDate(2026, 12, 4);
    const RisultatoImport e = EseguiImport(r, nullptr);
    ++importazioni;
    const std::string quale = "import " + std::to_string(importazioni);
    if (e.stato != StatoImport::Completata || !e.Riuscita()) Fallito("the import did not complete", quale);
    if (e.fileLetti != nomi.size()) Fallito("files read", quale);
    if (e.recordSalvati + e.righeNonSalvate + intestazioni != righeNeiFile) Fallito("counts do not add up", quale);
    nelDatabase += e.recordSalvati;
    if (Righe(db) != nelDatabase) Fallito("the database does not hold the samples counted", quale);
    QFile errori(dir.filePath("DATA/AB123CD_ 2026.txt"));
    errori.open(QIODevice::ReadOnly);
    const QString prefisso = e.cartellaArchivio + "/LOG_0.CSV ";
    for (const QByteArray& riga : errori.readAll().split('\n'))
      if (QString::fromUtf8(riga).size() > prefisso.size() + 1000 + 60) Fallito("an error line of more than 1000 characters", quale);
    messaggi.messaggi.clear();
  }
  std::printf("fuzz_import: %lld lines, %lld imports, seed %u: no fault\n", fatte, importazioni, seme);
  return 0;
}
