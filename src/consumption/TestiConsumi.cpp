#include "TestiConsumi.h"

#include "CartellaProgramma.h"
#include "Conversioni.h"
#include "Localizzazione.h"

#include <cmath>

namespace quarvel {

namespace {
const QString kFineRiga = QStringLiteral("\r\n");
const QString kNonCalcolabile = QStringLiteral("Non calcolabile");

QString N(double valore) { return TestoNumero(valore); }

QString Data(Istante istante) { return TestoDataGenerale(istante); }

// "YYYY-MM-DD" and the time on the 24-hour clock with the given separator.
QString DataOraIso(Istante istante, char separatore) {
  const DataOra d = Scomponi(istante);
  return QString::asprintf("%04d-%02d-%02d %02d%c%02d%c%02d", d.anno, d.mese, d.giorno, d.ora,
                           separatore, d.minuto, separatore, d.secondo);
}

QString TestoSuperamenti(int16_t soglia, int16_t conta) {
  return QStringLiteral("N° volte velocità >") + N(soglia) + QStringLiteral(" Km/h :") + N(conta);
}

// The speed over the time in motion, or "Non calcolabile" without motion.
QString MediaReport(double somma, double secondiMarcia) {
  const QString inizio = QStringLiteral("Velocità media calcolata: ");
  if (secondiMarcia <= 0) return inizio + kNonCalcolabile;
  return inizio + N(Arrotonda(somma / secondiMarcia, 3)) + QStringLiteral("Km/h");
}

// The seven lines shared by the trip block and the total block; only the
// first line and the captions of lines 2, 3, 4 and 6 differ.
struct FormaBlocco {
  QString acceso, marcia, km, massima;
};

QString Blocco(const QString& intestazione, const FormaBlocco& f, double acceso, double marcia,
               double somma, int16_t massima, int16_t superamenti, int16_t soglia) {
  QString t = intestazione + kFineRiga;
  t += f.acceso + SecondiToTime(acceso) + kFineRiga;
  t += f.marcia + SecondiToTime(marcia) + kFineRiga;
  t += f.km + N(Arrotonda(somma / 3600, 3)) + QStringLiteral(" Km") + kFineRiga;
  t += MediaReport(somma, marcia) + kFineRiga;
  t += f.massima + N(massima) + QStringLiteral(" Km/h") + kFineRiga;
  t += TestoSuperamenti(soglia, superamenti) + kFineRiga;
  return t;
}
}  // namespace

QString SecondiToTime(double secondi) {
  // Single-precision parts; h × 3600 and m × 60 are single-precision too.
  const float h = float(std::floor(secondi / 3600));
  const float m = float(std::floor((secondi - double(h * 3600.0f)) / 60));
  const float s = float(secondi - double(h * 3600.0f) - double(m * 60.0f));
  return QLatin1Char(' ') + TestoSingolo(h) + QStringLiteral("h : ") + TestoSingolo(m) +
         QStringLiteral("min : ") + TestoSingolo(s) + QStringLiteral("sec");
}

QString PercorsoReport(const QString& targa, Istante istante) {
  return PercorsoProgramma(QStringLiteral("REPORT/Report_") + targa + QLatin1Char('_') +
                           DataOraIso(istante, '-') + QStringLiteral(".txt"));
}

QString PrimaRigaReport(const QString& targa, Istante istante) {
  return QStringLiteral("File Output Report ") + DataOraIso(istante, ':') +
         QStringLiteral(" Identificato da : ") + targa;
}

QString BloccoViaggio(const AccumulatoreConsumi& a, int16_t soglia) {
  static const FormaBlocco forma{QStringLiteral("Tempo Motore Acceso    : "),
                                 QStringLiteral("Tempo in marcia        : "),
                                 QStringLiteral("Km percorsi calcolati  : "),
                                 QStringLiteral("Velocita Massima viaggio: ")};
  const QString intestazione = QStringLiteral("Viaggio : ") + N(a.NumeroAccensioni) +
                               QStringLiteral(" Dal : ") + Data(a.InizioViaggio) +
                               QStringLiteral("    Al: ") + Data(a.UltimoIstante);
  return Blocco(intestazione, forma, a.SecondiAccesoViaggio, a.SecondiMarciaViaggio,
                a.SommaVelocitaViaggio, a.VelocitaMaxViaggio, a.ContaSuperamentiViaggio, soglia);
}

QString BloccoTotale(const AccumulatoreConsumi& a, int16_t soglia) {
  static const FormaBlocco forma{QStringLiteral("Tempo Motore Acceso : "),
                                 QStringLiteral("Tempo in marcia     : "),
                                 QStringLiteral("Kilometri percorsi calcolati: "),
                                 QStringLiteral("Velocita Massima periodo: ")};
  return Blocco(QStringLiteral("Report totale :"), forma, a.SecondiAcceso, a.SecondiMarcia,
                a.SommaVelocita, a.VelocitaMax, a.ContaSuperamenti, soglia);
}

QString ChiusuraUltimoViaggio(const AccumulatoreConsumi& a) {
  return QStringLiteral("Viaggio : ") + N(a.NumeroAccensioni) + QStringLiteral(" Dal : ") +
         Data(a.InizioViaggio) + QStringLiteral(" Al: ") + Data(a.UltimoIstante) + kFineRiga +
         kFineRiga;
}

QString RigaAnomalia(Istante istante, int16_t precedente, int16_t livello, double numeroCampione) {
  return Data(istante) + QStringLiteral(" Iniziale: ") + N(precedente) +
         QStringLiteral("% Finale: ") + N(livello) + QStringLiteral("% ") + QStringLiteral(" El:") +
         TestoConSegno((long long)numeroCampione) + kFineRiga;
}

QString RigaCarico(Istante istante, int16_t precedente, int16_t livello) {
  return Data(istante) + QStringLiteral(" Iniziale:") + N(precedente) +
         QStringLiteral("% Finale: ") + N(livello) + kFineRiga;
}

std::vector<Didascalia> Didascalie(const AccumulatoreConsumi& a, int16_t soglia) {
  const double km = a.SommaVelocita / 3600;
  const double litri = a.SommaGasolio * 0.05 / 3600;
  const double litriMarcia = a.SommaGasolioMarcia * 0.05 / 3600;
  const QString media =
      a.SecondiMarcia <= 0
          ? kNonCalcolabile
          : N(Arrotonda(km / a.SecondiMarcia * 3600, 2)) + QStringLiteral(" Km/h");
  const QString consumo = litriMarcia <= 0
                              ? kNonCalcolabile
                              : N(Arrotonda(km / litriMarcia, 3)) + QStringLiteral(" Km/L");
  return {
      {QStringLiteral("Llb_NumeroAccensioni"),
       QStringLiteral("Numero accensioni = Numero Viaggi : ") + N(a.NumeroAccensioni)},
      {QStringLiteral("Lbl_GasolioConsumato"),
       QStringLiteral("Litri gasolio consumato : ") + N(Arrotonda(litri, 2))},
      {QStringLiteral("Lbl_GasolioConsumatoMarcia"),
       QStringLiteral("Litri gasolio in marcia : ") + N(Arrotonda(litriMarcia, 2))},
      {QStringLiteral("Lbl_CamionAcceso"),
       QStringLiteral("Tempo motore acceso : ") + SecondiToTime(a.SecondiAcceso)},
      {QStringLiteral("Lbl_CamionAccesoMarcia"),
       QStringLiteral("Tempo in marcia : ") + SecondiToTime(a.SecondiMarcia)},
      {QStringLiteral("Lbl_KmPercorsi"),
       QStringLiteral("Kilometri percorsi calcolati: ") + N(Arrotonda(km, 3)) +
           QStringLiteral(" Km")},
      {QStringLiteral("Lbl_velocitamedia"), QStringLiteral("Velocità media in marcia : ") + media},
      {QStringLiteral("Lbl_VelocitaMax_Periodo"),
       QStringLiteral("Velocita Massima periodo: ") + N(a.VelocitaMax) + QStringLiteral(" Km/h")},
      {QStringLiteral("Lbl_NVelocitaallerta"), TestoSuperamenti(soglia, a.ContaSuperamenti)},
      {QStringLiteral("Lbl_ConsumoMedMarcia"), QStringLiteral("Consumo medio in marcia : ") + consumo},
      {QStringLiteral("Lbl_KmInitCrusco"),
       QStringLiteral("Kilometri iniziali cruscotto : ") + N(a.KmIniziali)},
      {QStringLiteral("Lbl_KmFinCrusco"),
       QStringLiteral("Kilometri finali cruscotto : ") + N(a.KmFinali)},
      {QStringLiteral("Lbl_KmPercorsiCrusco"),
       QStringLiteral("Kilometri percorsi cruscotto : ") + N(Arrotonda(a.KmFinali - a.KmIniziali, 2))},
      {QStringLiteral("Lbl_LitriConsumatiCrusco"),
       QStringLiteral("Litri consumati cruscotto : ") + N(a.ContaLitriFinali - a.ContaLitriIniziali)},
      {QStringLiteral("Lbl_Lfinalicrusco"),
       QStringLiteral("ContaLitri finali cruscotto : ") + N(a.ContaLitriFinali)},
      {QStringLiteral("Lbl_Linizialicrusco"),
       QStringLiteral("ContaLitri iniziali cruscotto : ") + N(a.ContaLitriIniziali)},
  };
}

}  // namespace quarvel
