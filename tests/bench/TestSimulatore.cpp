#include "Argomenti.h"
#include "Simulatore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

using namespace quarvel;
using namespace quarvel::simulatore;
namespace fs = std::filesystem;

namespace {

class Raccolta : public Destinazione {
 public:
  std::vector<std::string> nomi, righe;
  bool NuovoFile(const std::string& nome) override {
    nomi.push_back(nome);
    return true;
  }
  bool Riga(std::string_view riga) override {
    righe.emplace_back(riga);
    return true;
  }
  bool ChiudiFile() override { return true; }
  std::string Errore() const override { return {}; }
};

// A data line read back the simple way, with the values as the import
// stores them (-1 where the logger wrote its no-reading value).
struct Letto {
  Istante t = 0;
  bool primo = false;  // first line after a recording header
  double livello = 0, odometro = 0, contalitri = 0;
  int giri = 0, velocita = 0, gasolio = 0, sensore = 0;
  int mancanti = 0;  // fields holding a no-reading value
};

struct FileLetto {
  std::string nome;
  std::vector<Letto> campioni;
  bool soloCrLf = true;
};

std::vector<FileLetto> LeggiLog(const fs::path& cartella) {
  std::vector<fs::path> percorsi;
  for (const auto& voce : fs::directory_iterator(cartella)) percorsi.push_back(voce.path());
  std::sort(percorsi.begin(), percorsi.end());
  std::vector<FileLetto> risultato;
  for (const auto& percorso : percorsi) {
    FileLetto f{percorso.filename().string(), {}, true};
    std::ifstream in(percorso, std::ios::binary);
    std::string riga;
    bool primo = false;
    while (std::getline(in, riga)) {
      if (riga.empty() || riga.back() != '\r') f.soloCrLf = false;
      else riga.pop_back();
      if (riga.rfind("Data,Ora,ID=", 0) == 0) {
        primo = true;
        continue;
      }
      if (riga.rfind("Data,Ora,N Status,L", 0) == 0) continue;
      int g, me, a, h, mi, s;
      EXPECT_EQ(std::sscanf(riga.c_str(), "%2d/%2d/%4d,%2d.%2d.%2d,", &g, &me, &a, &h, &mi, &s), 6)
          << riga;
      std::vector<double> c;
      for (std::size_t pos = 20, virgola; (virgola = riga.find(',', pos)) != std::string::npos;
           pos = virgola + 1)
        c.push_back(std::stod(riga.substr(pos, virgola - pos)));
      EXPECT_EQ(c.size(), 16u) << riga;
      EXPECT_EQ(riga.back(), ',') << riga;
      c.resize(16);
      Letto l;
      l.t = *IstanteDa(a, me, g, h, mi, s);
      l.primo = std::exchange(primo, false);
      l.livello = c[2] == 26214 ? -1 : c[2];
      l.giri = c[3] > 8000 ? -1 : int(c[3]);
      l.velocita = c[5] > 32767 ? -1 : int(c[5]);
      l.gasolio = c[8] > 32767 ? -1 : int(c[8]);
      l.odometro = c[10];
      l.contalitri = c[11];
      l.sensore = c[14] > 32767 ? -1 : int(c[14]);
      for (double v : c) l.mancanti += v == 65535 || v == 26214;
      f.campioni.push_back(l);
    }
    risultato.push_back(std::move(f));
  }
  return risultato;
}

// One week with Saturday's half day and Sunday off; seed 3 has both a
// refuel and a theft in it.
class SettimanaSimulata : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    Opzioni o;
    o.giorni = 7;
    o.seme = 3;
    const Esito esito = ScriviCartella(o, dir_->path().toStdString());
    ASSERT_EQ(esito.errore, "");
    std::string errore;
    const auto verita = LeggiVerita(FileVerita(dir_->path().toStdString()), &errore);
    ASSERT_TRUE(verita) << errore;
    verita_ = new Verita(*verita);
    file_ = new std::vector<FileLetto>(LeggiLog(CartellaLog(dir_->path().toStdString())));
    for (const auto& f : *file_) tutti_.insert(tutti_.end(), f.campioni.begin(), f.campioni.end());
  }
  void SetUp() override { ASSERT_NE(verita_, nullptr); }
  static void TearDownTestSuite() {
    delete file_;
    delete verita_;
    delete dir_;
  }
  static inline QTemporaryDir* dir_ = nullptr;
  static inline Verita* verita_ = nullptr;
  static inline std::vector<FileLetto>* file_ = nullptr;
  static inline std::vector<Letto> tutti_;
};

}  // namespace

TEST(Simulatore, StessoSemeStessiFile) {
  Opzioni o;
  o.giorni = 1;
  o.seme = 7;
  o.ore = 2;
  Raccolta r;
  ASSERT_EQ(Simula(o, r).errore, "");
  ASSERT_EQ(r.nomi, std::vector<std::string>{"LOG_20261102.CSV"});
  ASSERT_GT(r.righe.size(), 3000u);
  EXPECT_EQ(r.righe[0], "Data,Ora,ID=AB123CD,SN=QL463335,FW=3.12,Periodo=1s");
  EXPECT_EQ(r.righe[1],
            "Data,Ora,N Status,Livello,Giri,Contatore,Velocita,Temperatura,Pedale,Consumo,Carico,"
            "Km,Litri,Marcia,Batteria,Sensore,Ingressi,");
  EXPECT_EQ(r.righe[2], "02/11/2026,06.49.17,9,16,90.0,749,9950,0,15.1,0,53,8,0,0,0,27.89,360,0,");
  EXPECT_EQ(r.righe[3000],
            "02/11/2026,07.39.15,1,16,87.2,672,12948,0,82.5,0,47,8,533872.960,161457.0,0,27.91,351,1,");
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a of the whole text, line ends included
  for (const auto& riga : r.righe)
    for (char c : riga + "\r\n") hash = (hash ^ uint8_t(c)) * 1099511628211ULL;
  EXPECT_EQ(hash, 2702588711403578758ULL);
  EXPECT_EQ(r.righe.size(), 7533u);
}

TEST_F(SettimanaSimulata, LaVeritaConcordaConIFile) {
  const Verita& v = *verita_;
  // Monday to Saturday; Sunday is off and has no file.
  std::vector<std::string> nomi;
  for (const auto& f : *file_) {
    nomi.push_back(f.nome);
    EXPECT_TRUE(f.soloCrLf) << f.nome;
  }
  EXPECT_EQ(nomi, v.file);
  EXPECT_EQ(nomi.size(), 6u);
  EXPECT_EQ(nomi.back(), "LOG_20261107.CSV");
  ASSERT_EQ(v.giorni.size(), file_->size());
  EXPECT_LT(v.giorni[5].campioni, v.giorni[4].campioni * 3 / 4);  // Saturday: half a day

  Totali atteso;
  std::vector<Istante> inizi;
  int64_t accensioni = 0;
  for (const Letto& l : tutti_) {
    if (l.primo) inizi.push_back(l.t);
    accensioni += l.primo;
    const bool marcia = l.giri > 0 && l.velocita > 0;
    if (l.gasolio != -1) atteso.sommaGasolio += l.gasolio;
    if (l.gasolio != -1 && marcia) atteso.sommaGasolioMarcia += l.gasolio;
    atteso.sommaVelocita += l.velocita;
    atteso.secondiAcceso += l.giri > 0;
    atteso.secondiMarcia += marcia;
    atteso.velocitaMax = std::max(atteso.velocitaMax, l.velocita);
  }
  atteso.campioni = int64_t(tutti_.size());
  atteso.registrazioni = accensioni;
  atteso.inizio = tutti_.front().t;
  atteso.fine = tutti_.back().t;
  EXPECT_EQ(v.totale, atteso);
  EXPECT_NEAR(v.totale.Litri(), double(atteso.sommaGasolio) * 0.05 / 3600, 1e-9);
  EXPECT_NEAR(v.totale.Km(), double(atteso.sommaVelocita) / 3600, 1e-9);

  for (std::size_t i = 0; i < file_->size(); ++i) {
    const auto& c = (*file_)[i].campioni;
    EXPECT_EQ(v.giorni[i].campioni, int64_t(c.size()));
    EXPECT_EQ(v.giorni[i].inizio, c.front().t);
    EXPECT_EQ(v.giorni[i].fine, c.back().t);
  }
  ASSERT_EQ(v.registrazioni.size(), inizi.size());
  for (std::size_t i = 0; i < inizi.size(); ++i) EXPECT_EQ(v.registrazioni[i].inizio, inizi[i]);

  const auto primoNonZero = [](auto valore) {
    for (const Letto& l : tutti_)
      if (valore(l) != 0) return valore(l);
    return 0.0;
  };
  EXPECT_EQ(v.kmCruscottoIniziali, primoNonZero([](const Letto& l) { return l.odometro; }));
  EXPECT_EQ(v.litriCruscottoIniziali, primoNonZero([](const Letto& l) { return l.contalitri; }));
  EXPECT_EQ(v.kmCruscottoFinali, tutti_.back().odometro);
  EXPECT_EQ(v.litriCruscottoFinali, tutti_.back().contalitri);
}

TEST_F(SettimanaSimulata, FisicaPlausibile) {
  const Verita& v = *verita_;
  double odometro = 0, contalitri = 0;
  int64_t buchi = 0, mancanti = 0;
  for (std::size_t i = 0; i < tutti_.size(); ++i) {
    const Letto& l = tutti_[i];
    if (i > 0) {
      ASSERT_GT(l.t, tutti_[i - 1].t);
      buchi += !l.primo && l.t - tutti_[i - 1].t > 1;
    }
    mancanti += l.mancanti;
    // The dashboard totals may read 0 at an ignition, never go back.
    if (l.odometro != 0) {
      EXPECT_GE(l.odometro, std::exchange(odometro, l.odometro));
    }
    if (l.contalitri != 0) {
      EXPECT_GE(l.contalitri, std::exchange(contalitri, l.contalitri));
    }
    EXPECT_TRUE(l.livello == -1 || (l.livello >= 0 && l.livello <= 100)) << l.livello;
    EXPECT_LE(l.sensore, 420);
    EXPECT_LE(l.velocita, 90);
    const bool fermo = l.velocita == 0, spedito = l.velocita >= 10;
    EXPECT_TRUE(l.giri == -1 || !fermo || (l.giri >= 550 && l.giri <= 850)) << l.giri;
    EXPECT_TRUE(l.giri == -1 || !spedito || (l.giri >= 900 && l.giri <= 2000)) << l.giri;
  }
  EXPECT_GT(buchi, 0);  // a few seconds lost now and then
  EXPECT_GT(mancanti, 0);
  EXPECT_LT(double(mancanti) / double(tutti_.size() * 16), 0.002);
  // A truck burns about 30 L/100 km; the dashboard agrees with the logged
  // rate and speed within a few percent.
  const double litriPer100 = v.totale.Litri() / v.totale.Km() * 100;
  EXPECT_TRUE(litriPer100 > 22 && litriPer100 < 40) << litriPer100;
  EXPECT_NEAR((v.kmCruscottoFinali - v.kmCruscottoIniziali) / v.totale.Km(), 1.01, 0.03);
  EXPECT_NEAR((v.litriCruscottoFinali - v.litriCruscottoIniziali) / v.totale.Litri(), 1.0, 0.05);

  // Tank-level jumps as the analysis sees them (whole percent, halves to
  // even, only readings above 0): the refuels and thefts of the truth, and
  // nothing else beyond sensor noise and slosh.
  ASSERT_GE(v.carichi.size(), 1u);
  ASSERT_GE(v.furti.size(), 1u);
  std::vector<Evento> carichi, furti;
  int precedente = 0;
  int64_t campione = 0;
  for (const Letto& l : tutti_) {
    ++campione;
    const int livello = l.livello == -1 ? 0 : int(std::nearbyint(float(l.livello)));
    if (livello <= 0) continue;
    if (precedente == 0) {
      EXPECT_EQ(v.primoLivello, (Evento{l.t, campione, 0, livello, 0}));
    } else if (std::abs(livello - precedente) > 12) {
      auto& lista = livello > precedente ? carichi : furti;
      lista.push_back({l.t, campione, precedente, livello, 0});
      EXPECT_GT(std::abs(livello - precedente), 25);
    }
    precedente = livello;
  }
  for (auto* lista : {&carichi, &furti}) {
    const auto& vera = lista == &carichi ? v.carichi : v.furti;
    ASSERT_EQ(lista->size(), vera.size());
    for (std::size_t i = 0; i < vera.size(); ++i) {
      (*lista)[i].litri = vera[i].litri;
      EXPECT_EQ((*lista)[i], vera[i]);
      EXPECT_NEAR(vera[i].litri, std::abs(vera[i].livelloDopo - vera[i].livelloPrima) * 4.0, 12);
    }
  }
}

TEST(Simulatore, ErroriDiFileSpiegati) {
  QTemporaryDir dir;
  const fs::path percorso = dir.path().toStdString() + "/verita.txt";
  std::ofstream(percorso) << "x";
  Opzioni o;
  o.giorni = 1;
  EXPECT_EQ(ScriviCartella(o, percorso).errore.rfind("impossibile creare la cartella", 0), 0u);

  std::string errore;
  fs::remove(percorso);
  EXPECT_FALSE(LeggiVerita(percorso, &errore));
  EXPECT_NE(errore.find("mancante"), std::string::npos) << errore;
  std::ofstream(percorso) << "targa=AB123CD\r\ntotale=2026-11-02 05:00:00;1;2\r\n";
  EXPECT_FALSE(LeggiVerita(percorso, &errore));
  EXPECT_NE(errore.find("riga 2"), std::string::npos) << errore;
}

TEST(Simulatore, RigaDiComando) {
  const auto errore = [](std::vector<std::string> a) { return LeggiRigaComando(a).errore; };
  EXPECT_EQ(errore({}), "manca --cartella");
  EXPECT_EQ(errore({"--cartella", "x", "--ore"}), "manca il valore di --ore");
  EXPECT_EQ(errore({"--cartella", "x", "--velocita", "3"}), "opzione sconosciuta: --velocita");
  EXPECT_EQ(errore({"--cartella", "x", "--giorni", "tre"}), "valore non valido per --giorni: \"tre\"");
  EXPECT_EQ(errore({"--cartella", "x", "--dal", "2026-02-30"}),
            "--dal vuole una data esistente AAAA-MM-GG, non \"2026-02-30\"");
  EXPECT_EQ(errore({"--cartella", "x", "--giorni", "0"}), "i giorni devono essere da 1 a 366");
  EXPECT_EQ(errore({"--cartella", "x", "--targa", "AB 123"}),
            "la targa deve avere da 1 a 12 lettere o cifre");

  const RigaComando r = LeggiRigaComando({"--targa", "ZZ999ZZ", "--dal=2026-12-01", "--giorni",
                                          "3", "--seme", "42", "--cartella", "/tmp/a", "--ore",
                                          "24", "--tutti-i-giorni"});
  EXPECT_EQ(r.errore, "");
  EXPECT_EQ(r.opzioni.targa, "ZZ999ZZ");
  EXPECT_EQ(r.opzioni.dal, *IstanteDa(2026, 12, 1));
  EXPECT_EQ(r.opzioni.giorni, 3);
  EXPECT_EQ(r.opzioni.seme, 42u);
  EXPECT_EQ(r.opzioni.ore, 24);
  EXPECT_TRUE(r.opzioni.tuttiIGiorni);
  EXPECT_EQ(r.cartella, "/tmp/a");

  // The command: status 2 and a message on a usage error, 0 and the files otherwise.
  QTemporaryDir dir;
  QProcess p;
  p.start(QStringLiteral(QUARVEL_SIMULATORE), {"--giorni", "0", "--cartella", dir.path()});
  ASSERT_TRUE(p.waitForFinished());
  EXPECT_EQ(p.exitCode(), 2);
  EXPECT_TRUE(p.readAllStandardError().startsWith("quarvel-simulatore: i giorni devono"));
  p.start(QStringLiteral(QUARVEL_SIMULATORE), {"--ore", "1", "--giorni", "1", "--cartella", dir.path()});
  ASSERT_TRUE(p.waitForFinished());
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  EXPECT_TRUE(LeggiVerita(FileVerita(dir.path().toStdString())));
}
