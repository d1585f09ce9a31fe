#include "RigaFlotta.h"

#include "Conversioni.h"
#include "TestiCarburante.h"

#include <algorithm>

namespace quarvel {

namespace {
double Litri(double somma) { return somma * 0.05 / 3600; }
double Ore(double secondi) { return Arrotonda(secondi / 3600, 2); }
double Decimali(int64_t decimi) { return double(decimi) / 10; }
}  // namespace

RigaFlotta RigaDaAnalisi(const QString& targa, const RisultatoAnalisi& r) {
  RigaFlotta riga;
  riga.targa = targa;
  switch (r.esito) {
    case EsitoAnalisi::ErroreLettura:
      riga.stato = StatoRigaFlotta::Errore;
      riga.errore = r.erroreDatabase;
      return riga;
    case EsitoAnalisi::PeriodoVuoto:
      riga.stato = StatoRigaFlotta::SenzaCampioni;
      return riga;
    default:
      break;
  }
  const AccumulatoreConsumi& a = r.totali;
  riga.stato = StatoRigaFlotta::Calcolata;
  riga.km = a.SommaVelocita / 3600;
  riga.litri = Litri(a.SommaGasolio);
  riga.litriMarcia = Litri(a.SommaGasolioMarcia);
  riga.litriMinimo = Litri(a.SommaGasolioMinimo);
  riga.secondiAcceso = a.SecondiAcceso;
  riga.secondiMarcia = a.SecondiMarcia;
  riga.viaggi = a.NumeroAccensioni;
  riga.velocitaMax = a.VelocitaMax;
  riga.superamenti = a.ContaSuperamenti;
  const BilancioDecimi b = BilancioArrotondato(r.carburante);
  riga.decimiRiforniti = b.riforniti;
  riga.decimiPrelevati = b.prelevati;
  if (b.estremi) riga.decimiScarto = b.Scarto();
  return riga;
}

RigaFlotta TotaleFlotta(const std::vector<RigaFlotta>& righe) {
  RigaFlotta t;
  for (const RigaFlotta& r : righe) {
    if (r.stato != StatoRigaFlotta::Calcolata) continue;
    t.stato = StatoRigaFlotta::Calcolata;
    t.km += r.km;
    t.litri += r.litri;
    t.litriMarcia += r.litriMarcia;
    t.litriMinimo += r.litriMinimo;
    t.secondiAcceso += r.secondiAcceso;
    t.secondiMarcia += r.secondiMarcia;
    t.viaggi += r.viaggi;
    t.velocitaMax = std::max(t.velocitaMax, r.velocitaMax);
    t.superamenti += r.superamenti;
    t.decimiRiforniti += r.decimiRiforniti;
    t.decimiPrelevati += r.decimiPrelevati;
    if (r.decimiScarto) t.decimiScarto = t.decimiScarto.value_or(0) + *r.decimiScarto;
  }
  return t;
}

const std::vector<DescrizioneColonna>& ColonneFlotta() {
  using C = ColonnaFlotta;
  static const std::vector<DescrizioneColonna> colonne = {
      {C::Targa, "Targa", 9020, "Targa", 0},
      {C::Km, "Km", 9021, "Km", 2},
      {C::Litri, "Litri", 9022, "Litri", 2},
      {C::KmL, "KmL", 9023, "Km/L in marcia", 3},
      {C::L100, "L100Km", 9024, "L/100 km", 2},
      {C::OreMotore, "OreMotore", 9025, "Ore motore", 2},
      {C::OreMarcia, "OreMarcia", 9026, "Ore di marcia", 2},
      {C::OreMinimo, "OreMinimo", 9027, "Ore al minimo", 2},
      {C::LitriMinimo, "LitriMinimo", 9028, "Litri al minimo", 2},
      {C::Viaggi, "Viaggi", 9029, "Viaggi", 0},
      {C::VelocitaMax, "VelocitaMax", 9030, "Velocità max", 0},
      {C::Superamenti, "Superamenti", 9031, "Superamenti velocità", 0},
      {C::Riforniti, "Riforniti", 9032, "Litri riforniti", 1},
      {C::Prelevati, "Prelevati", 9033, "Litri persi", 1},
      {C::Scarto, "Scarto", 9034, "Litri non spiegati", 1},
  };
  return colonne;
}

std::vector<ColonnaFlotta> ColonneScript() {
  std::vector<ColonnaFlotta> colonne;
  for (const DescrizioneColonna& d : ColonneFlotta())
    if (d.colonna != ColonnaFlotta::L100) colonne.push_back(d.colonna);
  return colonne;
}

const DescrizioneColonna& Descrizione(ColonnaFlotta colonna) {
  return ColonneFlotta()[std::size_t(colonna)];
}

std::optional<double> ValoreFlotta(const RigaFlotta& r, ColonnaFlotta colonna) {
  if (r.stato == StatoRigaFlotta::Errore || r.stato == StatoRigaFlotta::Interrotta)
    return std::nullopt;
  using C = ColonnaFlotta;
  switch (colonna) {
    case C::Targa: return std::nullopt;
    case C::Km: return Arrotonda(r.km, 2);
    case C::Litri: return Arrotonda(r.litri, 2);
    case C::KmL:
      if (r.litriMarcia <= 0) return std::nullopt;
      return Arrotonda(r.km / r.litriMarcia, 3);
    case C::L100:
      if (r.km <= 0) return std::nullopt;
      return Arrotonda(100 * r.litri / r.km, 2);
    case C::OreMotore: return Ore(r.secondiAcceso);
    case C::OreMarcia: return Ore(r.secondiMarcia);
    case C::OreMinimo: return Ore(r.secondiAcceso - r.secondiMarcia);
    case C::LitriMinimo: return Arrotonda(r.litriMinimo, 2);
    case C::Viaggi: return r.viaggi;
    case C::VelocitaMax: return r.velocitaMax;
    case C::Superamenti: return r.superamenti;
    case C::Riforniti: return Decimali(r.decimiRiforniti);
    case C::Prelevati: return Decimali(r.decimiPrelevati);
    case C::Scarto:
      if (!r.decimiScarto) return std::nullopt;
      return Decimali(*r.decimiScarto);
  }
  return std::nullopt;
}

QString IntestazioneInDueRighe(QString testo, QChar aCapo) {
  const qsizetype meta = testo.size() / 2;
  qsizetype migliore = -1;
  for (qsizetype i = 0; i < testo.size(); ++i)
    if (testo[i] == QLatin1Char(' ') && (migliore < 0 || std::abs(i - meta) < std::abs(migliore - meta)))
      migliore = i;
  if (migliore >= 0) testo[migliore] = aCapo;
  return testo;
}

TabellaEsportata TabellaFlotta(const std::vector<RigaFlotta>& righe,
                               const std::vector<ColonnaFlotta>& colonne,
                               const QStringList& intestazioni, const QString& totale) {
  TabellaEsportata t;
  t.titolo = QStringLiteral("Flotta");
  t.intestazioni = intestazioni;
  const auto riga = [&](const RigaFlotta& r, const QString& nome) {
    std::vector<CellaEsportata> celle;
    for (const ColonnaFlotta c : colonne) {
      if (c == ColonnaFlotta::Targa) {
        celle.push_back(CellaEsportata::DiTesto(nome));
      } else if (const std::optional<double> v = ValoreFlotta(r, c)) {
        celle.push_back(CellaEsportata::DiNumero(*v, Descrizione(c).decimali));
      } else {
        celle.emplace_back();
      }
    }
    t.righe.push_back(std::move(celle));
  };
  for (const RigaFlotta& r : righe) riga(r, r.targa);
  if (!totale.isEmpty()) riga(TotaleFlotta(righe), totale);
  return t;
}

}  // namespace quarvel
