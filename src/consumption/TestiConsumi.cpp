#include "TestiConsumi.h"

#include "CartellaProgramma.h"
#include "Conversioni.h"

#include <cmath>

namespace quarvel {

namespace {
using V = VoceRisultato;
const QString kFineRiga = QStringLiteral("\r\n");

// The report's words and format, whatever the user's language.
const TestiRisultati& Report() {
  static const TestiRisultati italiano;
  return italiano;
}
QString N(double valore) { return Report().Numero(valore); }

// "YYYY-MM-DD" and the time on the 24-hour clock with the given separator.
QString DataOraIso(Istante istante, char separatore) {
  const DataOra d = Scomponi(istante);
  return QString::asprintf("%04d-%02d-%02d %02d%c%02d%c%02d", d.anno, d.mese, d.giorno, d.ora,
                           separatore, d.minuto, separatore, d.secondo);
}

QString TestoSuperamenti(int16_t soglia, int16_t conta, const TestiRisultati& t) {
  return t.Componi(V::Superamenti, {t.Numero(soglia), t.Numero(conta)});
}

// The speed over the time in motion, or "Non calcolabile" without motion.
QString MediaReport(double somma, double secondiMarcia) {
  const QString inizio = QStringLiteral("Velocità media calcolata: ");
  if (secondiMarcia <= 0) return inizio + Report().Componi(V::NonCalcolabile, {});
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
  t += f.acceso + Report().Tempo(acceso) + kFineRiga;
  t += f.marcia + Report().Tempo(marcia) + kFineRiga;
  t += f.km + N(Arrotonda(somma / 3600, 3)) + QStringLiteral(" Km") + kFineRiga;
  t += MediaReport(somma, marcia) + kFineRiga;
  t += f.massima + N(massima) + QStringLiteral(" Km/h") + kFineRiga;
  t += TestoSuperamenti(soglia, superamenti, Report()) + kFineRiga;
  return t;
}
}  // namespace

QString SecondiToTime(double secondi, const QLocale& locale) {
  // Single-precision parts; h × 3600 and m × 60 are single-precision too.
  const float h = float(std::floor(secondi / 3600));
  const float m = float(std::floor((secondi - double(h * 3600.0f)) / 60));
  const float s = float(secondi - double(h * 3600.0f) - double(m * 60.0f));
  return QLatin1Char(' ') + TestoSingolo(h, locale) + QStringLiteral("h : ") +
         TestoSingolo(m, locale) + QStringLiteral("min : ") + TestoSingolo(s, locale) +
         QStringLiteral("sec");
}

QString PercorsoReport(const QString& targa, Istante istante) {
  return PercorsoDati(QStringLiteral("REPORT/Report_") + targa + QLatin1Char('_') +
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
                               QStringLiteral(" Dal : ") + Report().Data(a.InizioViaggio) +
                               QStringLiteral("    Al: ") + Report().Data(a.UltimoIstante);
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
         Report().Data(a.InizioViaggio) + QStringLiteral(" Al: ") +
         Report().Data(a.UltimoIstante) + kFineRiga + kFineRiga;
}

QString RigaAnomalia(Istante istante, int16_t precedente, int16_t livello, double numeroCampione,
                     const TestiRisultati& t) {
  return t.Componi(V::Anomalia, {t.Data(istante), t.Numero(precedente), t.Numero(livello),
                                 TestoConSegno((long long)numeroCampione)}) +
         kFineRiga;
}

QString RigaCarico(Istante istante, int16_t precedente, int16_t livello,
                   const TestiRisultati& t) {
  return t.Componi(V::Carico, {t.Data(istante), t.Numero(precedente), t.Numero(livello)}) +
         kFineRiga;
}

std::vector<Didascalia> Didascalie(const AccumulatoreConsumi& a, int16_t soglia,
                                   const TestiRisultati& t) {
  const double km = a.SommaVelocita / 3600;
  const double litri = a.SommaGasolio * 0.05 / 3600;
  const double litriMarcia = a.SommaGasolioMarcia * 0.05 / 3600;
  const QString nonCalcolabile = t.Componi(V::NonCalcolabile, {});
  const QString media = a.SecondiMarcia <= 0
                            ? nonCalcolabile
                            : t.Numero(Arrotonda(km / a.SecondiMarcia * 3600, 2)) +
                                  QStringLiteral(" Km/h");
  const QString consumo = litriMarcia <= 0
                              ? nonCalcolabile
                              : t.Numero(Arrotonda(km / litriMarcia, 3)) + QStringLiteral(" Km/L");
  const auto d = [&t](const char* nome, V voce, std::initializer_list<QString> valori) {
    return Didascalia{QString::fromLatin1(nome), t.Componi(voce, valori)};
  };
  return {
      d("Llb_NumeroAccensioni", V::Accensioni, {t.Numero(a.NumeroAccensioni)}),
      d("Lbl_GasolioConsumato", V::Gasolio, {t.Numero(Arrotonda(litri, 2))}),
      d("Lbl_GasolioConsumatoMarcia", V::GasolioMarcia, {t.Numero(Arrotonda(litriMarcia, 2))}),
      d("Lbl_CamionAcceso", V::Acceso, {t.Tempo(a.SecondiAcceso)}),
      d("Lbl_CamionAccesoMarcia", V::Marcia, {t.Tempo(a.SecondiMarcia)}),
      d("Lbl_KmPercorsi", V::Km, {t.Numero(Arrotonda(km, 3))}),
      d("Lbl_velocitamedia", V::Media, {media}),
      d("Lbl_VelocitaMax_Periodo", V::Massima, {t.Numero(a.VelocitaMax)}),
      {QStringLiteral("Lbl_NVelocitaallerta"), TestoSuperamenti(soglia, a.ContaSuperamenti, t)},
      d("Lbl_ConsumoMedMarcia", V::Consumo, {consumo}),
      d("Lbl_KmInitCrusco", V::KmIniziali, {t.Numero(a.KmIniziali)}),
      d("Lbl_KmFinCrusco", V::KmFinali, {t.Numero(a.KmFinali)}),
      d("Lbl_KmPercorsiCrusco", V::KmCruscotto, {t.Numero(Arrotonda(a.KmFinali - a.KmIniziali, 2))}),
      d("Lbl_LitriConsumatiCrusco", V::LitriCruscotto,
        {t.Numero(a.ContaLitriFinali - a.ContaLitriIniziali)}),
      d("Lbl_Lfinalicrusco", V::LitriFinali, {t.Numero(a.ContaLitriFinali)}),
      d("Lbl_Linizialicrusco", V::LitriIniziali, {t.Numero(a.ContaLitriIniziali)}),
  };
}

}  // namespace quarvel
