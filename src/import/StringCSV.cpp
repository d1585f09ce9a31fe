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
  return DecodificaTesto(QByteArray::fromRawData(riga.data(), qsizetype(riga.size())));
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
