#include "PeriodoAnalisi.h"

namespace quarvel {

namespace {
// A part of a time of day as typed in a box: digits only, within 0..massimo.
std::optional<int> ParteOra(const QString& testo, int massimo) {
  const QString t = testo.trimmed();
  if (t.isEmpty() || t.size() > 4) return std::nullopt;
  int valore = 0;
  for (QChar c : t) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    valore = valore * 10 + (c.unicode() - '0');
  }
  if (valore > massimo) return std::nullopt;
  return valore;
}

struct Estremo {
  Istante istante = IstanteZero;
  CampoPeriodo errato = CampoPeriodo::Nessuno;
};

Estremo IstanteDelPeriodo(const QDate& data, const QString& ora, const QString& minuto,
                          int secondo, CampoPeriodo campoData, CampoPeriodo campoOra,
                          CampoPeriodo campoMinuto) {
  const std::optional<int> h = ParteOra(ora, 23);
  if (!h) return {IstanteZero, campoOra};
  const std::optional<int> m = ParteOra(minuto, 59);
  if (!m) return {IstanteZero, campoMinuto};
  const std::optional<Istante> i =
      data.isValid() ? IstanteDa(data.year(), data.month(), data.day(), *h, *m, secondo)
                     : std::nullopt;
  if (!i) return {IstanteZero, campoData};
  return {*i, CampoPeriodo::Nessuno};
}
}  // namespace

std::optional<EstremiCampioni> EstraiEstremi(CursoreLogs& cursore) {
  cursore.Primo();
  if (cursore.AllaFine()) return std::nullopt;
  EstremiCampioni e;
  e.primo = cursore.TimeDate();
  cursore.Ultimo();
  e.ultimo = cursore.TimeDate();
  return e;
}

PropostaPeriodo ProponiPeriodo(Istante inizioDB, Istante fineDB) {
  const DataOra i = Scomponi(inizioDB);
  const DataOra f = Scomponi(fineDB);
  PropostaPeriodo p;
  p.InizioAnalisi = inizioDB;
  p.FineAnalisi = fineDB;
  p.dataInizio = QDate(i.anno, i.mese, i.giorno);
  p.dataFine = QDate(f.anno, f.mese, f.giorno);
  p.oraInizio = QString::number(i.ora);
  p.minutoInizio = QString::number(i.minuto);
  p.oraFine = QString::number(f.ora);
  p.minutoFine = QString::number(f.minuto);
  p.OraInizio = int16_t(i.ora);
  p.MinutoInizio = int16_t(i.minuto);
  p.OraFine = int16_t(f.ora);
  p.MinutoFine = int16_t(f.minuto);
  return p;
}

PeriodoAnalisi CostruisciPeriodo(const QDate& dataInizio, const QString& oraInizio,
                                 const QString& minutoInizio, const QDate& dataFine,
                                 const QString& oraFine, const QString& minutoFine) {
  PeriodoAnalisi p;
  const Estremo inizio =
      IstanteDelPeriodo(dataInizio, oraInizio, minutoInizio, 0, CampoPeriodo::DataInizio,
                        CampoPeriodo::OraInizio, CampoPeriodo::MinutoInizio);
  if (inizio.errato != CampoPeriodo::Nessuno) {
    p.errato = inizio.errato;
    return p;
  }
  const Estremo fine = IstanteDelPeriodo(dataFine, oraFine, minutoFine, 59, CampoPeriodo::DataFine,
                                         CampoPeriodo::OraFine, CampoPeriodo::MinutoFine);
  if (fine.errato != CampoPeriodo::Nessuno) {
    p.errato = fine.errato;
    return p;
  }
  p.InizioAnalisi = inizio.istante;
  p.FineAnalisi = fine.istante;
  return p;
}

QString DidascaliaInizioAnalisi(Istante primo, const TestiRisultati& testi) {
  return testi.Componi(VoceRisultato::InizioAnalisi, {testi.Data(primo)});
}

QString DidascaliaFineAnalisi(Istante ultimo, const TestiRisultati& testi) {
  return testi.Componi(VoceRisultato::FineAnalisi, {testi.Data(ultimo)});
}

}  // namespace quarvel
