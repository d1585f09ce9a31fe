// quarvel-batch stampa consumi PERCORSO_DB INIZIO FINE TARGA FILE.pdf
// quarvel-batch stampa utilizzo PERCORSO_DB ANNO MESE TARGA FILE.pdf
#include "FunzioniStampa.h"
#include "NomeMese.h"
#include "SupportoBatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <cstdio>
#include <functional>

namespace quarvel {

namespace {
using Report = std::function<std::optional<ErroreStampa>(QPrinter&)>;

bool CartellaDelFile(const QString& file) { return QFileInfo(QFileInfo(file).absolutePath()).isDir(); }

// The report goes into a file beside FILE.pdf that takes its name only when
// whole: an interrupted print never leaves a damaged FILE.pdf behind.
int ScriviPdf(const QString& file, const Report& report) {
  const QString parziale = file + QStringLiteral(".part");
  QPrinter stampante(QPrinter::HighResolution);
  stampante.setOutputFormat(QPrinter::PdfFormat);
  stampante.setOutputFileName(parziale);
  stampante.setDocName(QFileInfo(file).completeBaseName());
  if (const std::optional<ErroreStampa> errore = report(stampante)) {
    MostraErroreStampa(*errore);
    QFile::remove(parziale);
    return 1;
  }
  if (!QFile::exists(parziale)) return 1;  // the printer's message is already out
  if (std::rename(QFile::encodeName(parziale).constData(), QFile::encodeName(file).constData())) {
    Errore(QStringLiteral("Impossibile scrivere %1").arg(QDir::toNativeSeparators(file)));
    QFile::remove(parziale);
    return 1;
  }
  return 0;
}

int Consumi(const QStringList& a) {
  const QString targa = a[5], file = a[6];
  if (!CartellaDelFile(file)) return Uso(QStringLiteral("Cartella inesistente per %1").arg(file));
  const AnalisiBatch esito = AnalizzaPeriodo(a[2], a[3], a[4], targa, true);
  if (!esito.figure) return esito.stato;
  TestiReportConsumi testi;
  testi.targa = targa;
  testi.inizio = DidascaliaInizioAnalisi(esito.estremi.primo);
  testi.fine = DidascaliaFineAnalisi(esito.estremi.ultimo);
  for (const QString& nome : EtichetteReportConsumi())
    for (const Didascalia& d : esito.risultato.didascalie)
      if (d.nome == nome) testi.risultati << d.testo;
  testi.carburante = TabellaEventi(esito.risultato.carburante);
  const int stampa = ScriviPdf(file, [&](QPrinter& p) { return ReportConsumi(p, testi); });
  return qMax(esito.stato, stampa);
}

// An empty month prints nothing, as a period without samples does for
// consumi: the scan has already said why.
int Utilizzo(const QStringList& a) {
  const QString targa = a[5], file = a[6];
  if (!CartellaDelFile(file)) return Uso(QStringLiteral("Cartella inesistente per %1").arg(file));
  const MeseBatch m = ScansioneMese(a[2], a[3], a[4]);
  if (m.stato) return m.stato;
  const TestiReportUtilizzo testi{targa, NomeMese(m.mese), QString::number(m.anno)};
  return ScriviPdf(file, [&](QPrinter& p) { return ReportUtilizzo(p, m.attivita, testi); });
}

int Stampa(const QStringList& a) {
  if (a[1] == QLatin1String("consumi")) return Consumi(a);
  if (a[1] == QLatin1String("utilizzo")) return Utilizzo(a);
  return Uso(QStringLiteral("stampa vuole consumi o utilizzo, non %1.").arg(a[1]));
}
}  // namespace

ComandoBatch ComandoStampa() {
  return {"stampa", 6, 6,
          "  quarvel-batch stampa consumi PERCORSO_DB \"YYYY-MM-DD HH:MM\" \"YYYY-MM-DD HH:MM\" TARGA FILE.pdf\n"
          "      analisi consumi come analizza, poi il report stampato in FILE.pdf\n"
          "  quarvel-batch stampa utilizzo PERCORSO_DB ANNO MESE TARGA FILE.pdf\n"
          "      i quarti d'ora del mese come attivita, poi il report stampato in FILE.pdf\n",
          Stampa};
}

}  // namespace quarvel
