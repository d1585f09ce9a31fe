// The import as quarvel-batch runs it, committing every LOTTO samples: the
// run the power-cut exploration records, with several commits in a small
// import. importa_a_lotti PROGRAMMA TARGA CARTELLA LOTTO
#include "CartellaProgramma.h"
#include "ImportaLog.h"
#include "Impostazioni.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 5) return 2;
  quarvel::ImpostaCartellaProgramma(QString::fromLocal8Bit(argv[1]));
  quarvel::InizializzaDefault();
  quarvel::RichiestaImport r;
  r.targa = QString::fromLocal8Bit(argv[2]);
  r.cartellaSorgente = QString::fromLocal8Bit(argv[3]);
  r.file = quarvel::FileDellaCartella(r.cartellaSorgente);
  r.oggi = QDate::currentDate();
  r.prove.lotto = std::atoi(argv[4]);
  return quarvel::EseguiImport(r, nullptr).Riuscita() ? 0 : 1;
}
