#include "CompletaImport.h"

#include "Conversioni.h"
#include "DatabaseVeicolo.h"
#include "FileDurevoli.h"
#include "ImportaLog.h"
#include "IndiciLogs.h"
#include "Logs.h"
#include "SpostamentoArchivio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <unistd.h>

namespace quarvel {

namespace {
// Where the committed work ends.
QString Dove(const AvanzamentoImport& a) {
  if (a.riga > 0) return QStringLiteral("dopo la riga %1 del file %2").arg(a.riga).arg(a.file);
  if (!a.file.isEmpty()) return QStringLiteral("all'inizio del file %1").arg(a.file);
  return QStringLiteral("dopo l'ultimo file");
}

// The closing lines of the error output: the outcome, the counts and the
// captions; on the disk when it returns true. After a finished import they
// follow what the last commit covers. After an interrupted one nothing is
// cut: a commit that reported an error may still have been kept (SQLite
// deletes its journal before it syncs the folder), and the lines it covers
// must stay for the next import, which cuts the file where the database's
// own progress says.
bool ScriviChiusura(const QString& percorso, const AvanzamentoImport& a, const QString& esito,
                    bool finita) {
  const DidascalieImport d = Didascalie(a);
  const QStringList righe = {esito,
                             QStringLiteral("Righe importate: ") + TestoConSegno(a.recordSalvati),
                             QStringLiteral("Errori: ") + TestoConSegno(a.righeNonSalvate),
                             QString(), d.file, d.viaggi, d.tempo};
  QFile f(percorso);
  QByteArray testo = (righe.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
  if (!f.open(QIODevice::ReadWrite)) return false;
  if (finita && !f.resize(std::min<qint64>(f.size(), a.byteErrori))) return false;
  if (f.size() > 0 && f.seek(f.size() - 1) && f.read(1) != "\n") testo.prepend("\r\n");  // a line cut short
  return f.seek(f.size()) && f.write(testo) == testo.size() && f.flush() && ::fsync(f.handle()) == 0;
}

// The import's progress forgotten, then its journal removed, each on the
// disk before the next: a crash in between leaves the closing journal,
// never a journal whose progress is gone (which would start the import
// again). A commit lasts once its folder is synced (it ends by removing the
// database's own journal): the engine does it with synchronous=EXTRA, and
// the sync here covers a connection that could not set it (another program
// held the file when it opened).
void Chiudi(const GiornaleImport& g, DatabaseLogs& db, EsitoGiornale& e) {
  Esito s = CancellaAvanzamento(db, g.archivio);
  // The deletion rides on the database's own transaction: it lasts only if
  // the closing commit does.
  const Esito chiuso = db.Chiudi();
  if (s) s = chiuso;
  if (s) s = SincronizzaCartella(QFileInfo(e.percorsoDB).path());
  if (s) s = CancellaGiornale(g);
  if (!s) {
    e.interruzione = s.messaggio;
    return;
  }
  // The one place, after the import's last write, where what is kept beside
  // Logs is brought up to date with the samples just stored.
  AggiornaIndiciLogs(e.percorsoDB);  // a failure is harmless: the next reader rebuilds
  e.completa = true;
}
}  // namespace

DidascalieImport Didascalie(const AvanzamentoImport& a, const CercaTesto& cerca) {
  const auto d = [&cerca](long long numero, const char* italiano, const QString& valore) {
    const QString testo = QString::fromUtf8(italiano);
    return ConValore(cerca ? cerca(numero, testo) : testo, valore);
  };
  return {d(2020, "N° File importati : %1", TestoConSegno(a.fileLetti)),
          d(2021, " N° Viaggi rilevati : %1", TestoConSegno(a.viaggi)),
          d(2022, " Tempo importato : %1", TestoTempoImportato(a.recordSalvati)),
          d(2023, " Errori in elaborazione stringhe : %1", TestoConSegno(a.righeNonSalvate))};
}

EsitoGiornale CompletaImport(const GiornaleImport& g, OsservatoreImport* o, const ProveImport& prove) {
  EsitoGiornale e;
  LavoroArchivio l;
  l.cartella = g.CartellaArchivio();
  // Files still to move are read as each reaches the archive.
  std::unique_ptr<SpostamentoArchivio> spostamento;
  if (g.fase == GiornaleImport::Fase::Spostamento) {
    spostamento = std::make_unique<SpostamentoArchivio>(g, prove);
    l.file = g.file;
    l.pronto = [&](int i, QString& motivo) { return spostamento->Attendi(i, motivo); };
  } else {
    l.file = FileDellaCartella(l.cartella);
  }
  auto FineSpostamento = [&] {
    if (!spostamento) return true;
    spostamento->Fine();
    e.nonCopiati = spostamento->nonCopiati;
    e.nonCancellati = spostamento->nonCancellati;
    if (spostamento->errore.isEmpty()) return true;
    e.interruzione = spostamento->errore;
    return false;
  };

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
    FineSpostamento();
    e.interruzione = QStringLiteral("Importazione interrotta prima della prima riga: ") + esito.messaggio;
    return e;
  }
  if (g.fase == GiornaleImport::Fase::Chiusura) {
    e.conti = letto.avanzamento.value_or(AvanzamentoImport{});
    Chiudi(g, db, e);
    return e;
  }

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
  const bool spostati = FineSpostamento();
  if (!a.completo) {
    db.Annulla();
    db.Chiudi();
    const QString dove = Dove(a.confermato) + QStringLiteral(": ") + a.motivo;
    e.interruzione = QStringLiteral("Importazione interrotta ") + dove;
    ScriviChiusura(e.percorsoErrori, a.confermato, QStringLiteral("IMPORTAZIONE INTERROTTA ! ") + dove, false);
    return e;
  }

  if (!spostati) return e;  // the journal still says "moving": the next import closes it

  // Every sample is committed. What follows only closes the import, and the
  // journal says so first: a kill or a power cut from here on leaves only
  // the closing to redo.
  if (!ScriviChiusura(e.percorsoErrori, a.confermato, QStringLiteral("IMPORTAZIONE ESEGUITA !"), true)) {
    e.interruzione = QStringLiteral("Impossibile scrivere il file degli errori %1: %2")
                         .arg(QDir::toNativeSeparators(e.percorsoErrori), ErroreDiSistema());
    return e;
  }
  GiornaleImport chiusura = g;
  chiusura.fase = GiornaleImport::Fase::Chiusura;
  if (Esito s = ScriviGiornale(chiusura); !s) {
    e.interruzione = s.messaggio;
    return e;
  }
  Chiudi(g, db, e);
  return e;
}

}  // namespace quarvel
