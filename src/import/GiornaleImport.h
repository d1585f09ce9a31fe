#pragma once
// The journal of an unfinished import: a small file in DATA, written before
// the first file leaves the medium and removed when the import is closed.
// It names the archive folder, the vehicle and the day, where the files
// came from and which ones were to move. An import that finds one finishes
// that import first.
#include "Connessione.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace quarvel {

struct GiornaleImport {
  // Moving the files, importing them, or only closing: every sample is
  // committed and the error output is whole.
  enum class Fase { Spostamento, Importazione, Chiusura };
  QString archivio;  // the archive folder's name, below DATA
  QString targa;
  QDate giorno;      // the day of the import: its year names the database
  int tipoDB = 0;
  QString cartellaSorgente;
  QStringList file;  // the files to move, in list order
  Fase fase = Fase::Spostamento;

  QString Percorso() const;          // DATA/<archivio>.importazione
  QString CartellaArchivio() const;  // DATA/<archivio>
};

// Written durably (a kill leaves the old journal or the new one, whole).
Esito ScriviGiornale(const GiornaleImport& giornale);
Esito CancellaGiornale(const GiornaleImport& giornale);

// The journals of DATA, oldest first; those that cannot be read are named
// in illeggibili with the reason.
struct GiornaliTrovati {
  std::vector<GiornaleImport> giornali;
  QStringList illeggibili;
};
GiornaliTrovati GiornaliInSospeso();

}  // namespace quarvel
