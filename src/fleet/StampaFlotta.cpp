#include "StampaFlotta.h"

#include "FunzioniStampa.h"
#include "RigaFlotta.h"

namespace quarvel {

namespace {
constexpr float kPrimaRiga = 52, kUltimaRiga = 256;  // inside the heading's rules
constexpr float kRiga = 4.5f, kIntestazione = 8;
constexpr float kLarghezzaTarga = 24;
constexpr float kRientro = 2;  // from the frame's sides
constexpr int kColonneGruppo = 7;  // figures beside the plate in each group

class Pagine {
 public:
  Pagine(QPrinter& stampante, const TestiReportFlotta& t) : s_(stampante), t_(t) { Nuova(false); }

  void Gruppo(int prima, int dopo) {
    const float larghezza = (p_.LarghezzaUtile - kLarghezzaTarga - 2 * kRientro) / float(dopo - prima);
    Intestazioni(prima, dopo, larghezza);
    for (std::size_t r = 0; r < t_.righe.size(); ++r) {
      if (y_ + kRiga > kUltimaRiga) {
        Nuova(true);
        Intestazioni(prima, dopo, larghezza);
      }
      const bool totale = t_.totale && r + 1 == t_.righe.size();
      s_.FontBold(totale);
      const QStringList& riga = t_.righe[r];
      s_.PrintLeft(p_.MargineSinistro + kRientro, y_, riga.value(0), 0, int16_t(kLarghezzaTarga - 1));
      for (int c = prima; c < dopo; ++c)
        s_.PrintRight(X(c - prima + 1, larghezza), y_, riga.value(c), 0, int16_t(larghezza - 1));
      y_ += kRiga;
    }
    y_ += kRiga;
  }
  std::optional<ErroreStampa> Fine() { return s_.EndDoc(); }

 private:
  // The right edge of the n-th figure column.
  float X(int n, float larghezza) const {
    return p_.MargineSinistro + kRientro + kLarghezzaTarga + larghezza * float(n);
  }
  void Nuova(bool dopo) {
    if (dopo) s_.NewPage();
    p_ = ImpostaPagina(s_);
    IntestazioneReport(s_, p_);
    s_.DrawStyle(0);
    s_.FontItalic(true);
    s_.FontBold(true);
    s_.FontSize(10);
    s_.PrintLeft(p_.MargineSinistro + 2, 38, t_.titolo);
    s_.FontBold(false);
    s_.PrintLeft(p_.MargineSinistro + 2, 43, t_.periodo);
    s_.FontItalic(false);
    s_.FontSize(8);
    y_ = kPrimaRiga;
  }
  void Intestazioni(int prima, int dopo, float larghezza) {
    if (y_ + kIntestazione + kRiga > kUltimaRiga) Nuova(true);
    s_.FontBold(true);
    s_.PrintLeft(p_.MargineSinistro + kRientro, y_ + kRiga, t_.intestazioni.value(0));
    for (int c = prima; c < dopo; ++c)
      s_.PrintRight(X(c - prima + 1, larghezza), y_, DueRighe(t_.intestazioni.value(c), larghezza - 1));
    y_ += kIntestazione;
    s_.PrintShape(p_.MargineSinistro + kRientro, y_ + 0.5f, p_.LarghezzaUtile - 2 * kRientro, 0);
    y_ += 1.5f;
  }
  // A heading wider than its column breaks at the blank nearest its middle;
  // one line stands on the second row, level with the plate's.
  QString DueRighe(const QString& testo, float larghezza) const {
    if (s_.TextWidth(testo) <= larghezza || !testo.contains(QLatin1Char(' ')))
      return QStringLiteral("\r") + testo;
    return IntestazioneInDueRighe(testo, QLatin1Char('\r'));
  }

  EasyPrint s_;
  const TestiReportFlotta& t_;
  PaginaReport p_;
  float y_ = kPrimaRiga;
};
}  // namespace

std::optional<ErroreStampa> ReportFlotta(QPrinter& stampante, const TestiReportFlotta& t) {
  Pagine pagine(stampante, t);
  const int colonne = int(t.intestazioni.size());
  for (int prima = 1; prima < colonne; prima += kColonneGruppo)
    pagine.Gruppo(prima, std::min(colonne, prima + kColonneGruppo));
  return pagine.Fine();
}

}  // namespace quarvel
