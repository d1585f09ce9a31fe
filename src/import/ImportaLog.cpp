#include "ImportaLog.h"

#include "CartellaProgramma.h"
#include "Conversioni.h"
#include "DatabaseVeicolo.h"
#include "FileDati.h"
#include "FileTesto.h"
#include "Lingua.h"
#include "Logs.h"
#include "Messaggi.h"
#include "OrdinaliLogs.h"
#include "PassoEventi.h"
#include "SpostaFile.h"
#include "StringCSV.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quarvel {

namespace {

const QString kAvviso = QStringLiteral("Avviso");

// Counters of one import.
struct Contatori {
  int32_t recordSalvati = 0;
  double righeNonSalvate = 0;
  int16_t viaggi = 0;
  float perRegistrazione = 0;  // samples since the last recording header: DatoPT
  int attivita = 0;            // the line-activity value shown by Prb_running
};

// The first free archive folder of the plate and the day, created.
QString CreaCartellaArchivio(const QString& targa, const QDate& giorno, QString* errore) {
  const QString dati = PercorsoProgramma(QStringLiteral("DATA"));
  for (int n = 1; n < 100000; ++n) {
    const QString cartella = dati + QLatin1Char('/') + NomeCartellaArchivio(targa, giorno, n);
    if (EsisteCartella(cartella) || QFileInfo::exists(cartella)) continue;
    if (QDir().mkpath(cartella)) return cartella;
    *errore = QStringLiteral("Impossibile creare la cartella di archivio %1").arg(cartella);
    return {};
  }
  *errore = QStringLiteral("Nessuna cartella di archivio libera in %1").arg(dati);
  return {};
}

// Moves the files into the archive; the names of those left on the medium,
// each with its reason.
QStringList SpostaFile(const RichiestaImport& r, const QString& archivio, PassoEventi& passo) {
  QStringList rimasti;
  for (const QString& nome : r.file) {
    passo.Adesso();
    const QString da = r.cartellaSorgente + QLatin1Char('/') + nome;
    const QString a = archivio + QLatin1Char('/') + nome;
    const auto esito = r.sposta ? r.sposta(da, a) : SpostaFileVerificato(da, a);
    if (esito.stato != EsitoSpostamento::Stato::Spostato) rimasti << esito.errore;
  }
  return rimasti;
}

// Reads a file's lines as bytes, accepting CR LF, LF or CR, and hands each to
// the decoder; the driver's counters follow the result.
class LettoreFile {
 public:
  LettoreFile(Contatori& c, ScrittoreTesto& errori, OsservatoreImport* o, PassoEventi& passo)
      : c_(c), errori_(errori), osservatore_(o), passo_(passo) {}

  // False when the file could not be read (the reason in errore).
  bool Importa(const QString& percorso, QByteArray& ultimaRiga, QString* errore) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) {
      *errore = file.errorString();
      return false;
    }
    const QByteArray contenuto = file.readAll();
    if (file.error() != QFileDevice::NoError) {
      *errore = file.errorString();
      return false;
    }
    passo_.Adesso();
    prefisso_ = percorso + QLatin1Char(' ');
    const char* p = contenuto.constData();
    const qsizetype n = contenuto.size();
    // A file saved by an editor may open with a UTF-8 byte order mark.
    qsizetype inizio = contenuto.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype i = inizio; i <= n && !erroreDatabase_; ++i) {
      if (i < n && p[i] != '\r' && p[i] != '\n') continue;
      if (i == n && inizio == n) break;  // a final line end makes no empty line
      const std::string_view riga(p + inizio, std::size_t(i - inizio));
      Riga(riga);
      ultimaRiga = QByteArray(riga.data(), qsizetype(riga.size()));
      if (i < n && p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ++i;
      inizio = i + 1;
    }
    return true;
  }

  bool ErroreDatabase() const { return erroreDatabase_; }

 private:
  void Riga(std::string_view riga) {
    const EsitoRiga esito = ImportaRigaCSV(riga, c_.perRegistrazione);
    switch (esito) {
      case EsitoRiga::RecordSalvato:
        ++c_.recordSalvati;
        ++c_.perRegistrazione;
        break;
      case EsitoRiga::Intestazione: break;
      case EsitoRiga::ErroreDatabase:
        // A full disk or a damaged file fails every sample that follows:
        // one message is enough, and the import stops here.
        erroreDatabase_ = true;
        errori_.Riga(prefisso_ + TestoEsito(esito, riga));
        ++c_.righeNonSalvate;
        break;
      case EsitoRiga::PrimaRiga:
        ++c_.viaggi;
        c_.perRegistrazione = 0;
        [[fallthrough]];
      default:
        errori_.Riga(prefisso_ + TestoEsito(esito, riga));
        ++c_.righeNonSalvate;
    }
    if (++c_.attivita > 100) c_.attivita = 0;
    if (passo_.Pronto()) {
      if (osservatore_) osservatore_->Attivita(c_.attivita);
      passo_.Adesso();
    }
  }

  Contatori& c_;
  ScrittoreTesto& errori_;
  OsservatoreImport* osservatore_;
  PassoEventi& passo_;
  QString prefisso_;
  bool erroreDatabase_ = false;
};

void MostraRimasti(const QStringList& rimasti) {
  if (rimasti.isEmpty()) return;
  MostraMessaggio(QStringLiteral("Questi file sono rimasti sul supporto e non sono stati "
                                 "importati:\n") +
                      rimasti.join(QLatin1Char('\n')),
                  Icona::Esclamazione, kAvviso);
}

}  // namespace

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
  PassoEventi passo;

  QString errore;
  esito.cartellaArchivio = CreaCartellaArchivio(r.targa, r.oggi, &errore);
  if (esito.cartellaArchivio.isEmpty()) {
    MostraMessaggio(errore + QStringLiteral("\nNessun file è stato spostato."), Icona::Critica,
                    kAvviso);
    return esito;
  }

  // Moving the files off the medium.
  if (r.file.isEmpty()) {
    MostraMessaggio(LeggiTestoLingua(2005, NomeFileLingua()), Icona::Informazione, kAvviso);
  } else {
    esito.fileRimastiSulSupporto = SpostaFile(r, esito.cartellaArchivio, passo);
    MostraRimasti(esito.fileRimastiSulSupporto);
  }

  // The vehicle database of the plate and the current year.
  Contatori c;
  const QString anno = QString::number(r.oggi.year());
  const DatabaseAperto db = ApriDatabaseVeicolo(r.targa, anno, r.tipoDB);
  if (!db.esito) {
    MostraMessaggio(db.esito.messaggio + QStringLiteral("\nI file sono nella cartella ") +
                        esito.cartellaArchivio + QStringLiteral(" e potranno essere importati."),
                    Icona::Critica, kAvviso);
    return esito;
  }
  esito.percorsoDB = db.percorso;
  esito.percorsoErrori = db.percorso.left(db.percorso.size() - 4) + QStringLiteral(".txt");

  const QStringList archiviati = FileDellaCartella(esito.cartellaArchivio);
  if (osservatore) {
    osservatore->Inizio(int(archiviati.size()) + 1);
    osservatore->Orario();
  }
  ScrittoreTesto errori(esito.percorsoErrori, ScrittoreTesto::Modo::Sostituisci);
  errori.Riga(QStringLiteral("File Output Errori ") + r.oggi.toString(QStringLiteral("yyyy-MM-dd")) +
              QStringLiteral("->") + esito.percorsoDB);

  LettoreFile lettore(c, errori, osservatore, passo);
  QByteArray ultimaRiga;
  QStringList illeggibili;
  for (int i = 0; i < archiviati.size() && !lettore.ErroreDatabase(); ++i) {
    if (osservatore) osservatore->File(i + 1);
    const QString percorso = esito.cartellaArchivio + QLatin1Char('/') + archiviati[i];
    if (!lettore.Importa(percorso, ultimaRiga, &errore))
      illeggibili << archiviati[i] + QStringLiteral(": ") + errore;
    ++esito.fileLetti;
    const QString voce = QStringLiteral(" -> ") + DecodificaTesto(ultimaRiga.left(17)) +
                         QStringLiteral(" : file n° ") + TestoConSegno(i + 1);
    if (osservatore) osservatore->VoceFile(voce);
  }
  ChiudiLogs();
  AggiornaOrdinaliLogs(esito.percorsoDB);  // the chart's page seek; a failure is harmless

  esito.recordSalvati = c.recordSalvati;
  esito.righeNonSalvate = c.righeNonSalvate;
  esito.viaggi = c.viaggi;
  if (lettore.ErroreDatabase())
    MostraMessaggio(QStringLiteral("Importazione interrotta per un errore del database. I file "
                                   "sono nella cartella ") +
                        esito.cartellaArchivio +
                        QStringLiteral(": risolto il problema, si potranno importare di nuovo "
                                       "(i dati già presenti vengono saltati)."),
                    Icona::Critica, kAvviso);
  if (!illeggibili.isEmpty())
    MostraMessaggio(QStringLiteral("Non è stato possibile leggere questi file:\n") +
                        illeggibili.join(QLatin1Char('\n')),
                    Icona::Esclamazione, kAvviso);
  MostraMessaggio(LeggiTestoLingua(2006, NomeFileLingua()) + QStringLiteral("\nRecord: ") +
                      TestoConSegno(c.recordSalvati) + QStringLiteral("\nError: ") +
                      TestoConSegno((long long)c.righeNonSalvate) + QLatin1Char('\n'),
                  Icona::Informazione);

  errori.Riga(QStringLiteral("IMPORTAZIONE ESEGUITA !"));
  errori.Riga(QStringLiteral("Righe importate: ") + TestoConSegno(c.recordSalvati));
  errori.Riga(QStringLiteral("Errori: ") + TestoConSegno((long long)c.righeNonSalvate));
  errori.Riga(QString());
  esito.didascaliaFile = QStringLiteral("N° File importati : ") + TestoConSegno(esito.fileLetti);
  errori.Riga(esito.didascaliaFile);
  esito.didascaliaViaggi = QStringLiteral(" N° Viaggi rilevati : ") + TestoConSegno(c.viaggi);
  errori.Riga(esito.didascaliaViaggi);
  esito.didascaliaTempo =
      QStringLiteral(" Tempo importato : ") + TestoTempoImportato(c.recordSalvati);
  errori.Riga(esito.didascaliaTempo);
  esito.didascaliaErrori = QStringLiteral(" Errori in elaborazione stringhe : ") +
                           TestoConSegno((long long)c.righeNonSalvate);
  if (osservatore) {
    osservatore->Fine();
    osservatore->Orario();
  }
  if (!errori.Chiudi())
    MostraMessaggio(QStringLiteral("Impossibile scrivere il file degli errori ") +
                        esito.percorsoErrori + QStringLiteral(": ") + errori.Errore(),
                    Icona::Esclamazione, kAvviso);
  esito.eseguito = true;
  return esito;
}

}  // namespace quarvel
