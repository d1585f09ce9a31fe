#include "ImpostazioniAggiunte.h"

#include "CartellaProgramma.h"
#include "Conversioni.h"
#include "FileTesto.h"
#include "Impostazioni.h"
#include "TrovaVoce.h"

#include <QFileInfo>

namespace quarvel {

namespace {
struct Voce {
  const char* nome;
  double ImpostazioniAggiunte::*campo;
};
constexpr Voce kVoci[] = {
    {"MinimoRifornimento", &ImpostazioniAggiunte::MinimoRifornimento},
    {"MinimoPerdita", &ImpostazioniAggiunte::MinimoPerdita},
};
}  // namespace

ImpostazioniAggiunte& Agg() {
  static ImpostazioniAggiunte impostazioni;
  return impostazioni;
}

QString PercorsoIniAggiunto() {
  return PercorsoEsistente(PercorsoDati(QStringLiteral("QuarvelOpzioni.ini")));
}

QString LeggiIniAggiunto() {
  Agg() = ImpostazioniAggiunte{};
  const QString percorso = PercorsoIniAggiunto();
  if (!QFileInfo(percorso).isFile()) return {};
  const std::optional<QStringList> righe = LeggiRigheTesto(percorso);
  if (!righe)
    return QStringLiteral("Impossibile leggere il file delle impostazioni %1.\n"
                          "Valgono le impostazioni predefinite.")
        .arg(percorso);
  QStringList sbagliati;
  for (const QString& riga : *righe) {
    const qsizetype uguale = riga.indexOf(QLatin1Char('='));
    if (riga.startsWith(QLatin1Char('#')) || uguale < 0) continue;
    const QString nome = riga.left(uguale).trimmed();
    for (const Voce& v : kVoci) {
      if (nome != QLatin1String(v.nome)) continue;
      // Written with a point; a comma typed by hand is taken too.
      QString testo = riga.mid(uguale + 1).trimmed();
      testo.replace(QLatin1Char(','), QLatin1Char('.'));
      bool ok = false;
      const double valore = testo.toDouble(&ok);
      if (ok && valore >= 0 && valore < 1e6) Agg().*v.campo = valore;
      else sbagliati << nome;
    }
  }
  if (sbagliati.isEmpty()) return {};
  return QStringLiteral("Il file delle impostazioni %1 è danneggiato.\nValori non validi: %2\n"
                        "Per questi valgono i valori predefiniti.")
      .arg(percorso, sbagliati.join(QStringLiteral(", ")));
}

QString ScriviIniAggiunto() {
  QStringList righe{QStringLiteral("# Quarvel: impostazioni oltre a Quarvelini.ini")};
  for (const Voce& v : kVoci)
    righe << QLatin1String(v.nome) + QLatin1Char('=') + QString::number(Agg().*v.campo, 'g', 10);
  const EsitoScritturaIni esito = ScriviFileImpostazioni(PercorsoIniAggiunto(), righe);
  return esito.ok ? QString() : esito.errore;
}

}  // namespace quarvel
