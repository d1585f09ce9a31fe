#include "CursoreVettore.h"
#include "DecodificaRiga.h"

#include <gtest/gtest.h>
#include <string>

using namespace quarvel;

namespace {
const std::string kInizio = "04/12/2026,22.12.05,";
const std::string kCampi = "1,2,45.5,1450,5,63,7,8,340,10,123456.7,34567.25,13,14.5,250,16,";

RigaDecodificata D(const std::string& riga, float contatore = 0) {
  return DecodificaRigaCSV(riga, contatore);
}

// The line with field `campo` (1..16) replaced by `testo`.
std::string ConCampo(int campo, const std::string& testo) {
  std::string riga = kInizio;
  for (int i = 1; i <= 16; ++i) riga += (i == campo ? testo : "0") + ",";
  return riga;
}

Istante T(int a, int me, int g, int h, int mi, int s) { return *IstanteDa(a, me, g, h, mi, s); }
}  // namespace

TEST(ClassificazioneDelleRighe, IntestazioniDatiEErrori) {
  using enum TipoRiga;
  // The 11th character is not examined. A valid date and time need the
  // separator after them; then the fields may all be missing.
  const std::pair<std::string, TipoRiga> righe[] = {
      {"Data,Ora,ID=4711,Targa=AB123CD", PrimaRiga}, {"Data,Ora,N Status,Livello,Giri", Intestazione},
      {"Data,Ora,N_Status,L", Intestazione}, {"Data,Ora,N Status", Errata}, {"Data,Ora,ID", Errata},
      {"\xff\xfe garbage", Errata}, {kInizio + kCampi, Dati}, {"04/12/2026,22.12.05", Errata}};
  for (const auto& [riga, tipo] : righe) EXPECT_EQ(D(riga).tipo, tipo) << riga;
  EXPECT_EQ(D("04/12/2026,22.12.05;").campione.TimeDate, T(2026, 12, 4, 22, 12, 5));
}

TEST(DateEOre, DueOrdiniDueSeparatoriEDateImpossibili) {
  const Istante atteso = T(2026, 12, 4, 22, 12, 5);
  for (const char* data : {"04/12/2026", "2026/12/04", "2026-12-04", "04-12-2026", " 4/12/2026",
                           "4/12/2026 ", "2026/12/4 "})
    for (const char* ora : {"22.12.05", "22:12:05", "22.12.5 "})
      EXPECT_EQ(LeggiDataOra(data, ora), atteso) << data << " " << ora;
  EXPECT_EQ(LeggiDataOra("29/02/2024", "23:59:59"), T(2024, 2, 29, 23, 59, 59));
  for (const char* data : {"31/02/2026", "29/02/2025", "12/31/2026", "00/12/2026", "04/13/2026",
                           "04/12/26  ", "04.12.2026", "04/12-2026", "04//2026  ", "04/12/0000",
                           "04 dic 2026", "0004/12/26"})
    EXPECT_FALSE(LeggiDataOra(data, "22.12.05")) << data;
  for (const char* ora : {"24.00.00", "22.60.00", "22.12.60", "22.12:05", "22,12,05", "        ",
                          "22.12   ", "-1.12.05", "221.2.05"})
    EXPECT_FALSE(LeggiDataOra("04/12/2026", ora)) << ora;
  EXPECT_EQ(D(kInizio + kCampi).campione.TimeDateLH, atteso);
}

TEST(DivisioneDeiCampi, CampiMancantiSpaziEResidui) {
  const CampioneLog c = D(kInizio + kCampi, 7).campione;
  const CampioneLog atteso{T(2026, 12, 4, 22, 12, 5), T(2026, 12, 4, 22, 12, 5), 7, 1, 2, 45.5f,
                           1450, 5, 63, 7, 8, 340, 10, 123456.7, 34567.25, 13, 14.5f, 250, 0, 16};
  EXPECT_EQ(c, atteso);
  // Fewer fields, or a last field with no comma behind it: 0 from there on.
  const CampioneLog corto = D(kInizio + "1,2,3").campione;
  EXPECT_EQ(corto.Dato1, 2);
  EXPECT_EQ(corto.Dato2, 0);
  EXPECT_EQ(D(kInizio + "1,2,45.5,1450,5,63,7,8,340,10,1,2,13,14.5,250,16").campione.Dato16, 0);
}

// Each no-reading rule at and beyond its limit (nothing means an error
// line); spaces, an empty field, an exponent, halves to even.
TEST(ValoriSentinella, AlLimiteEOltre) {
  struct Caso {
    int campo;
    const char* testo;
    std::optional<double> valore;
  };
  const Caso casi[] = {
      {1, "65535", -1},      {1, "65534", {}},      {1, "32767", 32767}, {1, "-32769", {}},
      {2, "65535", -1},      {2, "-32768", -32768}, {3, "26214", -1},    {3, "26214.5", 26214.5},
      {3, "26213", 26213},   {3, "1e39", {}},       {4, "8000", 8000},   {4, "8001", -1},
      {4, "8000.5", 8000},   {4, "65535", -1},      {4, "-40000", {}},   {5, "40000", 0},
      {5, "32767.5", 0},     {5, "32767", 32767},   {5, "-32769", {}},   {6, "40000", -1},
      {7, "26214", -1},      {8, "40000", -1},      {9, "40000", -1},    {9, "-100000", -100000},
      {9, "3e9", {}},        {10, "32768", -1},     {11, "1e308", 1e308}, {12, "1e999", {}},
      {13, "40000", -1},     {14, "26214", -1},     {15, "40000", -1},   {15, "32767", 32767},
      {16, "40000", 32767},  {16, "-40000", {}},    {16, "65535", 32767}, {4, "   1450", 1450},
      {4, "", 0},            {11, "-3.75e2", -375}, {1, "2.5", 2},       {1, "3.5", 4}};
  const int colonna[] = {kDato0, kDato1, kDato2,  kDato3,  kDato4,  kDato5,  kDato6,  kDato7,
                         kDato8, kDato9, kDato10, kDato11, kDato12, kDato13, kDato14, kDato16};
  for (const Caso& caso : casi) {
    const RigaDecodificata d = D(ConCampo(caso.campo, caso.testo));
    SCOPED_TRACE(std::to_string(caso.campo) + ": " + caso.testo);
    ASSERT_EQ(d.tipo, caso.valore ? TipoRiga::Dati : TipoRiga::Errata);
    if (!caso.valore) continue;
    EXPECT_EQ(ColonnaReale(d.campione, colonna[caso.campo - 1]), *caso.valore);
    EXPECT_EQ(d.campione.Dato15, 0);
  }
}
