#pragma once
// A table as the exports write it: a title, the column headings and rows of
// typed cells. The windows and quarvel-batch fill one; the CSV and XLSX
// writers decide how each kind of cell is written.
#include "Istante.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace quarvel {

struct CellaEsportata {
  enum class Tipo { Vuota, Testo, Numero, DataOra };
  Tipo tipo = Tipo::Vuota;
  QString testo;
  double numero = 0;
  int decimali = 0;  // of a number: the digits written after the separator
  Istante istante = 0;

  static CellaEsportata DiTesto(const QString& testo) { return {Tipo::Testo, testo}; }
  static CellaEsportata DiNumero(double numero, int decimali) {
    return {Tipo::Numero, {}, numero, decimali};
  }
  static CellaEsportata DiIstante(Istante istante) { return {Tipo::DataOra, {}, 0, 0, istante}; }
};

struct TabellaEsportata {
  QString titolo;  // the sheet's name in a workbook
  QStringList intestazioni;
  std::vector<std::vector<CellaEsportata>> righe;
};

}  // namespace quarvel
