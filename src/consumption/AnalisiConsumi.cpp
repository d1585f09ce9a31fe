#include "AnalisiConsumi.h"

#include "Conversioni.h"
#include "FileTesto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace quarvel {

namespace {
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
bool LetturaFallita(const SorgenteLetture& periodo, FileReport& report, RisultatoAnalisi& r) {
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
  LettureDaCursore letture(periodo);
  return AnalisiTotale(letture, p);
}

RisultatoAnalisi AnalisiTotale(SorgenteLetture& periodo, const ParametriAnalisi& p) {
  RisultatoAnalisi r;
  r.percorsoReport = PercorsoReport(p.targa, p.istanteAnalisi);
  FileReport report(r.percorsoReport);
  if (!report.Aperto()) {
    r.esito = EsitoAnalisi::ReportNonCreato;
    r.erroreFile = report.Errore();
    return r;
  }
  report.Riga(PrimaRigaReport(p.targa, p.istanteAnalisi));

  AccumulatoreConsumi& a = r.totali;
  std::optional<RilevatoreCarburante> carburante;
  if (p.carburante) carburante.emplace(*p.carburante);
  bool primo = true;
  for (auto blocco = periodo.Prossime(); !blocco.empty(); blocco = periodo.Prossime()) {
    if (carburante)
      for (const LetturaCampione& c : blocco) carburante->Aggiungi(c);
    for (const LetturaCampione& c : blocco) {
      // A new recording closes the trip so far: its block goes to the file now.
      if (c.apreViaggio && !primo) report.Riga(BloccoViaggio(a, p.sogliaVelocita));
      primo = false;
      const SaltoLivello salto = a.Aggiungi(c, p.sogliaVelocita, p.sogliaGasolio);
      if (p.avanzamento) p.avanzamento(a.ContatoreAvanzamento);
      if (salto.calo)
        r.anomalie << RigaAnomalia(c.TimeDate, salto.precedente, c.livello, a.NumeroCampione,
                                   p.testi);
      if (salto.aumento) r.carichi << RigaCarico(c.TimeDate, salto.precedente, c.livello, p.testi);
    }
  }

  if (LetturaFallita(periodo, report, r)) return r;
  if (primo) {
    Concludi(report, EsitoAnalisi::PeriodoVuoto, r);
    return r;
  }
  a.Concludi();
  if (carburante) r.carburante = carburante->Concludi();
  r.didascalie = Didascalie(a, p.sogliaVelocita, p.testi);
  report.Riga(ChiusuraUltimoViaggio(a) + BloccoTotale(a, p.sogliaVelocita));
  Concludi(report, EsitoAnalisi::Completa, r);
  return r;
}

}  // namespace quarvel
