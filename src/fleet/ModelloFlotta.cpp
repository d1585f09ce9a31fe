#include "ModelloFlotta.h"

#include "Lingua.h"
#include "Localizzazione.h"

#include <QFont>
#include <limits>

namespace quarvel {

namespace {
// A long heading on two lines, so that fifteen columns fit the window.
QString DueRighe(const QString& testo) {
  constexpr int kCorto = 6;
  return testo.size() <= kCorto ? testo : IntestazioneInDueRighe(testo, QLatin1Char('\n'));
}
}  // namespace

ModelloFlotta::ModelloFlotta(QObject* padre) : QAbstractTableModel(padre) {
  for (const DescrizioneColonna& d : ColonneFlotta()) intestazioni_ << QString::fromUtf8(d.italiano);
}

void ModelloFlotta::Imposta(std::vector<RigaFlotta> righe, const QString& testoTotale) {
  beginResetModel();
  righe_ = std::move(righe);
  totale_ = TotaleFlotta(righe_);
  testoTotale_ = testoTotale;
  endResetModel();
}

int ModelloFlotta::rowCount(const QModelIndex& padre) const {
  if (padre.isValid() || righe_.empty()) return 0;
  return int(righe_.size()) + 1;
}

int ModelloFlotta::columnCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : int(ColonneFlotta().size());
}

QVariant ModelloFlotta::data(const QModelIndex& indice, int ruolo) const {
  if (!indice.isValid()) return {};
  const RigaFlotta& r = Riga(indice.row());
  const DescrizioneColonna& d = ColonneFlotta()[std::size_t(indice.column())];
  const bool targa = d.colonna == ColonnaFlotta::Targa;
  const std::optional<double> valore = targa ? std::nullopt : ValoreFlotta(r, d.colonna);
  switch (ruolo) {
    case Qt::DisplayRole:
      if (targa) return Totale(indice.row()) ? testoTotale_ : r.targa;
      return valore ? TestoDecimali(*valore, d.decimali) : QString();
    case RuoloOrdine:
      if (targa) return r.targa;
      return valore.value_or(-std::numeric_limits<double>::infinity());
    case Qt::TextAlignmentRole:
      return int(Qt::AlignVCenter | (targa ? Qt::AlignLeft : Qt::AlignRight));
    case Qt::FontRole:
      if (Totale(indice.row())) {
        QFont grassetto;
        grassetto.setBold(true);
        return grassetto;
      }
      return {};
    case Qt::ToolTipRole:
      return r.stato == StatoRigaFlotta::Errore ? r.errore : QVariant();
    default:
      return {};
  }
}

QVariant ModelloFlotta::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const {
  if (orientamento != Qt::Horizontal || sezione < 0 || sezione >= intestazioni_.size()) return {};
  if (ruolo == Qt::DisplayRole) return DueRighe(intestazioni_[sezione]);
  if (ruolo == RuoloTag) return ColonneFlotta()[std::size_t(sezione)].numero;
  return {};
}

bool ModelloFlotta::setHeaderData(int sezione, Qt::Orientation orientamento, const QVariant& valore,
                                  int ruolo) {
  if (orientamento != Qt::Horizontal || (ruolo != Qt::DisplayRole && ruolo != Qt::EditRole) || sezione < 0 ||
      sezione >= intestazioni_.size())
    return false;
  intestazioni_[sezione] = valore.toString();
  emit headerDataChanged(orientamento, sezione, sezione);
  return true;
}

bool OrdineFlotta::lessThan(const QModelIndex& sinistra, const QModelIndex& destra) const {
  const auto* modello = static_cast<const ModelloFlotta*>(sourceModel());
  // Qt reverses the comparison for a descending sort: the totals answer so
  // that they come last either way.
  if (modello->Totale(sinistra.row())) return sortOrder() == Qt::DescendingOrder;
  if (modello->Totale(destra.row())) return sortOrder() == Qt::AscendingOrder;
  const QVariant a = sinistra.data(ModelloFlotta::RuoloOrdine);
  const QVariant b = destra.data(ModelloFlotta::RuoloOrdine);
  if (a.typeId() == QMetaType::QString)
    return a.toString().compare(b.toString(), Qt::CaseInsensitive) < 0;
  return a.toDouble() < b.toDouble();
}

}  // namespace quarvel
