#include "SpostamentoArchivio.h"

#include "FileDurevoli.h"
#include "PassoEventi.h"
#include "SpostaFile.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

SpostamentoArchivio::SpostamentoArchivio(const GiornaleImport& g, const ProveImport& prove)
    : stati_(std::size_t(g.file.size()), Stato::InAttesa) {
  thread_ = std::thread([this, g, &prove] { Sposta(g, prove); });
}

SpostamentoArchivio::~SpostamentoArchivio() { Fine(); }

void SpostamentoArchivio::Fine() {
  if (thread_.joinable()) thread_.join();
}

bool SpostamentoArchivio::Attendi(int i) {
  PassoEventi passo;
  std::unique_lock<std::mutex> l(m_);
  while (stati_[std::size_t(i)] == Stato::InAttesa) {
    if (cv_.wait_for(l, std::chrono::milliseconds(30)) == std::cv_status::timeout) {
      l.unlock();
      passo.Adesso();
      l.lock();
    }
  }
  return stati_[std::size_t(i)] == Stato::Archiviato;
}

void SpostamentoArchivio::Sposta(GiornaleImport g, const ProveImport& prove) {
  const QString archivio = g.CartellaArchivio();
  QDir().mkpath(archivio);
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
    QString nonCopiato, nonCancellato;
    if (QFileInfo::exists(da)) {
      const EsitoSpostamento s = SpostaFileVerificato(da, a, ps);
      archiviato = s.stato != EsitoSpostamento::Stato::NonCopiato;
      (archiviato ? nonCancellato : nonCopiato) = s.errore;
    } else if (!archiviato) {
      nonCopiato = QStringLiteral("%1: non si trova più sul supporto").arg(QDir::toNativeSeparators(da));
    }
    std::lock_guard<std::mutex> l(m_);
    if (!nonCopiato.isEmpty()) nonCopiati << nonCopiato;
    if (!nonCancellato.isEmpty()) nonCancellati << nonCancellato;
    stati_[std::size_t(i)] = archiviato ? Stato::Archiviato : Stato::Fallito;
    cv_.notify_all();
  }
  g.fase = GiornaleImport::Fase::Importazione;
  const Esito scritto = ScriviGiornale(g);
  std::lock_guard<std::mutex> l(m_);
  if (!scritto) errore = scritto.messaggio;
  else if (prove.fase) prove.fase(FaseImport::FileSpostati);
}

}  // namespace quarvel
