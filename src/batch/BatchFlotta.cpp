// quarvel-batch flotta ANNO INIZIO FINE [--xlsx FILE]
#include "CalcoloFlotta.h"
#include "EsportaCsv.h"
#include "EsportaXlsx.h"
#include "SupportoBatch.h"

#include <QRegularExpression>

namespace quarvel {

namespace {
int Flotta(const QStringList& a) {
  const auto inizio = LeggiMinuto(a[2]), fineMinuto = LeggiMinuto(a[3]);
  if (!QRegularExpression(QStringLiteral("^\\d{4}$")).match(a[1]).hasMatch())
    return Uso(QStringLiteral("L'anno va scritto con quattro cifre: %1").arg(a[1]));
  if (!inizio || !fineMinuto) return Uso(QStringLiteral("Le date vanno scritte \"YYYY-MM-DD HH:MM\"."));
  if (*inizio > *fineMinuto) return Uso(QStringLiteral("Il periodo finisce prima di cominciare."));
  if (a.size() == 5 || (a.size() == 6 && a[4] != QLatin1String("--xlsx")))
    return Uso(QStringLiteral("Dopo le date può venire solo --xlsx FILE."));

  ElencoFlotta elenco = VeicoliFlotta(a[1]);
  if (!elenco.esito) {
    Errore(elenco.esito.messaggio);
    return 1;
  }
  if (elenco.veicoli.empty()) {
    Errore(QStringLiteral("Nessun mezzo registrato ha dati per l'anno %1").arg(a[1]));
    return 1;
  }
  CalcoloFlotta calcolo(std::move(elenco.veicoli),
                        ParametriDalleImpostazioni({*inizio, *fineMinuto + 59}));
  calcolo.Avvia();
  calcolo.Attendi();

  int stato = 0;
  bool campioni = false;
  std::vector<RigaFlotta> righe;
  for (const RigaFlotta& r : calcolo.Righe()) {
    if (r.stato == StatoRigaFlotta::Errore) {
      // Its line would show smaller figures than the truck's: none is printed.
      Errore(r.targa + QStringLiteral(": ") + r.errore);
      stato = 1;
      continue;
    }
    campioni = campioni || r.stato == StatoRigaFlotta::Calcolata;
    righe.push_back(r);
  }
  if (!campioni && stato == 0) {
    Errore(QStringLiteral("Record non presenti, controllare date selezionate"));
    return 1;
  }
  QStringList nomi;
  for (const ColonnaFlotta c : ColonneScript()) nomi << QString::fromLatin1(Descrizione(c).nome);
  const TabellaEsportata tabella = TabellaFlotta(righe, ColonneScript(), nomi);
  for (const QString& riga : RigheCsv(tabella, FormaCsv::Script())) Stampa(riga);
  if (a.size() == 6) {
    if (const Esito e = ScriviXlsx({tabella}, a[5]); !e) {
      Errore(e.messaggio);
      return 1;
    }
  }
  return stato;
}
}  // namespace

ComandoBatch ComandoFlotta() {
  return {"flotta", 3, 5,
          "  quarvel-batch flotta ANNO \"YYYY-MM-DD HH:MM\" \"YYYY-MM-DD HH:MM\" [--xlsx FILE]\n"
          "      una riga per mezzo dell'anagrafica con un database per ANNO, in ordine di targa:\n"
          "      Targa;Km;Litri;KmL;OreMotore;OreMarcia;OreMinimo;LitriMinimo;Viaggi;VelocitaMax;\n"
          "      Superamenti;Riforniti;Prelevati;Scarto (le cifre di analizza e rifornimenti);\n"
          "      con --xlsx anche la stessa tabella in una cartella di lavoro\n",
          Flotta};
}

}  // namespace quarvel
