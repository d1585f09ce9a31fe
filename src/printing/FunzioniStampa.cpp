#include "FunzioniStampa.h"

#include "AttivitaMese.h"
#include "Immagini.h"
#include "Localizzazione.h"

#include <QDate>
#include <QImage>

namespace quarvel {

namespace {
// The activity grid: hour h from x 20 + 5h, day d on the row at y 60 + 6d,
// a quarter-hour 1.25 mm wide.
constexpr float kXOra0 = 20, kMmOra = 5, kMmQuarto = 1.25f;
constexpr float kYRiga0 = 60, kMmGiorno = 6;
// A mark is a bar as wide as its quarter-hour and as tall as the digits
// of the day beside it (DrawWidth 15 is 2.54 mm).
constexpr int16_t kSpessoreSegno = 15;
constexpr float kCentroSegno = 1.95f;  // below the top of the day's text line

void Carattere(EasyPrint& s, bool grassettoCorsivo) {
  s.FontBold(grassettoCorsivo);
  s.FontItalic(grassettoCorsivo);
  s.FontSize(10);
}

void Linea(EasyPrint& s, const PaginaReport& p, float y) {
  s.PrintShape(p.MargineSinistro, y, p.LarghezzaUtile, 0, 0);
}

void Testo(EasyPrint& s, float x, float y, const QString& testo) { s.PrintLeft(x, y, testo, 0, 0); }

// The line both bodies open with, in bold italic.
void Automezzo(EasyPrint& s, const QString& targa) {
  Carattere(s, true);
  Testo(s, 75, 40, QStringLiteral("Automezzo: ") + targa);
}
}  // namespace

PaginaReport ImpostaPagina(EasyPrint& s) {
  s.PrintQuality(-4);
  s.ColorMode(1);
  s.PaperSize(9);
  s.Orientation(1);
  PaginaReport p;
  p.MargineSinistro = 15;
  p.LarghezzaUtile = s.PageWidth() - 15 - p.MargineSinistro;
  return p;
}

void IntestazioneReport(EasyPrint& s, const PaginaReport& p) {
  s.PrintPicture(p.MargineSinistro, 15, QImage(PercorsoLogo()), 0, 0);
  s.FontItalic(false);
  s.FontBold(true);
  s.FontSize(24);
  s.FontName(QStringLiteral("Arial"));
  s.FontBold(false);
  s.FontSize(14);
  s.FontItalic(true);
  Testo(s, 80, 22, QStringLiteral(" - REPORT CONSUMI-"));

  s.FontItalic(true);
  s.FontSize(10);
  const QString oggi =
      LocaleUtente().toString(QDate::currentDate(), QStringLiteral("dddd, dd MMMM yyyy"));
  s.PrintRight(p.MargineSinistro + p.LarghezzaUtile, 23, QStringLiteral("Stampato ") + oggi, 0, 0);

  s.DrawStyle(0);
  s.DrawWidth(1);
  Linea(s, p, 30);
  Linea(s, p, 31);
  s.DrawWidth(3);
  s.PrintShape(p.MargineSinistro, 35, p.LarghezzaUtile, 240, 1);
  s.DrawWidth(2);
  Linea(s, p, 48);
  Linea(s, p, 262);

  // Left for the body, which sets its own fonts before printing.
  s.DrawWidth(1);
  s.DrawStyle(2);
  s.FontBold(true);
  s.FontItalic(true);
  s.FontSize(10);
  s.FontBold(true);
  s.FontSize(14);
}

const QStringList& EtichetteReportConsumi() {
  static const QStringList nomi = {
      QStringLiteral("Lbl_CamionAcceso"),      QStringLiteral("Lbl_CamionAccesoMarcia"),
      QStringLiteral("Lbl_GasolioConsumato"),  QStringLiteral("Lbl_GasolioConsumatoMarcia"),
      QStringLiteral("Lbl_ConsumoMedMarcia"),  QStringLiteral("Lbl_velocitamedia"),
      QStringLiteral("Lbl_KmInitCrusco"),      QStringLiteral("Lbl_KmFinCrusco"),
      QStringLiteral("Lbl_KmPercorsiCrusco")};
  return nomi;
}

// The refuels and losses, as many rows a page as fit above the frame's
// lower rule, then the balance; every page under the common heading.
void StampaCarburante(EasyPrint& s, const PaginaReport& p, const QString& targa,
                      const TabellaCarburante& t) {
  // Kind and times from the left, the litres right-aligned on their column.
  constexpr float kX[7] = {15, 41, 77, 131, 150, 167, 170};
  constexpr float kRiga = 5, kPrimaRiga = 64, kUltimaRiga = 250;
  const auto cella = [&](int c, float y, const QString& testo) {
    if (c >= 3 && c <= 5) s.PrintRight(kX[c], y, testo, 0, 0);
    else Testo(s, kX[c], y, testo);
  };
  float y = kUltimaRiga;
  std::size_t riga = 0;
  do {
    s.NewPage();
    IntestazioneReport(s, p);
    Automezzo(s, targa);
    Testo(s, p.MargineSinistro, 50, t.titolo);
    for (int c = 0; c < t.intestazioni.size(); ++c) cella(c, 58, t.intestazioni[c]);
    Carattere(s, false);
    for (y = kPrimaRiga; riga < t.righe.size() && y <= kUltimaRiga; ++riga, y += kRiga)
      for (int c = 0; c < t.righe[riga].size(); ++c) cella(c, y, t.righe[riga][c]);
    Carattere(s, true);
  } while (riga < t.righe.size() || y + kRiga * (t.bilancio.size() + 3) > kUltimaRiga + kRiga);
  y += kRiga;
  Carattere(s, false);
  for (const QString& voce : t.bilancio) {
    Testo(s, p.MargineSinistro, y, voce);
    y += kRiga;
  }
  Carattere(s, true);
  if (!t.scarto.isEmpty()) Testo(s, p.MargineSinistro, y, t.scarto);
  Carattere(s, false);
  s.FontItalic(true);
  Testo(s, p.MargineSinistro, y + kRiga, t.nota);
}

std::optional<ErroreStampa> StampaConsumi(EasyPrint& s, const PaginaReport& p,
                                          const TestiReportConsumi& t) {
  Automezzo(s, t.targa);
  Testo(s, p.MargineSinistro, 50, t.inizio);
  Testo(s, p.MargineSinistro, 60, t.fine);
  Carattere(s, false);
  float y = 80;
  for (const QString& risultato : t.risultati) {
    Testo(s, p.MargineSinistro, y, risultato);
    y += 10;
  }
  if (t.carburante) StampaCarburante(s, p, t.targa, *t.carburante);
  return s.EndDoc();
}

std::optional<ErroreStampa> StampaUtilizzo(EasyPrint& s, const PaginaReport& p,
                                           const AttivitaMese& attivita,
                                           const TestiReportUtilizzo& t) {
  Automezzo(s, t.targa);
  Testo(s, p.MargineSinistro, 40, t.mese);
  Testo(s, p.MargineSinistro, 45, t.anno);
  Carattere(s, false);
  for (int h = 0; h <= 24; ++h) Testo(s, kXOra0 + kMmOra * h, kYRiga0, QString::number(h));
  // Dotted guides down the month at every hour (the style the heading
  // left), so that a mark is read against its hour across the page.
  for (int h = 0; h <= 24; ++h)
    s.PrintShape(kXOra0 + kMmOra * h, kYRiga0 + kMmGiorno - 1, 0, kMmGiorno * 31 + 1, 0);

  s.DrawStyle(0);
  s.DrawWidth(kSpessoreSegno);
  for (int d = 1; d <= 31; ++d) {
    const float y = kYRiga0 + kMmGiorno * d;
    Testo(s, p.MargineSinistro, y, QString::number(d));
    for (int h = 0; h <= 24; ++h)
      for (int q = 0; q <= 4; ++q)
        if (attivita.Attivo(d, h, q))
          s.PrintShape(kXOra0 + kMmOra * h + kMmQuarto * q, y + kCentroSegno, kMmQuarto, 0, 0);
  }
  return s.EndDoc();
}

std::optional<ErroreStampa> ReportConsumi(QPrinter& stampante, const TestiReportConsumi& t) {
  EasyPrint s(stampante);
  const PaginaReport p = ImpostaPagina(s);
  IntestazioneReport(s, p);
  return StampaConsumi(s, p, t);
}

std::optional<ErroreStampa> ReportUtilizzo(QPrinter& stampante, const AttivitaMese& attivita,
                                           const TestiReportUtilizzo& t) {
  EasyPrint s(stampante);
  const PaginaReport p = ImpostaPagina(s);
  IntestazioneReport(s, p);
  return StampaUtilizzo(s, p, attivita, t);
}

}  // namespace quarvel
