#pragma once
// One journaled import carried to its end, whether it starts now or a kill
// or a failure stopped it earlier: the files still to move are moved (the
// files already in the archive are imported meanwhile), the archive is
// imported from where its progress stands, and the import is closed (the
// summary in the error output, the journal removed). A kill at any point
// leaves the journal, and running this again goes on from there.
#include "AvanzamentoImport.h"
#include "GiornaleImport.h"
#include "ImportaArchivio.h"
#include "Lingua.h"
#include "ProveImport.h"

#include <QStringList>

namespace quarvel {

struct EsitoGiornale {
  bool completa = false;
  AvanzamentoImport conti;  // as last committed
  QString percorsoDB, percorsoErrori;
  QStringList nonCopiati;     // left on the medium, with the reason
  QStringList nonCancellati;  // archived, but still on the medium
  QString interruzione;       // where it stopped and why, when it did
};

EsitoGiornale CompletaImport(const GiornaleImport& giornale, OsservatoreImport* osservatore,
                             const ProveImport& prove);

// The captions of the counts: Lbl_Nfile, Lbl_NViaggi, Lbl_TempoImportato,
// Lbl_Errstr. In Italian, as the error output keeps them; with cerca, in
// the language it reads (the window's).
struct DidascalieImport {
  QString file, viaggi, tempo, errori;
};
DidascalieImport Didascalie(const AvanzamentoImport& conti, const CercaTesto& cerca = {});

}  // namespace quarvel
