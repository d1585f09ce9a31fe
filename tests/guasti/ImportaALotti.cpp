// The runs the power-cut exploration records, with the program's own code:
//   importa_a_lotti PROGRAMMA TARGA CARTELLA LOTTO
// the import as quarvel-batch runs it, committing every LOTTO samples
// (several commits in a small import);
//   importa_a_lotti PROGRAMMA --impostazioni CAPACITA
// the settings written back with another tank capacity, as at exit.
#include "CartellaProgramma.h"
#include "ImportaLog.h"
#include "Impostazioni.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 5 && argc != 4) return 2;
  quarvel::ImpostaCartellaProgramma(QString::fromLocal8Bit(argv[1]));
  quarvel::InizializzaDefault();
  if (argc == 4) {
    quarvel::LeggiIni();
    quarvel::Imp().CapacitaSerbatoio = int16_t(std::atoi(argv[3]));
    return quarvel::ScriviIni().ok ? 0 : 1;
  }
  quarvel::RichiestaImport r;
  r.targa = QString::fromLocal8Bit(argv[2]);
  r.cartellaSorgente = QString::fromLocal8Bit(argv[3]);
  r.file = quarvel::FileDellaCartella(r.cartellaSorgente);
  r.oggi = QDate::currentDate();
  r.prove.lotto = std::atoi(argv[4]);
  return quarvel::EseguiImport(r, nullptr).Riuscita() ? 0 : 1;
}
