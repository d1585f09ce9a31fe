#include "AnteprimaStampa.h"

#include "CartellaProgramma.h"
#include "Lingua.h"
#include "Messaggi.h"
#include "PosizioneFinestra.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

namespace quarvel {

namespace {
RegistratoreAnteprime*& Registratore() {
  static RegistratoreAnteprime* registratore = nullptr;
  return registratore;
}

// True when the document was printed whole.
bool Stampa(const LavoroStampa& lavoro, QPrinter& stampante) {
  const std::optional<ErroreStampa> errore = lavoro.stampa(stampante);
  if (errore) MostraErroreStampa(*errore);
  return !errore;
}

// A report that went to a PDF file says where it is, with its folder one
// click away: with no printer the file lands under REPORT unasked.
void AvvisaFilePdf(const QPrinter& stampante, QWidget* padre) {
  if (stampante.outputFormat() != QPrinter::PdfFormat) return;
  const QFileInfo file(stampante.outputFileName());
  if (!file.isFile()) return;
  const Messaggio m{
      TestoLingua(8002, QStringLiteral("Il report è stato salvato nel file PDF:")) +
          QLatin1Char('\n') + QDir::toNativeSeparators(file.absoluteFilePath()),
      Icona::Informazione, Pulsanti::Ok, TitoloApplicazione,
      TestoLingua(8003, QStringLiteral("Apri cartella"))};
  if (MostraMessaggio(m, padre) == Risposta::Azione) ApriCartella(file.absolutePath());
}
}  // namespace

RegistratoreAnteprime::RegistratoreAnteprime() : precedente_(Registratore()) {
  Registratore() = this;
}
RegistratoreAnteprime::~RegistratoreAnteprime() { Registratore() = precedente_; }

QString NomeStampa(const QString& cosa, const QString& targa, Istante istante) {
  return QStringLiteral("Stampa_%1_%2_%3")
      .arg(cosa, targa.trimmed().isEmpty() ? QStringLiteral("- - -") : targa.trimmed(),
           InDateTime(istante).toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
}

void PreparaStampante(QPrinter& stampante, const QString& nome) {
  stampante.setDocName(nome);
  stampante.setPageSize(QPageSize(QPageSize::A4));
  stampante.setPageOrientation(QPageLayout::Portrait);
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    const QString cartella = PercorsoDati(QStringLiteral("REPORT"));
    QDir().mkpath(cartella);
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(cartella + QLatin1Char('/') + nome + QStringLiteral(".pdf"));
  }
}

void MostraAnteprima(const LavoroStampa& lavoro, QWidget* padre) {
  QPrinter stampante(QPrinter::HighResolution);
  PreparaStampante(stampante, lavoro.nome);
  if (RegistratoreAnteprime* r = Registratore()) {
    const bool pdf = stampante.outputFormat() == QPrinter::PdfFormat;
    r->richieste.push_back({lavoro.nome, pdf ? stampante.outputFileName() : QString()});
    if (r->pdfScelto.isEmpty()) return;
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(r->pdfScelto);
    if (Stampa(lavoro, stampante)) AvvisaFilePdf(stampante, padre);
    return;
  }
  QPrintPreviewDialog anteprima(&stampante, padre);
  anteprima.setWindowTitle(TestoLingua(8001, QStringLiteral("Anteprima di stampa")) +
                           QStringLiteral(" - ") + lavoro.nome);
  // The whole page in sight: most of the screen's height, A4 proportions,
  // and never narrower than the tool bar.
  if (const QScreen* schermo = padre ? padre->screen() : anteprima.screen()) {
    const int altezza = schermo->availableGeometry().height() * 9 / 10;
    anteprima.resize(qMax(altezza * 3 / 4, anteprima.sizeHint().width()), altezza);
  }
  PosizionaFinestra(&anteprima, padre);
  // The preview paints the page first; the last painting is the print.
  bool stampato = false;
  QObject::connect(&anteprima, &QPrintPreviewDialog::paintRequested, &anteprima,
                   [&lavoro, &stampato](QPrinter* p) { stampato = Stampa(lavoro, *p); });
  if (anteprima.exec() == QDialog::Accepted && stampato) AvvisaFilePdf(stampante, padre);
}

}  // namespace quarvel
