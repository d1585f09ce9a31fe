#include "Impostazioni.h"

#include "CartellaProgramma.h"
#include "Conversioni.h"
#include "FileDurevoli.h"
#include "FileTesto.h"
#include "TrovaVoce.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace quarvel {

namespace {
// A value line of the settings file: its 1-based line number, its label in
// the file (as the user knows it) and where it goes in memory.
struct RigaValore {
  int riga;
  const char* etichetta;
  int16_t Impostazioni::*campo;
};

constexpr RigaValore RigheLette[] = {
    {3, "TipoDB", &Impostazioni::TipoDB},
    {5, "Capacità serbatoio", &Impostazioni::CapacitaSerbatoio},
    {7, "Livello Allert Gasolio", &Impostazioni::LivelloAllertGasolio},
    {9, "Livello Allert Velocità", &Impostazioni::LivelloAllertVelocita},
    {13, "Lingua", &Impostazioni::Lingua},
};

// The owner of a file, when it has one, read before the file is replaced.
struct Proprietario {
  bool esiste = false;
  uint proprietario = 0, gruppo = 0;
};
Proprietario ProprietarioDi(const QString& percorso) {
  const QFileInfo f(percorso);
  if (!f.exists()) return {};
  return {true, f.ownerId(), f.groupId()};
}

// The new file keeps the owner of the one it replaced (the permissions come
// with the save): the administrator saving the settings once must not take
// the file away from its user. Refused without the right to do so, and the
// settings are saved all the same.
void RipristinaProprietario(const QString& percorso, const Proprietario& prima) {
#ifdef Q_OS_UNIX
  if (!prima.esiste || ProprietarioDi(percorso).proprietario == prima.proprietario) return;
  (void)!::chown(QFile::encodeName(percorso).constData(), prima.proprietario, prima.gruppo);
#else
  Q_UNUSED(percorso);
  Q_UNUSED(prima);
#endif
}
}  // namespace

Impostazioni& Imp() {
  static Impostazioni impostazioni;
  return impostazioni;
}

std::optional<QString> CodiceDaLingua(int lingua) {
  switch (lingua) {
    case 0: return QStringLiteral("IT");
    case 1: return QStringLiteral("EN");
    case 2: return QStringLiteral("ES");
  }
  return std::nullopt;
}

QString PercorsoIni() {
  return PercorsoEsistente(PercorsoDati(QStringLiteral("Quarvelini.ini")));
}
QString PercorsoLog() { return PercorsoDati(QStringLiteral("Quarvelini.Log")); }

void InizializzaDefault() {
  Impostazioni& i = Imp();
  i = Impostazioni{};
  i.PercorsoAnagrafica = PercorsoDati(QStringLiteral("DB/Anagrafica97.mdb"));
  i.CapacitaSerbatoio = 250;
  i.LivelloAllertGasolio = 25;
  i.TipoDB = 0;
  i.AnnoDB = QString::number(QDate::currentDate().year());
  // The code follows the language index from the start, so that a first run
  // without a settings file already finds IT.lan and the Italian pictures.
  i.CodiceLingua = *CodiceDaLingua(i.Lingua);
}

EsitoLetturaIni LeggiIni() {
  EsitoLetturaIni esito;
  const QString percorso = PercorsoIni();
  // A writing cut short by a power cut may leave its temporary file
  // ("Quarvelini.ini.AbCdEf") beside the settings, old or new but whole.
  const QFileInfo ini(percorso);
  const QStringList resti = {ini.fileName() + QStringLiteral(".??????")};
  for (const QFileInfo& t : QDir(ini.path()).entryInfoList(resti, QDir::Files)) QFile::remove(t.filePath());
  if (!QFileInfo(percorso).isFile()) return esito;
  esito.trovato = true;
  QFile prova(percorso);
  if (!prova.open(QIODevice::ReadOnly)) {
    esito.erroreApertura = prova.errorString();
    return esito;
  }
  prova.close();
  const QStringList righe = LeggiRigheTesto(percorso).value_or(QStringList{});
  for (const RigaValore& r : RigheLette) {
    const QString etichetta = QString::fromUtf8(r.etichetta);
    if (righe.size() < r.riga) {
      esito.valoriMancanti << etichetta;
      continue;
    }
    const auto valore = Intero16(LeggiNumero(righe[r.riga - 1], Esponente::Escluso));
    if (!valore) {
      esito.valoriFuoriScala << etichetta;
      continue;
    }
    Imp().*r.campo = *valore;
  }
  if (auto codice = CodiceDaLingua(Imp().Lingua)) Imp().CodiceLingua = *codice;
  return esito;
}

QString EsitoLetturaIni::Descrizione() const {
  if (!erroreApertura.isEmpty())
    return QStringLiteral("Impossibile leggere il file delle impostazioni %1 (%2).\n"
                          "Valgono le impostazioni predefinite.")
        .arg(PercorsoIni(), erroreApertura);
  if (!Difettoso()) return {};
  QString testo = QStringLiteral("Il file delle impostazioni %1 è incompleto o danneggiato.")
                      .arg(PercorsoIni());
  if (!valoriMancanti.isEmpty())
    testo += QStringLiteral("\nValori mancanti: ") + valoriMancanti.join(QStringLiteral(", "));
  if (!valoriFuoriScala.isEmpty())
    testo += QStringLiteral("\nValori fuori scala: ") +
             valoriFuoriScala.join(QStringLiteral(", "));
  testo += QStringLiteral("\nPer questi valgono i valori predefiniti.");
  return testo;
}

EsitoScritturaIni ScriviIni() {
  const Impostazioni& i = Imp();
  const QStringList righe = {
      QStringLiteral("File ini Quarvel"),
      QStringLiteral("TipoDB:"),
      TestoConSegno(i.TipoDB),
      QStringLiteral("Capacità serbatoio:"),
      TestoConSegno(i.CapacitaSerbatoio),
      QStringLiteral("Livello Allert Gasolio:"),
      TestoConSegno(i.LivelloAllertGasolio),
      QStringLiteral("Livello Allert Velocità"),
      TestoConSegno(i.LivelloAllertVelocita),
      QStringLiteral("Tipo report"),
      TestoConSegno(i.TipoReport),
      QStringLiteral("Lingua"),
      TestoConSegno(i.Lingua),
  };
  return ScriviFileImpostazioni(PercorsoIni(), righe);
}

EsitoScritturaIni ScriviFileImpostazioni(const QString& percorso, const QStringList& righe) {
  // Written beside and then put in place, so that a full disk leaves the
  // previous file whole. In a program folder the user may not write into
  // (an installation of the administrator's, with only this file left
  // writable) no file can be made beside it: then it is rewritten in place.
  const Proprietario prima = ProprietarioDi(percorso);
  QSaveFile file(percorso);
  file.setDirectWriteFallback(true);
  const QByteArray byte = (righe.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(byte) != byte.size() || !file.commit())
    return {false, file.errorString()};
  SincronizzaCartella(QFileInfo(percorso).path());  // the new name lasts a power cut
  RipristinaProprietario(percorso, prima);
  return {};
}

bool ScriviFileLog(const QString& testo, long long numero) {
  ScrittoreTesto log(PercorsoLog(), ScrittoreTesto::Modo::Accoda);
  const bool scritto = log.Riga(testo) && log.Riga(TestoConSegno(numero));
  return log.Chiudi() && scritto;
}

}  // namespace quarvel
