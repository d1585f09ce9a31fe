#include "ImportaArchivio.h"

#include "CodaBlocchi.h"
#include "Conversioni.h"
#include "DecodificaRiga.h"
#include "FileDurevoli.h"
#include "FileTesto.h"
#include "LettoreRighe.h"
#include "Logs.h"
#include "PassoEventi.h"
#include "StringCSV.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quarvel {

namespace {
constexpr std::size_t kVociPerBlocco = 8192;
constexpr std::size_t kTestiPerBlocco = 1 << 20;
constexpr std::size_t kMassimoInSospeso = 4 << 20;
// Enough bytes for kMassimoErrore characters of any encoding.
constexpr std::size_t kByteErrore = 4 * kMassimoErrore + 4;
// The list entry shows 17 characters of a file's last line.
constexpr int kCaratteriVoce = 17;
constexpr auto kIntervalloConferma = std::chrono::seconds(1);

struct Voce {
  TipoRiga tipo = TipoRiga::Errata;
  int64_t fine = 0;       // file offset past the line end
  CampioneLog campione;   // a data line's sample
  // An error line: its kept bytes in Blocco::testi, and its whole length.
  uint32_t testo = 0, lunghezzaTesto = 0;
  int64_t lunghezza = 0;
};

struct Blocco {
  int file = 0;
  std::vector<Voce> voci;
  std::string testi;
  bool ultimo = false;    // the file's last block
  QString erroreLettura;  // the file could not be read past here

  // Empty again for file f, keeping its memory.
  void Svuota(int f) {
    file = f;
    voci.clear();
    testi.clear();
    ultimo = false;
    erroreLettura.clear();
  }
};

// The start of a text, at most n bytes, not cut inside a UTF-8 sequence.
std::string_view Inizio(std::string_view t, std::size_t n) {
  if (t.size() <= n) return t;
  while (n > 0 && (uint8_t(t[n]) & 0xC0) == 0x80) --n;
  return t.substr(0, n);
}

// The storing side: counters, samples, error output, commits.
class Scrittore {
 public:
  Scrittore(DatabaseLogs& db, const LavoroArchivio& l, const ProveImport& p)
      : db_(db), lavoro_(l), prove_(p), av_(l.da), confermato_(l.da) {}
  ~Scrittore() {
    if (fd_ >= 0) ::close(fd_);
  }

  void Esegui(CodaBlocchi<Blocco>& coda) {
    ultimaConferma_ = std::chrono::steady_clock::now();
    bool ok = ApriErrori();
    while (ok) {
      std::optional<Blocco> b = coda.Prendi();
      if (!b) break;
      ok = Elabora(*b);
      coda.Restituisci(std::move(*b));
    }
    if (!ok) return coda.Chiudi();
    if (!fermo_.isEmpty()) {
      if (Conferma()) motivo_ = fermo_;
      return;
    }
    av_.finita = true;
    completo_ = Conferma();
  }

  // Stops after what was read so far: the rest waits for the next import.
  void Ferma(const QString& motivo) { fermo_ = motivo; }

  EsitoArchivio Risultato() const { return {confermato_, completo_, motivo_}; }

 private:
  bool ApriErrori() {
    const QByteArray percorso = QFile::encodeName(lavoro_.percorsoErrori);
    fd_ = ::open(percorso.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return FileErrori();
    // Anything past the last commit was written by the run that stopped:
    // the lines it covers are stored again now.
    av_.byteErrori = lavoro_.nuovo ? 0 : std::min<int64_t>(av_.byteErrori, st.st_size);
    confermato_.byteErrori = av_.byteErrori;
    if (::ftruncate(fd_, av_.byteErrori) != 0 || ::lseek(fd_, 0, SEEK_END) < 0) return FileErrori();
    if (lavoro_.nuovo) Errore(lavoro_.primaRigaErrori.toUtf8().toStdString(), false);
    return true;
  }

  bool Elabora(const Blocco& b) {
    if (b.file != fileCorrente_) {
      fileCorrente_ = b.file;
      const QString& nome = lavoro_.file[b.file];
      prefisso_ = (lavoro_.cartella + QLatin1Char('/') + nome + QLatin1Char(' ')).toUtf8().toStdString();
      if (av_.file != nome) {
        av_.file = nome;
        av_.posizione = av_.riga = 0;
      }
    }
    for (const Voce& v : b.voci) {
      ++av_.riga;
      switch (v.tipo) {
        case TipoRiga::PrimaRiga:
          ++av_.viaggi;
          av_.contatore = 0;
          ++av_.righeNonSalvate;
          Errore("Prima riga");
          break;
        case TipoRiga::Intestazione: break;
        case TipoRiga::Errata:
          ++av_.righeNonSalvate;
          Errore(TestoRigaErrata(std::string_view(b.testi).substr(v.testo, v.lunghezzaTesto),
                                 v.lunghezza)
                     .toUtf8()
                     .toStdString());
          break;
        case TipoRiga::Dati:
          if (!Campione(v.campione)) return false;
          break;
      }
      av_.posizione = v.fine;
      if (DaConfermare() && !Conferma()) return false;
    }
    if (!b.erroreLettura.isEmpty()) {
      // What was read is good: keep it, and stop here.
      if (Conferma()) motivo_ = b.erroreLettura;
      return false;
    }
    if (b.ultimo) {
      ++av_.fileLetti;
      av_.file = lavoro_.file.value(b.file + 1);
      av_.posizione = av_.riga = 0;
    }
    return true;
  }

  bool Campione(CampioneLog c) {
    c.DatoPT = OrdinaleRegistrazione(double(av_.contatore));
    switch (db_.Scrivi(c)) {
      case EsitoScrittura::Salvato:
        ++av_.recordSalvati;
        ++av_.contatore;
        ++nelLotto_;
        if (prove_.fase) prove_.fase(FaseImport::CampioneScritto);
        return true;
      case EsitoScrittura::Duplicato: {
        // A sample already stored carries the recording's counter on from
        // its own DatoPT when that is further on. Importing an archive again
        // after an import that was cut short (by hand, or a file that
        // overlaps an earlier one) meets the samples stored before as
        // duplicates: were the counter left where it was, the rest of the
        // recording would start again at DatoPT 0, inventing an ignition
        // and a trip. Going on from the stored DatoPT gives every later
        // sample the DatoPT an uninterrupted import gave it; a stray repeat
        // of an earlier second leaves the counter alone.
        const std::optional<int16_t> presente = db_.DatoPTPresente(c.TimeDate);
        if (!presente) return Fallisce(kErroreDatabase + db_.UltimoErrore());
        av_.contatore = std::max(av_.contatore, int64_t(*presente) + 1);
        ++av_.righeNonSalvate;
        ++av_.duplicati;
        Errore("Errore record duplicato");
        return true;
      }
      case EsitoScrittura::Errore: break;
    }
    return Fallisce(kErroreDatabase + db_.UltimoErrore());
  }

  void Errore(const std::string& testo, bool conFile = true) {
    if (conFile) inSospeso_ += prefisso_;
    inSospeso_ += testo;
    inSospeso_ += "\r\n";
  }

  bool DaConfermare() {
    if (prove_.lotto > 0 && nelLotto_ >= prove_.lotto) return true;
    if (inSospeso_.size() > kMassimoInSospeso) return true;
    if ((++righeDaControllare_ & 1023) != 0) return false;
    return std::chrono::steady_clock::now() - ultimaConferma_ >= kIntervalloConferma;
  }

  // The error lines reach the disk first, then the samples and the
  // progress naming the error output's length commit together.
  bool Conferma() {
    if (!inSospeso_.empty()) {
      if (!ScriviTutto(fd_, inSospeso_.data(), inSospeso_.size()) || ::fdatasync(fd_) != 0) return FileErrori();
      av_.byteErrori += int64_t(inSospeso_.size());
      inSospeso_.clear();
    }
    if (Esito e = ScriviAvanzamento(db_, av_); !e) return Fallisce(e.messaggio);
    if (Esito e = db_.Conferma(); !e) return Fallisce(e.messaggio);
    confermato_ = av_;
    nelLotto_ = 0;
    ultimaConferma_ = std::chrono::steady_clock::now();
    if (prove_.fase) prove_.fase(av_.finita ? FaseImport::ImportFinita : FaseImport::LottoConfermato);
    return true;
  }

  bool FileErrori() {
    return Fallisce(QStringLiteral("Impossibile scrivere il file degli errori %1: %2")
                        .arg(QDir::toNativeSeparators(lavoro_.percorsoErrori), ErroreDiSistema()));
  }

  bool Fallisce(const QString& motivo) {
    db_.Annulla();
    motivo_ = motivo;
    return false;
  }

  DatabaseLogs& db_;
  const LavoroArchivio& lavoro_;
  const ProveImport& prove_;
  AvanzamentoImport av_, confermato_;
  bool completo_ = false;
  QString motivo_, fermo_;
  int fd_ = -1;
  int fileCorrente_ = -1;
  std::string prefisso_, inSospeso_;
  int nelLotto_ = 0;
  unsigned righeDaControllare_ = 0;
  std::chrono::steady_clock::time_point ultimaConferma_;
};

// The file to go on with: the one the progress names, or the first after
// it when it is gone.
int PrimoFile(const LavoroArchivio& l) {
  if (l.da.file.isEmpty()) return int(l.file.size());
  const qsizetype esatto = l.file.indexOf(l.da.file);
  if (esatto >= 0) return int(esatto);
  int i = 0;
  while (i < l.file.size() && l.file[i].compare(l.da.file, Qt::CaseInsensitive) <= 0) ++i;
  return i;
}
}  // namespace

EsitoArchivio ImportaArchivio(DatabaseLogs& db, const LavoroArchivio& l, OsservatoreImport* o,
                              const ProveImport& prove) {
  CodaBlocchi<Blocco> coda(4);
  Scrittore scrittore(db, l, prove);
  std::thread scrittura([&] { scrittore.Esegui(coda); });

  PassoEventi passo;
  auto Attendi = [&] { passo.Adesso(); };
  int attivita = 0;
  QByteArray ultimaRiga;  // the start of the last line read, for the list entry
  QString fermo;          // why the import stops before a file
  const int primo = PrimoFile(l);
  for (int i = primo; i < l.file.size(); ++i) {
    if (o) o->File(i + 1);
    if (l.pronto) {
      const LavoroArchivio::Arrivo arrivo = l.pronto(i, fermo);
      if (arrivo == LavoroArchivio::Arrivo::Escluso) continue;
      if (arrivo == LavoroArchivio::Arrivo::Fermo) break;
    }
    const QString percorso = l.cartella + QLatin1Char('/') + l.file[i];
    LettoreRighe lettore;
    Blocco b = coda.Nuovo();
    b.Svuota(i);
    bool inviato = true;
    if (lettore.Apri(percorso, i == primo && l.file[i] == l.da.file ? l.da.posizione : 0)) {
      RigaLetta r;
      while (inviato && lettore.Prossima(r)) {
        Voce v;
        v.fine = r.fine;
        if (!r.Troncata()) {
          const RigaDecodificata d = DecodificaRigaCSV(r.testo, 0);
          v.tipo = d.tipo;
          v.campione = d.campione;
        }
        if (v.tipo == TipoRiga::Errata) {
          const std::string_view t = Inizio(r.testo, kByteErrore);
          v.testo = uint32_t(b.testi.size());
          v.lunghezzaTesto = uint32_t(t.size());
          v.lunghezza = r.lunghezza;
          b.testi.append(t);
        }
        b.voci.push_back(v);
        const std::string_view inizio = Inizio(r.testo, 4 * kCaratteriVoce);
        ultimaRiga = QByteArray(inizio.data(), qsizetype(inizio.size()));
        if (++attivita > 100) attivita = 0;
        if (passo.Pronto()) {
          if (o) o->Attivita(attivita);
          passo.Adesso();
        }
        if (b.voci.size() >= kVociPerBlocco || b.testi.size() >= kTestiPerBlocco) {
          inviato = coda.Metti(std::move(b), Attendi);
          b = coda.Nuovo();
          b.Svuota(i);
        }
      }
    }
    if (!lettore.Errore().isEmpty())
      b.erroreLettura = QStringLiteral("Errore di lettura di %1: %2")
                            .arg(QDir::toNativeSeparators(percorso), lettore.Errore());
    b.ultimo = true;
    if (inviato) inviato = coda.Metti(std::move(b), Attendi);
    if (o)
      o->VoceFile(QStringLiteral(" -> ") + PrimiCaratteri(DecodificaTesto(ultimaRiga), kCaratteriVoce) +
                  QStringLiteral(" : file n° ") + TestoConSegno(i + 1));
    if (!inviato || !lettore.Errore().isEmpty()) break;
  }
  if (!fermo.isEmpty()) scrittore.Ferma(fermo);
  coda.Fine();
  scrittura.join();
  return scrittore.Risultato();
}

}  // namespace quarvel
