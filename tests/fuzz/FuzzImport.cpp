// Fuzzing of the line decoder and the import driver. Lines of the logger
// simulator are damaged the ways a stick, a logger or an editor damage them
// (bit flips, cut lines, lines run together, huge and impossible numbers,
// NUL bytes, stray line ends, overlong lines) and go in files through the
// whole import, whose counts must add up to the lines of the files, whose
// database must grow by the samples it counts, and whose error output must
// never show more than 1,000 characters of a line.
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

// The run is deterministic: the seed and the import's number reproduce it.
[[noreturn]] void Fallito(const char* cosa, const std::string& quale) {
  std::fprintf(stderr, "fuzz_import: %s (%s)\n", cosa, quale.c_str());
  std::abort();
}

std::mt19937_64 gen;
unsigned Caso(unsigned n) { return unsigned(gen() % n); }

std::string Muta(std::string riga) {
  static const char* const enormi[] = {"1e308", "-1e999", "99999999999999999999999", "-32769", "65535",
                                       "26214", "4294967296", "nan", "inf", "-0", "0x7fff", ".", "e5"};
  for (unsigned n = 1 + Caso(3); n > 0; --n) {
    const std::size_t p = riga.empty() ? 0 : Caso(unsigned(riga.size()));
    const std::size_t a = riga.find(',', p), b = a == std::string::npos ? a : riga.find(',', a + 1);
    switch (Caso(8)) {
      case 0: if (p < riga.size()) riga[p] = char(riga[p] ^ (1 << Caso(8))); break;  // a bit flip
      case 1: riga.resize(p); break;                                                  // cut
      case 2: riga.insert(p, 1, char(Caso(256))); break;  // NUL among them
      case 3: if (p < riga.size()) riga.erase(p, 1); break;
      case 4: if (b != std::string::npos) riga.replace(a + 1, b - a - 1, enormi[Caso(13)]); break;
      case 5: riga.insert(p, 1, "\r\n"[Caso(2)]); break;  // a stray line end
      case 6: riga.insert(p, std::string(1 + Caso(3000), ' ')); break;
      default: break;
    }
  }
  return riga;
}

int64_t Righe(const QString& db) {
  DatabaseLogs d;
  int64_t n = 0;
  CursoreLogs& c = d.Cursore();
  if (d.Apri(db))
    for (c.Primo(); !c.AllaFine(); c.Successivo()) ++n;
  return d.Aperto() && c.Errore().isEmpty() ? n : -1;
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
  gen.seed(seme);

  // A program folder with one template, and a stick.
  QTemporaryDir dir;
  // With its DATA folder the program folder is also the data folder.
  QDir(dir.path()).mkpath("DB");
  QDir(dir.path()).mkpath("DATA");
  if (!QFile::copy(QStringLiteral(QUARVEL_CARTELLA "/DB/proto97.mdb"), dir.filePath("DB/proto97.mdb"))) {
    std::fprintf(stderr, "fuzz_import: build the program folder first (quarvel_cartella)\n");
    return 1;
  }
  ImpostaCartellaProgramma(dir.path());
  RegistratoreMessaggi messaggi;
  const QString chiavetta = dir.filePath("chiavetta"), db = PercorsoDatabaseVeicolo("AB123CD", "2026");
  simulatore::Opzioni o;
  o.giorni = 4;
  o.ore = 6;
  o.seme = seme;
  InMemoria simulate;
  simulatore::Simula(o, simulate);

  long long fatte = 0, importazioni = 0;
  int64_t nelDatabase = 0;
  while (fatte < righe) {
    // A few files of damaged lines.
    QDir(chiavetta).removeRecursively();
    QDir().mkpath(chiavetta);
    QStringList nomi;
    int64_t righeNeiFile = 0, intestazioni = 0;
    for (int f = 0, nf = 1 + int(Caso(4)); f < nf; ++f) {
      std::string file = Caso(8) == 0 ? "\xEF\xBB\xBF" : "";
      const std::size_t da = Caso(unsigned(simulate.righe.size()));
      for (std::size_t i = da, n = 1 + Caso(3000); i < da + n && i < simulate.righe.size(); ++i) {
        std::string riga = Caso(3) == 0 ? Muta(simulate.righe[i]) : simulate.righe[i];
        if (Caso(2000) == 0) riga += std::string(70000 + Caso(70000), "7,\0"[Caso(3)]);
        file += riga + (Caso(50) == 0 ? "\n" : "\r\n");
      }
      nomi << QStringLiteral("LOG_%1.CSV").arg(f);
      QFile out(chiavetta + "/" + nomi.back());
      if (!out.open(QIODevice::WriteOnly) ||
          out.write(file.data(), qint64(file.size())) != qint64(file.size()))
        Fallito("cannot write the stick", nomi.back().toStdString());
      out.close();
      // The lines as the import sees them, counted the simple way.
      LettoreRighe l;
      l.Apri(out.fileName());
      for (RigaLetta r; l.Prossima(r); ++righeNeiFile)
        intestazioni += !r.Troncata() && DecodificaRigaCSV(r.testo, 0).tipo == TipoRiga::Intestazione;
    }
    fatte += righeNeiFile;

    RichiestaImport r;
    r.targa = "AB123CD";
    r.cartellaSorgente = chiavetta;
    r.file = nomi;
    r.oggi = QDate(2026, 12, 4);
    const RisultatoImport e = EseguiImport(r, nullptr);
    const std::string quale = "import " + std::to_string(++importazioni);
    if (e.stato != StatoImport::Completata || !e.Riuscita() || e.fileLetti != nomi.size())
      Fallito("the import did not complete", quale);
    if (e.recordSalvati + e.righeNonSalvate + intestazioni != righeNeiFile)
      Fallito("counts do not add up", quale);
    nelDatabase += e.recordSalvati;
    if (Righe(db) != nelDatabase) Fallito("the database does not hold the samples counted", quale);
    const QString prefisso = e.cartellaArchivio + "/LOG_0.CSV ";
    QFile errori(PercorsoDati("DATA/AB123CD_ 2026.txt"));
    errori.open(QIODevice::ReadOnly);
    for (const QByteArray& riga : errori.readAll().split('\n'))
      if (QString::fromUtf8(riga).size() > prefisso.size() + 1000 + 60)
        Fallito("an error line of more than 1000 characters", quale);
    messaggi.messaggi.clear();
  }
  std::printf("fuzz_import: %lld lines, %lld imports, seed %u: no fault\n", fatte, importazioni, seme);
  return 0;
}
