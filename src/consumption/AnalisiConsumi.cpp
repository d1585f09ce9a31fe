#include "AnalisiConsumi.h"

#include "Conversioni.h"
#include "FileTesto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace quarvel {

namespace {
// The first reading of a dashboard counter that is not 0, or 1 when every
// sample has 0 (so that a later difference is never taken from nothing).
double PrimoNonZero(CursoreLogs& cursore, int colonna) {
  for (cursore.Primo(); !cursore.AllaFine(); cursore.Successivo()) {
    const double valore = cursore.Reale(colonna);
    if (valore != 0) return valore;
  }
  return 1;
}

// Reads the seven columns the pass needs besides DatoPT.
void Leggi(const CursoreLogs& c, LetturaCampione& l) {
  l.TimeDate = c.Intero(kTimeDate);
  // A level that does not fit 16 bits is as good as no reading.
  l.livello = Intero16(c.Reale(kDato2)).value_or(0);
  l.giriMotore = int16_t(c.Intero(kDato3));
  l.velocita = int16_t(c.Intero(kDato5));
  l.gasolio = c.Reale(kDato8);
  l.km = c.Reale(kDato10);
  l.litri = c.Reale(kDato11);
}

// The report file, remembering the first failed write (a full disk must not
// stop the figures from reaching the window).
class FileReport {
 public:
  explicit FileReport(const QString& percorso)
      : file_(ConCartella(percorso), ScrittoreTesto::Modo::Sostituisci) {}
  bool Aperto() const { return file_.Aperto(); }
  void Riga(const QString& testo) {
    if (!file_.Riga(testo)) Fallito();
  }
  // Closes the file; the error of the first failure, or nothing.
  std::optional<QString> Chiudi() {
    if (!file_.Chiudi()) Fallito();
    return errore_;
  }
  QString Errore() const { return file_.Errore(); }

 private:
  // REPORT/ is made when it is missing.
  static const QString& ConCartella(const QString& percorso) {
    QDir().mkpath(QFileInfo(percorso).absolutePath());
    return percorso;
  }
  void Fallito() {
    if (!errore_) errore_ = file_.Errore();
  }
  ScrittoreTesto file_;
  std::optional<QString> errore_;
};

// A walk the engine cut short: no figures, and no report that shows them.
bool LetturaFallita(const CursoreLogs& periodo, FileReport& report, RisultatoAnalisi& r) {
  const QString errore = periodo.Errore();
  if (errore.isEmpty()) return false;
  report.Chiudi();
  QFile::remove(r.percorsoReport);
  const QString percorso = r.percorsoReport;
  r = RisultatoAnalisi();
  r.percorsoReport = percorso;
  r.esito = EsitoAnalisi::ErroreLettura;
  r.erroreDatabase = kErroreDatabase + errore;
  return true;
}

// Closes the report and settles the outcome.
void Concludi(FileReport& report, EsitoAnalisi riuscito, RisultatoAnalisi& r) {
  const std::optional<QString> errore = report.Chiudi();
  r.esito = errore ? EsitoAnalisi::ReportIncompleto : riuscito;
  r.erroreFile = errore.value_or(QString());
}
}  // namespace

RisultatoAnalisi AnalisiTotale(CursoreLogs& periodo, const ParametriAnalisi& p) {
  RisultatoAnalisi r;
  r.percorsoReport = PercorsoReport(p.targa, p.istanteAnalisi);
  FileReport report(r.percorsoReport);
  if (!report.Aperto()) {
    r.esito = EsitoAnalisi::ReportNonCreato;
    r.erroreFile = report.Errore();
    return r;
  }
  report.Riga(PrimaRigaReport(p.targa, p.istanteAnalisi));

  periodo.Primo();
  if (periodo.AllaFine()) {
    if (LetturaFallita(periodo, report, r)) return r;
    Concludi(report, EsitoAnalisi::PeriodoVuoto, r);
    return r;
  }

  AccumulatoreConsumi& a = r.totali;
  a.KmIniziali = PrimoNonZero(periodo, kDato10);
  a.ContaLitriIniziali = PrimoNonZero(periodo, kDato11);
  periodo.Primo();

  LetturaCampione c;
  c.apreViaggio = periodo.Intero(kDatoPT) == 0;
  while (!periodo.AllaFine()) {
    Leggi(periodo, c);
    const SaltoLivello salto = a.Aggiungi(c, p.sogliaVelocita, p.sogliaGasolio);
    if (p.avanzamento) p.avanzamento(a.ContatoreAvanzamento);
    if (salto.calo)
      r.anomalie << RigaAnomalia(c.TimeDate, salto.precedente, c.livello, a.NumeroCampione,
                                 p.testi);
    if (salto.aumento) r.carichi << RigaCarico(c.TimeDate, salto.precedente, c.livello, p.testi);

    periodo.Successivo();
    if (periodo.AllaFine()) break;
    // A new recording closes the trip so far: its block goes to the file now.
    c.apreViaggio = periodo.Intero(kDatoPT) == 0;
    if (c.apreViaggio) report.Riga(BloccoViaggio(a, p.sogliaVelocita));
  }

  if (LetturaFallita(periodo, report, r)) return r;
  r.didascalie = Didascalie(a, p.sogliaVelocita, p.testi);
  report.Riga(ChiusuraUltimoViaggio(a) + BloccoTotale(a, p.sogliaVelocita));
  Concludi(report, EsitoAnalisi::Completa, r);
  return r;
}

}  // namespace quarvel
