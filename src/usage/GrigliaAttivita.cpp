#include "GrigliaAttivita.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quarvel {

namespace {
const QColor kBianco(255, 255, 255);
const QColor kFisse(212, 208, 200);  // the fixed row and column
const QColor kLinee(128, 128, 128);

bool DiGiorno(const QModelIndex& i) { return i.isValid() && i.row() >= 1 && i.column() >= 1; }

QFont CarattereGriglia(const QFont& base) {
  QFont f = base;
  f.setPixelSize(9);  // fits a 12-pixel row
  return f;
}

// A cell is its colour and its text; a selected cell is darkened, so that
// the green of an active quarter-hour shows through the selection.
class DelegatoCella : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    p->fillRect(o.rect, i.data(Qt::BackgroundRole).value<QColor>());
    if (o.state & QStyle::State_Selected) p->fillRect(o.rect, QColor(0, 0, 128, 100));
    const QString testo = i.data(Qt::DisplayRole).toString();
    if (testo.isEmpty()) return;
    p->setPen(Qt::black);
    p->setFont(o.font);
    p->drawText(o.rect, Qt::AlignCenter, testo);
  }
};
}  // namespace

int ModelloGriglia::rowCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : kRighe;
}
int ModelloGriglia::columnCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : kColonne;
}

QVariant ModelloGriglia::data(const QModelIndex& i, int ruolo) const {
  if (!i.isValid()) return {};
  const bool fissa = i.row() == 0 || i.column() == 0;
  switch (ruolo) {
    case Qt::DisplayRole:
      if (giorniScritti_ && i.column() == 0 && i.row() >= 1) return QString::number(i.row());
      return {};
    case Qt::BackgroundRole: {
      const QColor c = colori_[std::size_t(Cella(i.row(), i.column()))];
      if (c.isValid()) return c;
      return fissa ? kFisse : kBianco;
    }
    default:
      return {};
  }
}

Qt::ItemFlags ModelloGriglia::flags(const QModelIndex& i) const {
  // The fixed cells take neither the current cell nor the selection.
  if (!i.isValid() || i.row() == 0 || i.column() == 0) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ModelloGriglia::Pulisci() {
  colori_.fill(QColor());
  giorniScritti_ = false;
  emit dataChanged(index(0, 0), index(kRighe - 1, kColonne - 1));
}

void ModelloGriglia::ScriviGiorni() {
  giorniScritti_ = true;
  emit dataChanged(index(1, 0), index(kRighe - 1, 0), {Qt::DisplayRole});
}

void ModelloGriglia::Colora(int riga, int colonna, const QColor& colore) {
  if (riga < 0 || riga >= kRighe || colonna < 0 || colonna >= kColonne) return;
  colori_[std::size_t(Cella(riga, colonna))] = colore;
  const QModelIndex i = index(riga, colonna);
  emit dataChanged(i, i, {Qt::BackgroundRole});
}

QColor ModelloGriglia::Colore(int riga, int colonna) const {
  return data(index(riga, colonna), Qt::BackgroundRole).value<QColor>();
}

GrigliaAttivita::GrigliaAttivita(QWidget* padre) : QTableView(padre) {
  setModel(&modello_);
  setItemDelegate(new DelegatoCella(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setAutoScroll(false);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(ContiguousSelection);
  setSelectionBehavior(SelectItems);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setFont(CarattereGriglia(font()));
  setColumnWidth(0, kLarghezzaGiorno);
  for (int c = 1; c < ModelloGriglia::kColonne; ++c) setColumnWidth(c, kLarghezzaQuarto);
  setRowHeight(0, kAltezzaIntestazione);
  for (int r = 1; r < ModelloGriglia::kRighe; ++r) setRowHeight(r, kAltezzaRiga);
  // The empty area below the last day is dark grey.
  QPalette p = palette();
  p.setColor(QPalette::Base, QColor(128, 128, 128));
  p.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(p);
  modello_.ScriviGiorni();
}

int GrigliaAttivita::InizioQuarti() const { return frameWidth() + columnWidth(0); }

void GrigliaAttivita::mousePressEvent(QMouseEvent* e) {
  QTableView::mousePressEvent(e);
  const QModelIndex i = indexAt(e->position().toPoint());
  premuta_ = DiGiorno(i);
  if (premuta_) emit Premuta(i.row(), i.column());
}

void GrigliaAttivita::mouseMoveEvent(QMouseEvent* e) {
  QTableView::mouseMoveEvent(e);
  if (!premuta_ || !(e->buttons() & Qt::LeftButton)) return;
  // Outside the day cells the end stays where the selection ends.
  QModelIndex i = indexAt(e->position().toPoint());
  if (!DiGiorno(i)) i = currentIndex();
  if (DiGiorno(i)) emit Trascinata(i.row(), i.column());
}

void GrigliaAttivita::mouseReleaseEvent(QMouseEvent* e) {
  QTableView::mouseReleaseEvent(e);
  if (!premuta_ || e->button() != Qt::LeftButton) return;
  premuta_ = false;
  QModelIndex i = indexAt(e->position().toPoint());
  if (!DiGiorno(i)) i = currentIndex();
  if (DiGiorno(i)) emit Rilasciata(i.row(), i.column());
}

RigaOre::RigaOre(int inizioQuarti, QWidget* padre) : QWidget(padre), inizioQuarti_(inizioQuarti) {
  setObjectName(QStringLiteral("Picture1"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RigaOre::paintEvent(QPaintEvent*) {
  constexpr int kOra = 4 * GrigliaAttivita::kLarghezzaQuarto;
  QPainter p(this);
  p.fillRect(rect(), kFisse);
  p.setFont(CarattereGriglia(font()));
  const int basso = height() - 1;
  p.setPen(kLinee);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  for (int q = 0; q < 96; ++q) {
    const int x = inizioQuarti_ + q * GrigliaAttivita::kLarghezzaQuarto - 1;
    p.drawLine(x, q % 4 == 0 ? 0 : basso - 4, x, basso);
  }
  p.setPen(Qt::black);
  for (int h = 0; h < 24; ++h)
    p.drawText(QRect(inizioQuarti_ + h * kOra, 0, kOra, basso - 3), Qt::AlignCenter,
               QString::number(h));
}

}  // namespace quarvel
