#pragma once
// The bar chart under the fleet table, drawn with QPainter: one panel per
// series side by side (L/100 km; lost plus unexplained litres), a
// horizontal bar per vehicle with its plate on the left and its value at
// the bar's end. A negative value (more fuel than the balance expects)
// draws left of the zero line. The chart keeps what it shows and where each
// bar lies, so that what it draws can be checked.
#include <QColor>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace quarvel {

class GraficoFlotta : public QWidget {
  Q_OBJECT
 public:
  struct Barra {
    QString targa;
    std::optional<double> valore;  // none: no bar, the plate alone
  };
  struct Serie {
    QString titolo;
    QColor colore;
    int decimali = 0;  // of the values written at the bars
    std::vector<Barra> barre;
  };

  explicit GraficoFlotta(QWidget* padre = nullptr);
  void Mostra(std::vector<Serie> serie);
  const std::vector<Serie>& SerieMostrate() const { return serie_; }
  // Where a bar is drawn in the widget as it stands; empty without a value.
  QRectF Rettangolo(int serie, int barra) const;
  QSize sizeHint() const override { return {720, 240}; }

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  // The geometry of a panel: its frame, the column of the plates, the span
  // of the values and the zero line.
  struct Pannello {
    QRectF area, barre;
    double minimo = 0, massimo = 0;
    double altezzaBarra = 0;
    double X(double valore) const;
  };
  Pannello Geometria(int serie) const;

  std::vector<Serie> serie_;
};

}  // namespace quarvel
