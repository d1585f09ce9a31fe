#pragma once
// The words of the consumption results the user reads (the sixteen captions,
// the period labels, the lines of the refuel and anomaly lists) and the
// format of their numbers and dates, in one language. By default the Italian
// texts in the Italian format: the report file is always written so.
#include "Istante.h"

#include <QLocale>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>

namespace quarvel {

enum class VoceRisultato {
  Accensioni, Gasolio, GasolioMarcia, Acceso, Marcia, Km, Media, Massima, Superamenti, Consumo,
  KmIniziali, KmFinali, KmCruscotto, LitriCruscotto, LitriFinali, LitriIniziali,
  NonCalcolabile, InizioAnalisi, FineAnalisi, Carico, Anomalia,
};

class TestiRisultati {
 public:
  // The Italian texts and format.
  TestiRisultati();
  // The texts of a language: cerca gives the language text of a number, or
  // the Italian text it is handed when the language has none.
  using Cerca = std::function<QString(long long numero, const QString& italiano)>;
  TestiRisultati(const Cerca& cerca, const QLocale& locale);

  // The text with the values in place of %1, %2, ...; a translation that
  // lost a %n gets that value after its text.
  QString Componi(VoceRisultato voce, std::initializer_list<QString> valori) const;
  QString Numero(double valore) const;
  QString Data(Istante istante) const;
  // A number of seconds as " 1h : 2min : 5sec".
  QString Tempo(double secondi) const;

 private:
  static constexpr std::size_t kVoci = std::size_t(VoceRisultato::Anomalia) + 1;
  std::array<QString, kVoci> testi_;
  QLocale locale_;
};

}  // namespace quarvel
