// Draws the pictures of the installation at build time: the grey 3D buttons
// with their word in each language (images/button3D_gray_<name>_<code>.bmp)
// and the logo (images/logo.bmp). Usage:
//   quarvel_disegna_immagini <images folder> <button name>...
// Run it on the offscreen platform; it needs no display.
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPolygonF>
#include <cstdio>

namespace {

// The word on each button, in Italian, English and Spanish.
struct Parole {
  QString it, en, es;
};
const QMap<QString, Parole>& ParolePulsanti() {
  static const QMap<QString, Parole> parole{
      {"Import", {"Importa", "Import", "Importar"}},
      {"Fleet", {"Flotta", "Fleet", "Flota"}},
      {"Close", {"Chiudi", "Close", "Cerrar"}},
      {"Graph", {"Grafico", "Graph", "Gráfico"}},
      {"Trips", {"Viaggi", "Trips", "Viajes"}},
      {"Statistics", {"Statistiche", "Statistics", "Estadísticas"}},
      {"Overview", {"Panoramica", "Overview", "Resumen"}},
      {"update", {"Aggiorna", "Update", "Actualizar"}},
      {"Insert", {"Inserisci", "Insert", "Insertar"}},
      {"Delete", {"Elimina", "Delete", "Eliminar"}},
      {"analyze", {"Analizza", "Analyze", "Analizar"}},
      {"Play", {"\u25B6 Avvia", "\u25B6 Play", "\u25B6 Reproducir"}},
      {"Stop", {"\u25A0 Ferma", "\u25A0 Stop", "\u25A0 Detener"}},
  };
  return parole;
}

constexpr int Larghezza = 129;
constexpr int Altezza = 41;

QFont Carattere(int pixel, bool grassetto) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixel);
  f.setBold(grassetto);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QImage Pulsante(const QString& parola) {
  QImage img(Larghezza, Altezza, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient fondo(0, 0, 0, Altezza);
  fondo.setColorAt(0.0, QColor(0xf4, 0xf4, 0xf4));
  fondo.setColorAt(0.5, QColor(0xdc, 0xdc, 0xdc));
  fondo.setColorAt(1.0, QColor(0xb8, 0xb8, 0xb8));
  p.fillRect(img.rect(), fondo);

  // Two-pixel bevel: light from the top left, shadow to the bottom right.
  const int r = Larghezza - 1, b = Altezza - 1;
  auto linee = [&p](QColor colore, QLine a, QLine c) {
    p.setPen(colore);
    p.drawLine(a);
    p.drawLine(c);
  };
  linee(QColor(0xff, 0xff, 0xff), QLine(0, 0, r - 1, 0), QLine(0, 0, 0, b - 1));
  linee(QColor(0x40, 0x40, 0x40), QLine(0, b, r, b), QLine(r, 0, r, b));
  linee(QColor(0xf8, 0xf8, 0xf8), QLine(1, 1, r - 2, 1), QLine(1, 1, 1, b - 2));
  linee(QColor(0x80, 0x80, 0x80), QLine(1, b - 1, r - 1, b - 1), QLine(r - 1, 1, r - 1, b - 1));

  // The largest type up to 16 px that leaves a margin on both sides.
  int pixel = 16;
  while (pixel > 8 && QFontMetrics(Carattere(pixel, true)).horizontalAdvance(parola) > Larghezza - 16)
    --pixel;
  p.setFont(Carattere(pixel, true));
  p.setRenderHint(QPainter::TextAntialiasing);
  const QRect area = img.rect().adjusted(2, 2, -2, -2);
  p.setPen(QColor(0xff, 0xff, 0xff));
  p.drawText(area.translated(1, 1), Qt::AlignCenter, parola);
  p.setPen(QColor(0x1e, 0x2a, 0x38));
  p.drawText(area, Qt::AlignCenter, parola);
  return img;
}

// The logo: a blue band with a truck and the name.
QImage Logo() {
  constexpr int w = 300, h = 80;
  QImage img(w, h, QImage::Format_RGB32);
  // 150 dpi: the printed reports place it at its natural size, 51 by 14 mm,
  // beside their title.
  img.setDotsPerMeterX(5906);
  img.setDotsPerMeterY(5906);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // Square corners: a bitmap has no transparency, and the logo stands both
  // on the grey window and on white paper.
  QLinearGradient fondo(0, 0, 0, h);
  fondo.setColorAt(0.0, QColor(0x2a, 0x6f, 0xb0));
  fondo.setColorAt(1.0, QColor(0x0d, 0x35, 0x5e));
  p.fillRect(img.rect(), fondo);

  // The truck: trailer, cab with its window, wheels, and the road.
  const QColor bianco(0xff, 0xff, 0xff);
  const QColor blu(0x0d, 0x35, 0x5e);
  p.setPen(Qt::NoPen);
  p.setBrush(bianco);
  p.drawRoundedRect(QRectF(16, 20, 58, 32), 3, 3);
  p.drawPolygon(QPolygonF({{77, 52}, {77, 28}, {93, 28}, {101, 40}, {101, 52}}));
  p.setBrush(QColor(0x9c, 0xc8, 0xee));
  p.drawPolygon(QPolygonF({{81, 31}, {91, 31}, {97, 40}, {81, 40}}));
  for (double x : {28.0, 44.0, 90.0}) {
    p.setBrush(blu);
    p.setPen(QPen(bianco, 2.5));
    p.drawEllipse(QPointF(x, 55), 6, 6);
  }
  p.setPen(QPen(QColor(0x9c, 0xc8, 0xee), 2));
  p.drawLine(QPointF(12, 64), QPointF(106, 64));

  p.setPen(bianco);
  p.setFont(Carattere(34, true));
  p.drawText(QRect(118, 8, w - 124, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quarvel"));
  p.setPen(QColor(0xc8, 0xe0, 0xf6));
  p.setFont(Carattere(12, false));
  p.drawText(QRect(120, 50, w - 126, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("fuel & fleet data"));
  return img;
}

bool Salva(const QImage& img, const QString& percorso) {
  if (img.save(percorso, "BMP")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(percorso));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList argomenti = app.arguments();
  if (argomenti.size() < 2) {
    std::fprintf(stderr, "usage: %s <images folder> <button name>...\n", argv[0]);
    return 2;
  }
  const QString cartella = argomenti[1];
  QDir().mkpath(cartella);
  bool ok = Salva(Logo(), cartella + QStringLiteral("/logo.bmp"));
  for (const QString& nome : argomenti.mid(2)) {
    const auto parole = ParolePulsanti().constFind(nome);
    if (parole == ParolePulsanti().constEnd()) {
      std::fprintf(stderr, "no words for the button %s\n", qPrintable(nome));
      ok = false;
      continue;
    }
    const QString base = cartella + QStringLiteral("/button3D_gray_") + nome;
    ok = Salva(Pulsante(parole->it), base + QStringLiteral("_IT.bmp")) && ok;
    ok = Salva(Pulsante(parole->en), base + QStringLiteral("_EN.bmp")) && ok;
    ok = Salva(Pulsante(parole->es), base + QStringLiteral("_ES.bmp")) && ok;
  }
  return ok ? 0 : 1;
}
