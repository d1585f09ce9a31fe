#include "CompletaImport.h"

#include "Conversioni.h"
#include "DatabaseVeicolo.h"
#include "FileDurevoli.h"
#include "ImportaLog.h"
#include "Logs.h"
#include "PassoEventi.h"
#include "SpostaFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace quarvel {

namespace {
QString Nativo(const QString& percorso) { return QDir::toNativeSeparators(percorso); }

// The files of the journal still to move, moved into the archive.
void SpostaNellArchivio(const GiornaleImport& g, const ProveImport& prove, EsitoGiornale& e) {
  const QString archivio = g.CartellaArchivio();
  QDir().mkpath(archivio);
  RimuoviTemporanei(archivio);  // a copy cut short is never imported
  PassoEventi passo;
  ProveSpostamento ps;
  ps.duranteCopia = [&] {
    if (prove.fase) prove.fase(FaseImport::CopiaInCorso);
    passo.Forse();
  };
  ps.primaDelConfronto = prove.primaDelConfronto;
  for (const QString& nome : g.file) {
    passo.Adesso();
    const QString da = g.cartellaSorgente + QLatin1Char('/') + nome;
    const QString a = archivio + QLatin1Char('/') + nome;
    if (!QFileInfo::exists(da)) {
      if (!QFileInfo::exists(a))
        e.nonCopiati << QStringLiteral("%1: non si trova più sul supporto").arg(Nativo(da));
      continue;
    }
    const EsitoSpostamento s = SpostaFileVerificato(da, a, ps);
    if (s.stato == EsitoSpostamento::Stato::NonCopiato) e.nonCopiati << s.errore;
    if (s.stato == EsitoSpostamento::Stato::CopiatoNonRimosso) e.nonCancellati << s.errore;
  }
}

// Where the committed work ends.
QString Dove(const AvanzamentoImport& a, const QStringList& file) {
  if (a.riga > 0) return QStringLiteral("dopo la riga %1 del file %2").arg(a.riga).arg(a.file);
  if (a.fileLetti > 0) return QStringLiteral("dopo il file %1").arg(file.value(int(a.fileLetti) - 1));
  return QStringLiteral("prima della prima riga");
}

// The closing lines of the error output, after what the last commit
// covers: the outcome, the counts and the captions.
void ScriviChiusura(const QString& percorso, const AvanzamentoImport& a, const QString& esito) {
  const DidascalieImport d = Didascalie(a);
  const QStringList righe = {esito,
                             QStringLiteral("Righe importate: ") + TestoConSegno(a.recordSalvati),
                             QStringLiteral("Errori: ") + TestoConSegno(a.righeNonSalvate),
                             QString(), d.file, d.viaggi, d.tempo};
  QFile f(percorso);
  if (!f.open(QIODevice::ReadWrite) || !f.resize(std::min<qint64>(f.size(), a.byteErrori)) ||
      !f.seek(f.size()))
    return;
  f.write((righe.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
  f.flush();
  ::fsync(f.handle());
}
}  // namespace

DidascalieImport Didascalie(const AvanzamentoImport& a) {
  return {QStringLiteral("N° File importati : ") + TestoConSegno(a.fileLetti),
          QStringLiteral(" N° Viaggi rilevati : ") + TestoConSegno(a.viaggi),
          QStringLiteral(" Tempo importato : ") + TestoTempoImportato(a.recordSalvati),
          QStringLiteral(" Errori in elaborazione stringhe : ") + TestoConSegno(a.righeNonSalvate)};
}

EsitoGiornale CompletaImport(GiornaleImport g, OsservatoreImport* o, const ProveImport& prove) {
  EsitoGiornale e;
  if (g.fase == GiornaleImport::Fase::Spostamento) {
    SpostaNellArchivio(g, prove, e);
    g.fase = GiornaleImport::Fase::Importazione;
    if (Esito s = ScriviGiornale(g); !s) {
      e.interruzione = s.messaggio;
      return e;
    }
    if (prove.fase) prove.fase(FaseImport::FileSpostati);
  }

  DatabaseLogs db;
  const DatabaseAperto aperto =
      ApriDatabaseVeicolo(g.targa, QString::number(g.giorno.year()), g.tipoDB, db);
  e.percorsoDB = aperto.percorso;
  e.percorsoErrori = aperto.percorso.left(aperto.percorso.size() - 4) + QStringLiteral(".txt");
  Esito esito = aperto.esito;
  if (esito && prove.dopoApertura) prove.dopoApertura(db.connessione().db());
  if (esito) esito = PreparaAvanzamento(db);
  AvanzamentoLetto letto;
  if (esito) esito = (letto = LeggiAvanzamento(db, g.archivio)).esito;
  if (!esito) {
    e.interruzione = QStringLiteral("Importazione interrotta prima della prima riga: ") + esito.messaggio;
    return e;
  }

  LavoroArchivio l;
  l.cartella = g.CartellaArchivio();
  l.file = FileDellaCartella(l.cartella);
  l.percorsoErrori = e.percorsoErrori;
  l.primaRigaErrori = QStringLiteral("File Output Errori ") + g.giorno.toString(Qt::ISODate) +
                      QStringLiteral("->") + e.percorsoDB;
  l.nuovo = !letto.avanzamento;
  if (letto.avanzamento) {
    l.da = *letto.avanzamento;
  } else {
    l.da.archivio = g.archivio;
    l.da.file = l.file.value(0);
  }
  db.ConfermaOgni(0);
  EsitoArchivio a{l.da, true, {}};
  if (!l.da.finita) {
    if (o) {
      o->Inizio(int(l.file.size()) + 1);
      o->Orario();
    }
    a = ImportaArchivio(db, l, o, prove);
  }
  e.conti = a.confermato;
  if (!a.completo) {
    db.Annulla();
    db.Chiudi();
    const QString dove = Dove(a.confermato, l.file) + QStringLiteral(": ") + a.motivo;
    e.interruzione = QStringLiteral("Importazione interrotta ") + dove;
    ScriviChiusura(e.percorsoErrori, a.confermato, QStringLiteral("IMPORTAZIONE INTERROTTA ! ") + dove);
    return e;
  }

  // Every sample is committed. What follows only closes the import, and a
  // kill here is closed by the next import from this same point.
  //
  // The one place, after the last commit, where what is kept beside Logs is
  // brought up to date with the samples just stored.

  ScriviChiusura(e.percorsoErrori, a.confermato, QStringLiteral("IMPORTAZIONE ESEGUITA !"));
  if (Esito s = CancellaGiornale(g); !s) {
    e.interruzione = s.messaggio;
    return e;
  }
  CancellaAvanzamento(db, g.archivio);
  db.Chiudi();
  e.completa = true;
  return e;
}

}  // namespace quarvel
