#include "ImportaLog.h"

#include "BloccoImport.h"
#include "CartellaProgramma.h"
#include "CompletaImport.h"
#include "Conversioni.h"
#include "FileDati.h"
#include "FileDurevoli.h"
#include "GiornaleImport.h"
#include "Lingua.h"
#include "Messaggi.h"
#include "Targa.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

namespace {
const QString kAvviso = QStringLiteral("Avviso");

// How many lines were samples of seconds already stored, in plain words:
// without it a second import of the same files reads as thousands of errors.
QString Duplicati(const AvanzamentoImport& a, const CercaTesto& t) {
  if (a.duplicati == 1)
    return t(2028, QStringLiteral("1 riga era già nel database e non è stata salvata di nuovo"));
  const QString n = QString::number(a.duplicati);
  if (a.recordSalvati == 0)
    return ConValore(t(2026, QStringLiteral("%1 righe erano già nel database: questi file erano già "
                                            "stati importati")),
                     n);
  return ConValore(
      t(2027, QStringLiteral("%1 righe erano già nel database e non sono state salvate di nuovo")), n);
}

// The counts that close the messages of an import, in the user's language.
QString Conti(const AvanzamentoImport& a) {
  const CercaTesto t = CercaTestiLingua();
  QString testo = QLatin1Char('\n') + ConValore(t(2024, QStringLiteral("Record: %1")), TestoConSegno(a.recordSalvati)) +
                  QLatin1Char('\n') + ConValore(t(2025, QStringLiteral("Error: %1")), TestoConSegno(a.righeNonSalvate)) +
                  QLatin1Char('\n');
  if (a.duplicati > 0) testo += Duplicati(a, t) + QLatin1Char('\n');
  return testo;
}

void MostraElenco(const QString& titolo, const QStringList& righe) {
  if (!righe.isEmpty())
    MostraMessaggio(titolo + righe.join(QLatin1Char('\n')), Icona::Esclamazione, kAvviso);
}

void MostraFileRimasti(const EsitoGiornale& e) {
  MostraElenco(QStringLiteral("Questi file sono rimasti sul supporto e non sono stati importati:\n"),
               e.nonCopiati);
  MostraElenco(QString(), e.nonCancellati);
}

// The imports a kill or a failure left unfinished, finished first.
void CompletaSospese(const ProveImport& prove, RisultatoImport& esito) {
  const GiornaliTrovati trovati = GiornaliInSospeso();
  for (const QString& illeggibile : trovati.illeggibili) {
    esito.recuperiFalliti << illeggibile;
    MostraMessaggio(QStringLiteral("Il giornale di un'importazione interrotta non si può leggere: ") +
                        illeggibile,
                    Icona::Critica, kAvviso);
  }
  for (const GiornaleImport& g : trovati.giornali) {
    const EsitoGiornale e = CompletaImport(g, nullptr, prove);
    const QString quale = QStringLiteral("l'importazione interrotta di %1 del %2 (cartella %3)")
                              .arg(g.targa, g.giorno.toString(QStringLiteral("dd/MM/yyyy")),
                                   QDir::toNativeSeparators(g.CartellaArchivio()));
    MostraFileRimasti(e);
    if (e.completa) {
      ++esito.recuperate;
      MostraMessaggio(QStringLiteral("È stata completata ") + quale + QLatin1Char('.') + Conti(e.conti),
                      Icona::Informazione, kAvviso);
    } else {
      esito.recuperiFalliti << e.interruzione;
      MostraMessaggio(QStringLiteral("Non è stato possibile completare ") + quale + QStringLiteral(":\n") +
                          e.interruzione + QStringLiteral("\nSi riproverà alla prossima importazione."),
                      Icona::Critica, kAvviso);
    }
  }
}

// A new archive folder of the plate and the day, created.
QString CreaCartellaArchivio(const QString& targa, const QDate& giorno, QString* errore) {
  const QString dati = PercorsoDati(QStringLiteral("DATA"));
  for (int n = 1; n < 100000; ++n) {
    const QString nome = NomeCartellaArchivio(targa, giorno, n);
    const QString cartella = dati + QLatin1Char('/') + nome;
    if (EsisteCartella(cartella) || QFileInfo::exists(cartella)) continue;
    if (QDir().mkpath(cartella)) return nome;
    *errore = QStringLiteral("Impossibile creare la cartella di archivio %1").arg(cartella);
    return {};
  }
  *errore = QStringLiteral("Nessuna cartella di archivio libera in %1").arg(dati);
  return {};
}
}  // namespace

bool RisultatoImport::Riuscita() const {
  const bool fatta = stato == StatoImport::Completata || stato == StatoImport::NienteDaFare;
  return fatta && fileRimastiSulSupporto.isEmpty() && recuperiFalliti.isEmpty();
}

QStringList FileDellaCartella(const QString& cartella) {
  return QDir(cartella).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString NomeCartellaArchivio(const QString& targa, const QDate& giorno, int numero) {
  return targa + QLatin1Char('_') + giorno.toString(QStringLiteral("yyyy-MM-dd")) +
         QLatin1Char('_') + TestoConSegno(numero);
}

QString TestoTempoImportato(int64_t r) {
  const int64_t h = r / 3600;
  const int64_t m = (r - 3600 * h) / 60;
  const int64_t s = r - 3600 * h - 60 * m;
  return TestoConSegno(h) + QStringLiteral("h, ") + TestoConSegno(m) + QStringLiteral("min, ") +
         TestoConSegno(s) + QStringLiteral("sec");
}

RisultatoImport EseguiImport(const RichiestaImport& r, OsservatoreImport* osservatore) {
  RisultatoImport esito;
  if (const QString errore = ControllaTarga(r.targa); !errore.isEmpty()) {
    MostraMessaggio(errore + QStringLiteral("\nNessun file è stato spostato."), Icona::Critica, kAvviso);
    return esito;
  }
  BloccoImport blocco;
  if (!blocco.Prendi(r.prove.attesaMessaggioMs)) {
    if (!blocco.Errore().isEmpty()) MostraMessaggio(blocco.Errore(), Icona::Critica, kAvviso);
    return esito;
  }
  RimuoviTemporanei(PercorsoDati(QStringLiteral("DATA")));
  CompletaSospese(r.prove, esito);

  // Another import (or the one just finished) may have taken the files.
  QStringList file;
  for (const QString& nome : r.file)
    if (QFileInfo(r.cartellaSorgente + QLatin1Char('/') + nome).isFile()) file << nome;
  // With nothing on the medium after finishing an earlier import, that
  // import was the work: an empty import now would only replace its error
  // output with zero counts.
  if (file.isEmpty() && (!r.file.isEmpty() || esito.recuperate > 0)) {
    esito.stato = StatoImport::NienteDaFare;
    if (!r.file.isEmpty())
      MostraMessaggio(QStringLiteral("I file elencati non sono più sul supporto: sono già stati importati."),
                      Icona::Informazione, kAvviso);
    return esito;
  }

  QString errore;
  GiornaleImport g;
  g.archivio = CreaCartellaArchivio(r.targa, r.oggi, &errore);
  g.targa = r.targa;
  g.giorno = r.oggi;
  g.tipoDB = r.tipoDB;
  g.cartellaSorgente = r.cartellaSorgente;
  g.file = file;
  if (!g.archivio.isEmpty()) {
    if (Esito e = ScriviGiornale(g); !e) errore = e.messaggio;
  }
  if (!errore.isEmpty()) {
    MostraMessaggio(errore + QStringLiteral("\nNessun file è stato spostato."), Icona::Critica, kAvviso);
    return esito;
  }
  if (r.prove.fase) r.prove.fase(FaseImport::GiornaleScritto);
  if (file.isEmpty())
    MostraMessaggio(LeggiTestoLingua(2005, NomeFileLingua()), Icona::Informazione, kAvviso);

  const EsitoGiornale e = CompletaImport(g, osservatore, r.prove);
  esito.cartellaArchivio = g.CartellaArchivio();
  esito.percorsoDB = e.percorsoDB;
  esito.percorsoErrori = e.percorsoErrori;
  esito.fileRimastiSulSupporto = e.nonCopiati;
  esito.fileNonCancellati = e.nonCancellati;
  esito.fileLetti = e.conti.fileLetti;
  esito.recordSalvati = e.conti.recordSalvati;
  esito.righeNonSalvate = e.conti.righeNonSalvate;
  esito.viaggi = e.conti.viaggi;
  esito.interruzione = e.interruzione;
  esito.stato = e.completa ? StatoImport::Completata : StatoImport::Interrotta;
  const DidascalieImport d = Didascalie(e.conti, CercaTestiLingua());
  esito.didascaliaFile = d.file;
  esito.didascaliaViaggi = d.viaggi;
  esito.didascaliaTempo = d.tempo;
  esito.didascaliaErrori = d.errori;

  MostraFileRimasti(e);
  if (e.completa)
    MostraMessaggio(LeggiTestoLingua(2006, NomeFileLingua()) + Conti(e.conti), Icona::Informazione);
  else
    MostraMessaggio(e.interruzione + Conti(e.conti) + QStringLiteral("I file sono nella cartella ") +
                        QDir::toNativeSeparators(esito.cartellaArchivio) +
                        QStringLiteral(": risolto il problema, la prossima importazione la completerà."),
                    Icona::Critica, kAvviso);
  if (osservatore) {
    osservatore->Fine();
    osservatore->Orario();
  }
  return esito;
}

}  // namespace quarvel
