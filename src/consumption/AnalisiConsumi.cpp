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

// The trip the counters hold now.
ViaggioAnalisi Viaggio(const AccumulatoreConsumi& a, Istante primoIstante) {
  ViaggioAnalisi v;
  v.numero = a.NumeroAccensioni;
  // A recording begun before the period has no start of its own in it.
  v.inizio = a.NumeroAccensioni > 0 ? a.InizioViaggio : primoIstante;
  v.fine = a.UltimoIstante;
  v.secondiAcceso = a.SecondiAccesoViaggio;
  v.secondiMarcia = a.SecondiMarciaViaggio;
  v.sommaVelocita = a.SommaVelocitaViaggio;
  v.velocitaMax = a.VelocitaMaxViaggio;
  v.superamenti = a.ContaSuperamentiViaggio;
  return v;
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

RisultatoAnalisi PassoAnalisi(SorgenteLetture& periodo, const ParametriAnalisi& p,
                              const std::function<void(const AccumulatoreConsumi&)>& fineViaggio) {
  RisultatoAnalisi r;
  AccumulatoreConsumi& a = r.totali;
  std::optional<RilevatoreCarburante> carburante;
  if (p.carburante) carburante.emplace(*p.carburante);
  bool primo = true;
  Istante primoIstante = 0;
  for (auto blocco = periodo.Prossime(); !blocco.empty(); blocco = periodo.Prossime()) {
    if (carburante)
      for (const LetturaCampione& c : blocco) carburante->Aggiungi(c);
    for (const LetturaCampione& c : blocco) {
      if (primo) {
        primoIstante = c.TimeDate;
      } else if (c.apreViaggio) {
        // A new recording closes the trip so far.
        r.viaggi.push_back(Viaggio(a, primoIstante));
        if (fineViaggio) fineViaggio(a);
      }
      primo = false;
      const SaltoLivello salto = a.Aggiungi(c, p.sogliaVelocita, p.sogliaGasolio);
      if (p.avanzamento) p.avanzamento(a.ContatoreAvanzamento);
      if (salto.calo)
        r.anomalie << RigaAnomalia(c.TimeDate, salto.precedente, c.livello, a.NumeroCampione,
                                   p.testi);
      if (salto.aumento) r.carichi << RigaCarico(c.TimeDate, salto.precedente, c.livello, p.testi);
    }
  }

  // A walk the engine cut short: the figures would be too small, so none
  // are given.
  if (const QString errore = periodo.Errore(); !errore.isEmpty()) {
    r = RisultatoAnalisi();
    r.esito = EsitoAnalisi::ErroreLettura;
    r.erroreDatabase = kErroreDatabase + errore;
    return r;
  }
  if (primo) {
    r.esito = EsitoAnalisi::PeriodoVuoto;
    return r;
  }
  a.Concludi();
  r.viaggi.push_back(Viaggio(a, primoIstante));
  if (carburante) r.carburante = carburante->Concludi();
  r.didascalie = Didascalie(a, p.sogliaVelocita, p.testi);
  r.esito = EsitoAnalisi::Completa;
  return r;
}

RisultatoAnalisi AnalisiTotale(SorgenteLetture& periodo, const ParametriAnalisi& p) {
  const QString percorso = PercorsoReport(p.targa, p.istanteAnalisi);
  FileReport report(percorso);
  if (!report.Aperto()) {
    RisultatoAnalisi r;
    r.percorsoReport = percorso;
    r.esito = EsitoAnalisi::ReportNonCreato;
    r.erroreFile = report.Errore();
    return r;
  }
  report.Riga(PrimaRigaReport(p.targa, p.istanteAnalisi));
  RisultatoAnalisi r = PassoAnalisi(periodo, p, [&](const AccumulatoreConsumi& a) {
    report.Riga(BloccoViaggio(a, p.sogliaVelocita));
  });
  r.percorsoReport = percorso;
  switch (r.esito) {
    case EsitoAnalisi::ErroreLettura:
      // No report that shows figures of a walk cut short.
      report.Chiudi();
      QFile::remove(percorso);
      return r;
    case EsitoAnalisi::PeriodoVuoto:
      Concludi(report, EsitoAnalisi::PeriodoVuoto, r);
      return r;
    default:
      break;
  }
  report.Riga(ChiusuraUltimoViaggio(r.totali) + BloccoTotale(r.totali, p.sogliaVelocita));
  Concludi(report, EsitoAnalisi::Completa, r);
  return r;
}

}  // namespace quarvel
