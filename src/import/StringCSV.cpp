#include "StringCSV.h"

#include "DecodificaRiga.h"
#include "FileTesto.h"

namespace quarvel {

EsitoRiga ImportaRigaCSV(std::string_view riga, float contatore) {
  const RigaDecodificata d = DecodificaRigaCSV(riga, contatore);
  switch (d.tipo) {
    case TipoRiga::PrimaRiga: return EsitoRiga::PrimaRiga;
    case TipoRiga::Intestazione: return EsitoRiga::Intestazione;
    case TipoRiga::Errata: return EsitoRiga::RigaErrata;
    case TipoRiga::Dati: break;
  }
  switch (ScriviCampione(d.campione)) {
    case EsitoScrittura::Salvato: return EsitoRiga::RecordSalvato;
    case EsitoScrittura::Duplicato: return EsitoRiga::RecordDuplicato;
    case EsitoScrittura::Errore: break;
  }
  return EsitoRiga::ErroreDatabase;
}

QString TestoEsito(EsitoRiga esito, std::string_view riga) {
  switch (esito) {
    case EsitoRiga::RecordSalvato: return QStringLiteral("Record salvato");
    case EsitoRiga::RecordDuplicato:
    case EsitoRiga::ErroreDatabase: return QStringLiteral("Errore record duplicato");
    case EsitoRiga::PrimaRiga: return QStringLiteral("Prima riga");
    case EsitoRiga::Intestazione: return QStringLiteral("intestazione");
    case EsitoRiga::RigaErrata: break;
  }
  return TestoRigaErrata(riga);
}

QString TestoRigaErrata(std::string_view riga, int64_t lunghezza) {
  const QString testo = DecodificaTesto(QByteArray::fromRawData(riga.data(), qsizetype(riga.size())));
  if (lunghezza < int64_t(riga.size())) lunghezza = int64_t(riga.size());
  const QString inizio = PrimiCaratteri(testo, kMassimoErrore);
  if (inizio.size() == testo.size() && lunghezza == int64_t(riga.size())) return testo;
  return inizio + QStringLiteral(" [... riga tagliata, %1 byte in tutto]").arg(lunghezza);
}

QString PrimiCaratteri(const QString& t, int n) {
  qsizetype fine = 0;
  for (int i = 0; i < n && fine < t.size(); ++i)
    fine += t.at(fine).isHighSurrogate() && fine + 1 < t.size() ? 2 : 1;
  return t.left(fine);
}

void StringCSV_to_DB(std::string_view riga, QString& risultato, float contatore) {
  risultato = TestoEsito(ImportaRigaCSV(riga, contatore), riga);
}

void StringCSV_to_DB(const QString& riga, QString& risultato, float contatore) {
  const QByteArray utf8 = riga.toUtf8();
  const EsitoRiga esito = ImportaRigaCSV(std::string_view(utf8.constData(), utf8.size()), contatore);
  risultato = esito == EsitoRiga::RigaErrata ? riga : TestoEsito(esito, {});
}

}  // namespace quarvel
