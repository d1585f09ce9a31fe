#pragma once
// The fleet table behind the window's view: one row per vehicle and the
// totals, numbers in the user's format, each column sorted by its value (a
// figure missing sorts below every number) with the totals kept last.
#include "RigaFlotta.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <vector>

namespace quarvel {

class ModelloFlotta : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The value a column sorts by: a number, or the plate's text.
  static constexpr int RuoloOrdine = Qt::UserRole + 1;

  explicit ModelloFlotta(QObject* padre = nullptr);
  // The vehicles' rows; the totals row follows them, named testoTotale.
  void Imposta(std::vector<RigaFlotta> righe, const QString& testoTotale);
  const std::vector<RigaFlotta>& Righe() const { return righe_; }
  bool Totale(int riga) const { return !righe_.empty() && riga == int(righe_.size()); }
  // A column's heading in the language (the view shows a long one on two lines).
  QString Intestazione(int colonna) const { return intestazioni_.value(colonna); }

  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int ruolo) const override;
  QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo) const override;
  bool setHeaderData(int sezione, Qt::Orientation orientamento, const QVariant& valore,
                     int ruolo) override;

 private:
  const RigaFlotta& Riga(int riga) const { return Totale(riga) ? totale_ : righe_[std::size_t(riga)]; }
  std::vector<RigaFlotta> righe_;
  RigaFlotta totale_;
  QString testoTotale_;
  QStringList intestazioni_;
};

// Sorts by RuoloOrdine, the totals always last.
class OrdineFlotta : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool lessThan(const QModelIndex& sinistra, const QModelIndex& destra) const override;
};

}  // namespace quarvel
