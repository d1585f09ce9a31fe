// quarvel-batch veicoli
#include "Anagrafica.h"
#include "Impostazioni.h"
#include "SupportoBatch.h"

namespace quarvel {

namespace {
// A factor as stored, with a decimal point, in the fewest digits that read
// back the same: 1.2, 0.5555555555555556, 0.
QString Fattore(double valore) { return QString::number(valore, 'g', QLocale::FloatingPointShortest); }

int Veicoli(const QStringList&) {
  DatabaseAnagrafica registro;
  if (const Esito e = registro.Apri(Imp().PercorsoAnagrafica); !e) {
    Errore(e.messaggio);
    return 1;
  }
  for (const VeicoloAnagrafica& v : registro.Veicoli())
    Stampa(QStringList{v.Targa, v.MarcaModello, QString::number(v.Capacita), QString::number(v.Altezza),
                       Fattore(v.KGasolio), Fattore(v.KSensore)}
               .join(QLatin1Char(';')));
  return 0;
}
}  // namespace

ComandoBatch ComandoVeicoli() {
  return {"veicoli", 0, 0,
          "  quarvel-batch veicoli\n"
          "      una riga per mezzo dell'anagrafica: Targa;MarcaModello;Capacita;Altezza;KGasolio;KSensore\n",
          Veicoli};
}

}  // namespace quarvel
