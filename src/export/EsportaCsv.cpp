#include "EsportaCsv.h"

#include "FileDurevoli.h"
#include "Localizzazione.h"

namespace quarvel {

namespace {
QString Campo(QString testo) {
  static const QString speciali = QStringLiteral(";\"\r\n");
  if (std::none_of(testo.cbegin(), testo.cend(), [](QChar c) { return speciali.contains(c); }))
    return testo;
  testo.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + testo + QLatin1Char('"');
}

QString Testo(const CellaEsportata& c, const FormaCsv& f) {
  using T = CellaEsportata::Tipo;
  switch (c.tipo) {
    case T::Vuota: return {};
    case T::Testo: return c.testo;
    case T::Numero: return TestoDecimali(c.numero, c.decimali, f.locale.value_or(QLocale::c()));
    case T::DataOra:
      return f.locale ? TestoDataGenerale(c.istante, *f.locale)
                      : InDateTime(c.istante).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  }
  return {};
}

QString Riga(const QStringList& campi) {
  QStringList quotati;
  for (const QString& campo : campi) quotati << Campo(campo);
  return quotati.join(QLatin1Char(';'));
}
}  // namespace

FormaCsv FormaCsv::Utente() { return {LocaleUtente()}; }

QStringList RigheCsv(const TabellaEsportata& tabella, const FormaCsv& forma) {
  QStringList righe{Riga(tabella.intestazioni)};
  for (const auto& celle : tabella.righe) {
    QStringList campi;
    for (const CellaEsportata& c : celle) campi << Testo(c, forma);
    righe << Riga(campi);
  }
  return righe;
}

Esito ScriviCsv(const TabellaEsportata& tabella, const QString& percorso, const FormaCsv& forma) {
  QByteArray byte;
  for (const QString& riga : RigheCsv(tabella, forma)) byte += riga.toUtf8() + "\r\n";
  return ScriviDurevole(percorso, byte);
}

}  // namespace quarvel
