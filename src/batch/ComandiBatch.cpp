#include "ComandiBatch.h"

#include "CartellaDati.h"
#include "Impostazioni.h"
#include "ImpostazioniAggiunte.h"
#include "SupportoBatch.h"

#include <QDateTime>
#include <QFileInfo>
#include <cstdio>
#include <vector>

namespace quarvel {

const std::vector<ComandoBatch>& Comandi() {
  static const std::vector<ComandoBatch> comandi = {
      ComandoImporta(),
      ComandoAnalizza(),
      ComandoRegistra(),
      ComandoAttivita(),
      ComandoGrafico(),
      ComandoStampa(),
      ComandoRifornimenti(),
      ComandoVeicoli(),
      ComandoElimina(),
      ComandoFlotta(),
  };
  return comandi;
}

void Errore(const QString& testo) { std::fprintf(stderr, "%s\n", testo.toUtf8().constData()); }
void Stampa(const QString& testo) { std::printf("%s\n", testo.toUtf8().constData()); }

int Uso(const QString& motivo) {
  Errore(motivo);
  std::fputs("Uso:\n", stderr);
  for (const ComandoBatch& c : Comandi()) std::fputs(c.uso, stderr);
  std::fputs("  quarvel-batch --version\n", stderr);
  return 2;
}

void StampaRighe(const QString& titolo, const QStringList& righe) {
  Stampa(titolo);
  for (QString riga : righe) {
    while (riga.endsWith(QLatin1Char('\n')) || riga.endsWith(QLatin1Char('\r'))) riga.chop(1);
    Stampa(riga);
  }
}

bool FileDaScrivere(const QString& file) {
  const QFileInfo info(file);
  return QFileInfo(info.absolutePath()).isDir() && (!info.exists() || info.isFile()) && !file.isEmpty();
}

std::optional<Istante> LeggiMinuto(const QString& testo) {
  const QDateTime t = QDateTime::fromString(testo.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm"));
  if (!t.isValid()) return std::nullopt;
  return DaDateTime(t);
}

int EseguiComandoBatch(const QStringList& a) {
  if (a.isEmpty()) return Uso(QStringLiteral("Comando mancante."));
  if (a.size() == 1 && a.front() == QLatin1String("--version")) {
    Stampa(QStringLiteral("quarvel-batch " QUARVEL_VERSIONE));
    return 0;
  }
  // A command that only reads still works when the folder cannot be made;
  // one that writes says where it failed.
  if (const Esito esito = PreparaCartellaDati(); !esito) Errore(esito.messaggio);
  InizializzaDefault();
  const EsitoLetturaIni ini = LeggiIni();
  if (ini.Difettoso()) Errore(ini.Descrizione());
  if (const QString aggiunto = LeggiIniAggiunto(); !aggiunto.isEmpty()) Errore(aggiunto);
  for (const ComandoBatch& c : Comandi()) {
    if (a.front() != QLatin1String(c.nome)) continue;
    const int n = a.size() - 1;
    if (n < c.minimoArgomenti || n > c.massimoArgomenti)
      return Uso(QStringLiteral("Numero di argomenti sbagliato per %1.").arg(c.nome));
    return c.esegui(a);
  }
  return Uso(QStringLiteral("Comando sconosciuto: %1").arg(a.front()));
}

}  // namespace quarvel
