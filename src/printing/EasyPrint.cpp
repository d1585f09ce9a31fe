#include "EasyPrint.h"

#include "Conversioni.h"
#include "Messaggi.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace quarvel {

namespace {
constexpr double kMmPerPollice = 25.4;
// A bitmap that does not say its resolution is taken at the screen's 96 dpi.
constexpr int kPuntiPerMetroSchermo = 3780;
// The unit of DrawWidth: the same stroke on a 300 dpi and a 1200 dpi printer.
constexpr double kPuntiLinea = 150.0;
// Error numbers shown to the user, as the printing routines have always
// numbered them.
constexpr int kErroreStampante = 482;
constexpr int kImmagineNonValida = 481;

struct Formato {
  int16_t codice;
  QPageSize::PageSizeId id;
};
constexpr Formato kFormati[] = {{1, QPageSize::Letter}, {5, QPageSize::Legal}, {8, QPageSize::A3},
                                {9, QPageSize::A4},     {11, QPageSize::A5}};
constexpr int16_t kFormatoUtente = 256;

int ContaRighe(const QString& testo) { return int(testo.count(QLatin1Char('\r'))); }

// Line i of a text split at its carriage returns, without the line feed
// that may follow one, blanks trimmed.
QString EstraiRiga(const QString& testo, int i) {
  QString riga = testo.section(QLatin1Char('\r'), i, i);
  if (i > 0 && riga.startsWith(QLatin1Char('\n'))) riga.remove(0, 1);
  return riga.trimmed();
}

QColor ColoreDa(uint32_t bgr) { return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff); }

Qt::PenStyle StilePenna(int16_t stile) {
  switch (stile) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

double MmNaturali(int pixel, int puntiPerMetro) {
  return pixel * 1000.0 / (puntiPerMetro > 0 ? puntiPerMetro : kPuntiPerMetroSchermo);
}

bool PdfIntero(const QString& percorso) {
  QFile f(percorso);
  if (!f.open(QIODevice::ReadOnly)) return false;
  f.seek(qMax<qint64>(0, f.size() - 64));
  return f.readAll().contains("%%EOF");
}
}  // namespace

NumeriStampante LeggiNumeriStampante(const QPrinter& stampante) {
  const QPointF offset = stampante.pageRect(QPrinter::DevicePixel).topLeft() -
                         stampante.paperRect(QPrinter::DevicePixel).topLeft();
  const double dpi = stampante.resolution();
  return {offset.x(), offset.y(), dpi, dpi};
}

void MostraErroreStampa(const ErroreStampa& errore) {
  MostraMessaggio(QStringLiteral("Errore nella routine di stampa\nErrore numero: %1\n%2")
                      .arg(errore.numero)
                      .arg(errore.descrizione),
                  Icona::Critica, QStringLiteral("EasyPrint"));
}

EasyPrint::EasyPrint(QPrinter& stampante) : EasyPrint(stampante, LeggiNumeriStampante(stampante)) {}

EasyPrint::EasyPrint(QPrinter& stampante, const NumeriStampante& numeri)
    : stampante_(stampante), font_(QStringLiteral("Arial"), 10) {
  stampante_.setFullPage(false);
  if (numeri.pixelPerPolliceX > 0)
    offsetX_ = float(-numeri.offsetFisicoX * kMmPerPollice / numeri.pixelPerPolliceX);
  if (numeri.pixelPerPolliceY > 0)
    offsetY_ = float(-numeri.offsetFisicoY * kMmPerPollice / numeri.pixelPerPolliceY);
  correnteX_ = offsetX_;
  correnteY_ = offsetY_;
}

EasyPrint::~EasyPrint() = default;

int16_t EasyPrint::FontSize() const { return Intero16(font_.pointSizeF()).value_or(0); }

int16_t EasyPrint::PaperSize() const {
  const QPageSize::PageSizeId id = stampante_.pageLayout().pageSize().id();
  for (const Formato& f : kFormati)
    if (f.id == id) return f.codice;
  return kFormatoUtente;
}

void EasyPrint::PaperSize(int16_t codice) {
  for (const Formato& f : kFormati)
    if (f.codice == codice) stampante_.setPageSize(QPageSize(f.id));
}

int16_t EasyPrint::Copies() const { return int16_t(stampante_.copyCount()); }
void EasyPrint::Copies(int16_t copie) { stampante_.setCopyCount(copie); }

void EasyPrint::PrintQuality(int16_t qualita) {
  const int dpi = qualita > 0 ? qualita : qualita >= -4 && qualita <= -1 ? 150 << (-qualita - 1) : 0;
  // The resolution is the document's coordinate system: never changed
  // while one is open.
  if (dpi > 0 && !pittore_ && stampante_.resolution() != dpi) stampante_.setResolution(dpi);
}

void EasyPrint::ColorMode(int16_t modo) {
  if (modo == 1) stampante_.setColorMode(QPrinter::GrayScale);
  if (modo == 2) stampante_.setColorMode(QPrinter::Color);
}

void EasyPrint::Orientation(int16_t orientamento) {
  if (orientamento == 1) stampante_.setPageOrientation(QPageLayout::Portrait);
  if (orientamento == 2) stampante_.setPageOrientation(QPageLayout::Landscape);
}

int16_t EasyPrint::FontCount() const { return int16_t(QFontDatabase::families().size()); }

QString EasyPrint::Fonts(int16_t indice) const { return QFontDatabase::families().value(indice); }

// In device pixels, as the offsets and the drawing are: the printer rounds
// its margins to whole points, and millimetres read apart would not add up.
float EasyPrint::PageHeight() const {
  return float(stampante_.pageRect(QPrinter::DevicePixel).height() * kMmPerPollice /
               stampante_.resolution()) - 2 * offsetY_;
}

float EasyPrint::PageWidth() const {
  return float(stampante_.pageRect(QPrinter::DevicePixel).width() * kMmPerPollice /
               stampante_.resolution()) - 2 * offsetX_;
}

double EasyPrint::Pixel(float mm) const { return mm * stampante_.resolution() / kMmPerPollice; }

float EasyPrint::TextWidth(const QString& testo) const {
  const QFontMetricsF m(font_, &stampante_);
  double larghezza = 0;
  const int n = ContaRighe(testo);
  for (int i = 0; i <= n; ++i)
    larghezza = qMax(larghezza, m.horizontalAdvance(n ? EstraiRiga(testo, i) : testo));
  return float(larghezza * kMmPerPollice / stampante_.resolution());
}

float EasyPrint::TextHeight(const QString& testo) const {
  const QFontMetricsF m(font_, &stampante_);
  return float((ContaRighe(testo) + 1) * m.height() * kMmPerPollice / stampante_.resolution());
}

QString EasyPrint::AdattaLarghezza(QString testo, float larghezza, bool dallaFine) const {
  const auto togli = [&testo](bool fine) {
    // A character outside the basic plane goes whole.
    const int n = fine ? (testo.size() > 1 && testo.back().isLowSurrogate() ? 2 : 1)
                       : (testo.size() > 1 && testo.front().isHighSurrogate() ? 2 : 1);
    if (fine)
      testo.chop(n);
    else
      testo.remove(0, n);
  };
  if (dallaFine)
    while (!testo.isEmpty() && TextWidth(testo) >= larghezza) togli(true);
  else
    while (!testo.isEmpty() && TextWidth(testo) > larghezza) togli(false);
  return testo;
}

bool EasyPrint::Documento() {
  if (pittore_) return true;
  if (fallito_) return false;
  auto pittore = std::make_unique<QPainter>();
  if (!pittore->begin(&stampante_)) {
    fallito_ = true;
    const QString dove =
        stampante_.outputFormat() == QPrinter::PdfFormat
            ? QStringLiteral("Impossibile scrivere il file %1")
                  .arg(QDir::toNativeSeparators(stampante_.outputFileName()))
            : QStringLiteral("Impossibile stampare su %1").arg(stampante_.printerName());
    MostraErroreStampa({kErroreStampante, dove});
    return false;
  }
  pittore->setRenderHint(QPainter::Antialiasing);
  pittore_ = std::move(pittore);
  pagina_ = 1;
  return true;
}

void EasyPrint::StampaRiga(const QString& riga) {
  const QFontMetricsF m(font_, &stampante_);
  pittore_->setFont(font_);
  pittore_->setPen(ColoreDa(coloreTesto_));
  pittore_->drawText(QPointF(Pixel(correnteX_), Pixel(correnteY_) + m.ascent()), riga);
  // The line end: back to the left edge, one line lower.
  correnteX_ = 0;
  correnteY_ += TextHeight(riga);
}

QString EasyPrint::PrintLeft(float X, float Y, const QString& Testo, float Rientro,
                             int16_t Larghezza) {
  if (!Documento()) return Testo;
  const int n = ContaRighe(Testo);
  const float x0 = X + Rientro;
  if (n > 0) {
    for (int i = 0; i <= n; ++i) {
      QString riga = EstraiRiga(Testo, i);
      if (Larghezza > 0) riga = AdattaLarghezza(riga, Larghezza, true);
      if (X >= 0) correnteX_ = (i == 0 ? x0 : X) + offsetX_;
      if (Y >= 0) correnteY_ = (TextHeight(riga) + spaziatura_) * i + offsetY_ + Y;
      StampaRiga(riga);
    }
    return Testo;
  }
  if (X >= 0) correnteX_ = x0 + offsetX_;
  if (Y >= 0) correnteY_ = offsetY_ + Y;
  const QString testo = Larghezza > 0 ? AdattaLarghezza(Testo, Larghezza, true) : Testo;
  StampaRiga(testo);
  return testo;
}

QString EasyPrint::PrintRight(float X, float Y, const QString& Testo, float Rientro,
                              int16_t Larghezza) {
  if (!Documento()) return Testo;
  const int n = ContaRighe(Testo);
  const float x0 = X - Rientro;
  if (n > 0) {
    for (int i = 0; i <= n; ++i) {
      QString riga = EstraiRiga(Testo, i);
      if (Larghezza > 0) riga = AdattaLarghezza(riga, Larghezza, false);
      if (X >= 0) correnteX_ = (i == 0 ? x0 : X) + offsetX_ - TextWidth(riga);
      if (Y >= 0) correnteY_ = (TextHeight(riga) + spaziatura_) * i + offsetY_ + Y;
      StampaRiga(riga);
    }
    return Testo;
  }
  if (Y >= 0) correnteY_ = offsetY_ + Y;
  const QString testo = Larghezza > 0 ? AdattaLarghezza(Testo, Larghezza, false) : Testo;
  if (X >= 0) correnteX_ = x0 + offsetX_ - TextWidth(testo);
  StampaRiga(testo);
  return testo;
}

QString EasyPrint::PrintCentre(float X, float Y, const QString& Testo, int16_t Larghezza) {
  if (!Documento()) return Testo;
  const int n = ContaRighe(Testo);
  if (n > 0) {
    for (int i = 0; i <= n; ++i) {
      QString riga = EstraiRiga(Testo, i);
      if (Larghezza > 0) riga = AdattaLarghezza(riga, Larghezza, true);
      if (X >= 0) correnteX_ = X + offsetX_ - TextWidth(riga) / 2;
      if (Y >= 0) correnteY_ = (TextHeight(riga) + spaziatura_) * i + offsetY_ + Y;
      StampaRiga(riga);
    }
    return Testo;
  }
  const QString testo = Larghezza > 0 ? AdattaLarghezza(Testo, Larghezza, true) : Testo;
  if (X >= 0) correnteX_ = X + offsetX_ - TextWidth(testo) / 2;
  if (Y >= 0) correnteY_ = offsetY_ + Y;
  StampaRiga(testo);
  return testo;
}

float EasyPrint::PrintShape(float X, float Y, float Larghezza, float Altezza, float Raggio) {
  if (Raggio > 0) Raggio = qMin(Raggio, qMin(Larghezza, Altezza) / 2);
  if (!Documento()) return Raggio;
  // Every outline in black, the colour value 0.
  QPen penna(Qt::black, spessoreLinea_ * stampante_.resolution() / kPuntiLinea,
             StilePenna(stileLinea_), Qt::FlatCap, Qt::MiterJoin);
  pittore_->setPen(penna);
  pittore_->setBrush(Qt::NoBrush);
  const QPointF da(Pixel(X + offsetX_), Pixel(Y + offsetY_));
  const QPointF a(Pixel(X + offsetX_ + Larghezza), Pixel(Y + offsetY_ + Altezza));
  if (Larghezza == 0 || Altezza == 0)
    pittore_->drawLine(da, a);
  else if (Raggio > 0)
    // One closed outline whose quarter circles meet the edges tangentially.
    pittore_->drawRoundedRect(QRectF(da, a), Pixel(Raggio), Pixel(Raggio), Qt::AbsoluteSize);
  else
    pittore_->drawRect(QRectF(da, a));
  correnteX_ = X + Larghezza + offsetX_;
  correnteY_ = Y + Altezza + offsetY_;
  return Raggio;
}

void EasyPrint::PrintPicture(float X, float Y, const QImage& Sorgente, float Altezza,
                             float Larghezza) {
  if (!Documento()) return;
  if (Sorgente.isNull()) {
    MostraErroreStampa({kImmagineNonValida, QStringLiteral("Immagine non valida o mancante")});
    return;
  }
  const double naturaleL = MmNaturali(Sorgente.width(), Sorgente.dotsPerMeterX());
  const double naturaleA = MmNaturali(Sorgente.height(), Sorgente.dotsPerMeterY());
  double l = naturaleL, h = naturaleA;
  if (Altezza > 0 && Larghezza > 0) {
    l = Larghezza;
    h = Altezza;
  } else if (Altezza > 0 && Larghezza == 0) {
    h = Altezza;
  } else if (Altezza == 0 && Larghezza > 0) {
    l = Larghezza;
  }
  const QPointF da(Pixel(X + offsetX_), Pixel(Y + offsetY_));
  pittore_->drawImage(QRectF(da, QSizeF(Pixel(float(l)), Pixel(float(h)))), Sorgente);
}

void EasyPrint::NewPage() {
  if (!Documento()) return;
  stampante_.newPage();
  ++pagina_;
  correnteX_ = offsetX_;
  correnteY_ = offsetY_;
}

void EasyPrint::Chiudi() {
  pittore_.reset();
  fallito_ = false;
  pagina_ = 1;
  correnteX_ = offsetX_;
  correnteY_ = offsetY_;
}

std::optional<ErroreStampa> EasyPrint::EndDoc() {
  if (!pittore_) {
    Chiudi();
    return std::nullopt;  // nothing printed, or already reported
  }
  const bool chiuso = pittore_->end();
  Chiudi();
  const QString file = stampante_.outputFileName();
  const bool pdf = stampante_.outputFormat() == QPrinter::PdfFormat && !file.isEmpty();
  if (!chiuso)
    return ErroreStampa{kErroreStampante,
                        QStringLiteral("La stampa non è stata completata")};
  // A full disk leaves a PDF without its end: say so rather than hand over
  // a file no reader opens. (The print preview writes no file at all.)
  if (pdf && QFile::exists(file) && !PdfIntero(file))
    return ErroreStampa{kErroreStampante,
                        QStringLiteral("Il file %1 non è stato scritto per intero")
                            .arg(QDir::toNativeSeparators(file))};
  return std::nullopt;
}

void EasyPrint::KillDoc() {
  if (!pittore_) return Chiudi();
  stampante_.abort();
  Chiudi();
  const QString file = stampante_.outputFileName();
  if (stampante_.outputFormat() == QPrinter::PdfFormat && !file.isEmpty()) QFile::remove(file);
}

}  // namespace quarvel
