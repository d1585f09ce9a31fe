#include "SpostamentoArchivio.h"

#include "FileDurevoli.h"
#include "PassoEventi.h"
#include "SpostaFile.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

SpostamentoArchivio::SpostamentoArchivio(const GiornaleImport& g, const ProveImport& prove)
    : stati_(std::size_t(g.file.size())) {
  thread_ = std::thread([this, g, &prove] { Sposta(g, prove); });
}

SpostamentoArchivio::~SpostamentoArchivio() { Fine(); }

void SpostamentoArchivio::Fine() {
  if (thread_.joinable()) thread_.join();
}

LavoroArchivio::Arrivo SpostamentoArchivio::Attendi(int i, QString& motivo) {
  PassoEventi passo;
  std::unique_lock<std::mutex> l(m_);
  while (!stati_[std::size_t(i)]) {
    if (cv_.wait_for(l, std::chrono::milliseconds(30)) == std::cv_status::timeout) {
      l.unlock();
      passo.Adesso();
      l.lock();
    }
  }
  motivo = fermo_;
  return *stati_[std::size_t(i)];
}

void SpostamentoArchivio::Sposta(GiornaleImport g, const ProveImport& prove) {
  const QString archivio = g.CartellaArchivio();
  if (!QFileInfo::exists(archivio)) {
    // Made again (a power cut took it before DATA reached the disk): its
    // name must be on the disk before any file leaves the medium for it.
    QDir().mkpath(archivio);
    SincronizzaCartella(QFileInfo(archivio).path());
  }
  RimuoviTemporanei(archivio);  // a copy cut short is never imported
  ProveSpostamento ps;
  ps.duranteCopia = [&] {
    if (prove.fase) prove.fase(FaseImport::CopiaInCorso);
  };
  ps.primaDelConfronto = prove.primaDelConfronto;
  for (int i = 0; i < g.file.size(); ++i) {
    const QString da = g.cartellaSorgente + QLatin1Char('/') + g.file[i];
    const QString a = archivio + QLatin1Char('/') + g.file[i];
    bool archiviato = QFileInfo::exists(a) && !QFileInfo::exists(da);
    QString nonCopiato, nonCancellato, fermo;
    if (QFileInfo::exists(da)) {
      const EsitoSpostamento s = SpostaFileVerificato(da, a, ps);
      archiviato = s.stato != EsitoSpostamento::Stato::NonCopiato;
      (archiviato ? nonCancellato : fermo) = s.errore;
    } else if (!archiviato) {
      nonCopiato = QStringLiteral("%1: non si trova più sul supporto").arg(QDir::toNativeSeparators(da));
    }
    std::lock_guard<std::mutex> l(m_);
    if (!nonCopiato.isEmpty()) nonCopiati << nonCopiato;
    if (!nonCancellato.isEmpty()) nonCancellati << nonCancellato;
    using Arrivo = LavoroArchivio::Arrivo;
    stati_[std::size_t(i)] = archiviato ? Arrivo::Archiviato : Arrivo::Escluso;
    if (!fermo.isEmpty()) {
      fermo_ = fermo;
      std::fill(stati_.begin() + i, stati_.end(), Arrivo::Fermo);
      cv_.notify_all();
      return;  // the journal still says "moving"
    }
    cv_.notify_all();
  }
  g.fase = GiornaleImport::Fase::Importazione;
  const Esito scritto = ScriviGiornale(g);
  std::lock_guard<std::mutex> l(m_);
  if (!scritto) errore = scritto.messaggio;
  else if (prove.fase) prove.fase(FaseImport::FileSpostati);
}

}  // namespace quarvel
