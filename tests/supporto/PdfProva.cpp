#include "PdfProva.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quarvel {

namespace {
constexpr double kMmPerPunto = 25.4 / 72;

QString Esegui(const QString& programma, const QStringList& argomenti) {
  QProcess p;
  p.start(programma, argomenti);
  p.waitForFinished(60000);
  EXPECT_EQ(p.exitCode(), 0) << programma.toStdString() << ": "
                             << p.readAllStandardError().toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

std::vector<ParolaPdf> ParolePdf(const QString& pdf, int pagina) {
  const QString n = QString::number(pagina);
  const QString html = Esegui(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), n,
                                                            QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
  static const QRegularExpression parola(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<ParolaPdf> parole;
  for (const QRegularExpressionMatch& m : parola.globalMatch(html)) {
    QString testo = m.captured(5);
    testo.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    parole.push_back({testo, m.captured(1).toDouble() * kMmPerPunto,
                      m.captured(2).toDouble() * kMmPerPunto, m.captured(3).toDouble() * kMmPerPunto,
                      m.captured(4).toDouble() * kMmPerPunto});
  }
  return parole;
}

ParolaPdf Parola(const std::vector<ParolaPdf>& parole, const QString& testo) {
  for (const ParolaPdf& p : parole)
    if (p.testo == testo) return p;
  ADD_FAILURE() << "no word \"" << testo.toStdString() << "\" on the page";
  return {};
}

QImage PaginaPdf(const QString& pdf, int dpi) {
  QTemporaryDir dir;
  const QString base = dir.filePath(QStringLiteral("pagina"));
  Esegui(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi),
                                      QStringLiteral("-gray"), QStringLiteral("-png"),
                                      QStringLiteral("-singlefile"), QStringLiteral("-f"),
                                      QStringLiteral("1"), pdf, base});
  return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

bool Inchiostro(const QImage& pagina, int dpi, double x, double y, double raggio) {
  const auto px = [dpi](double mm) { return int(mm * dpi / 25.4); };
  for (int j = px(y - raggio); j <= px(y + raggio); ++j)
    for (int i = px(x - raggio); i <= px(x + raggio); ++i)
      if (pagina.valid(i, j) && qGray(pagina.pixel(i, j)) < 128) return true;
  return false;
}

QStringList QuartiSegnati(const QString& pdf) {
  constexpr int kDpi = 200;
  const QImage pagina = PaginaPdf(pdf, kDpi);
  QStringList segnati;
  for (int d = 1; d <= 31; ++d)
    for (int h = 0; h < 24; ++h)
      for (int q = 0; q < 4; ++q)
        if (Inchiostro(pagina, kDpi, 20 + 5 * h + 1.25 * q + 0.625, 60 + 6 * d + 2, 0.3))
          segnati << QStringLiteral("%1 %2 %3").arg(d).arg(h).arg(q);
  return segnati;
}

QStringList FontPdf(const QString& pdf) {
  QStringList nomi;
  const QStringList righe = Esegui(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'));
  for (const QString& riga : righe.mid(2))
    if (!riga.trimmed().isEmpty()) nomi << riga.section(QLatin1Char(' '), 0, 0);
  return nomi;
}

int PaginePdf(const QString& pdf) {
  static const QRegularExpression pagine(QStringLiteral(R"(Pages:\s+(\d+))"));
  return pagine.match(Esegui(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

}  // namespace quarvel
