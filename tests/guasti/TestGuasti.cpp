// Power cuts and I/O faults met by the real program: whatever state a power
// cut leaves, and whichever write, sync or rename fails, the next import
// ends exactly as a clean import does. QUARVEL_GUASTI_TUTTI=1 runs the full
// exploration and sweep (scripts/guasti.sh); otherwise a shortened one.
#include "Esploratore.h"
#include "ImportProva.h"
#include "Processo.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QRegularExpression>
#include <set>

using namespace quarvel;

namespace {
const QString kTarga = QStringLiteral("AB123CD");
const bool kTutto = qEnvironmentVariableIsSet("QUARVEL_GUASTI_TUTTI");

// What an import leaves that the user cares about.
struct Finale {
  std::vector<CampioneLog> campioni;
  QString errori;      // the error output, whatever the archive's number
  QStringList file;    // every logger file: where it lies, and its bytes
  QStringList avanzi;  // journals, temporary files, progress rows
  bool operator==(const Finale&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Finale& f) {
  return o << f.campioni.size() << " campioni\n" << f.errori.toStdString() << f.file.join('\n').toStdString()
           << "\navanzi: " << f.avanzi.join(' ').toStdString() << '\n';
}

// The state holds the journal of an unfinished import.
bool Giornale(const Disco& d) {
  return std::any_of(d.file.begin(), d.file.end(),
                     [](const auto& f) { return f.first.endsWith(".importazione"); });
}

class Guasti : public ImportProva {
 protected:
  void SetUp() override {
    ImportProva::SetUp();
    ASSERT_TRUE(QFile::exists(CopiaBatch(dir_.path())));
    Istante t = *IstanteDa(2026, 11, 30, 6, 0, 0);
    ScriviTutto(supporto_ + "/PRIMA.CSV", kTestata + Righe(t, 20));
    ASSERT_EQ(Batch({"importa", kTarga, supporto_}).stato, 0);  // the database and its error output exist
    // The three days' files at an eighteenth of their size: every case of
    // them in a small import.
    ScriviGiorni(18);
    radici_ = {Percorso("DATA"), supporto_};
    iniziale_ = LeggiDisco(radici_);
    ASSERT_EQ(Batch({"importa", kTarga, supporto_}).stato, 0);
    pulito_ = Leggi();
    ScriviDisco(iniziale_, radici_);
  }

  // quarvel-batch of the program folder, or another program.
  Uscita Batch(const QStringList& argomenti, const QProcessEnvironment& ambiente = AmbienteProva(),
               const QString& programma = {}) {
    return Esegui(programma.isEmpty() ? Percorso("quarvel-batch") : programma, argomenti, ambiente);
  }
  // The environment of a program watched by the recorder.
  QProcessEnvironment Sorvegliato(const QString& variabile, const QString& valore) const {
    QProcessEnvironment a = AmbienteProva();
    a.insert("LD_PRELOAD", QUARVEL_REGISTRATORE);
    a.insert("QUARVEL_RADICI", radici_.join(':'));
    a.insert(variabile, valore);
    return a;
  }

  // The user imports again when something is left to do: a journal, or
  // files on the stick.
  Uscita Prossimo() {
    if (!Giornale(LeggiDisco({Percorso("DATA")})) && QDir(supporto_).isEmpty()) return {0, {}};
    return Batch({"importa", kTarga, supporto_});
  }

  Finale Leggi() const {
    Finale f;
    const QString db = Percorso("DATA/AB123CD_ %1.mdb").arg(QDate::currentDate().year());
    f.campioni = LeggiCampioni(db);
    f.errori = QString::fromUtf8(LeggiTutto(db.chopped(4) + ".txt"));
    f.errori.replace(QRegularExpression("_ \\d+/"), "_ N/");
    auto Md5 = [](const QFileInfo& v) {
      return ' ' + QCryptographicHash::hash(LeggiTutto(v.filePath()), QCryptographicHash::Md5).toHex();
    };
    for (QDirIterator s(supporto_, QDir::Files | QDir::Hidden); s.hasNext();) {
      const QFileInfo v = s.nextFileInfo();
      f.file << "chiavetta/" + v.fileName() + Md5(v);
    }
    QDirIterator it(Percorso("DATA"), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QFileInfo v = it.nextFileInfo();
      if (v.fileName().endsWith(".importazione") || v.fileName().endsWith(".quarvel-tmp"))
        f.avanzi << v.fileName();
      else if (v.path() != Percorso("DATA")) f.file << "archivio/" + v.fileName() + Md5(v);
    }
    f.file.sort();
    for (const QByteArray& archivio : LeggiSql(db, "SELECT Archivio FROM Importazioni"))
      f.avanzi << "Importazioni " + archivio;
    return f;
  }

  QStringList radici_;
  Disco iniziale_;
  Finale pulito_;
};
}  // namespace

// Every state a power cut can leave during an import, found from the
// operations the import really made; the next import finishes each. The
// full run also cuts the power while that next import finishes the
// interrupted one.
TEST_F(Guasti, DopoUnaCadutaDiCorrenteIlProssimoImportFiniscePulito) {
  int punti = 0, stati = 0, divergenti = 0, ridotti = 0;
  // Records the import run on the state `da`, then tries every state a
  // power cut leaves on the way.
  auto Esplora = [&](const Disco& da) {
    const QString registro = Percorso("traccia");
    ScriviDisco(da, radici_);
    EXPECT_EQ(Batch({dir_.path(), kTarga, supporto_, "10"}, Sorvegliato("QUARVEL_REGISTRO", registro),
                    QUARVEL_IMPORTA_A_LOTTI).stato, 0);
    EXPECT_EQ(Leggi(), pulito_);
    const Esplorazione e = EsploraCadute(da, radici_, registro, 16);
    EXPECT_EQ(e.errore, "");
    punti += e.punti;
    ridotti += e.puntiRidotti;
    stati += int(e.stati.size());
    for (const StatoDopoCaduta& s : e.stati) {
      ScriviDisco(s.disco, radici_);
      const Uscita u = Prossimo();
      const Finale f = Leggi();
      if (u.stato == 0 && f == pulito_) continue;
      if (++divergenti <= 3) ADD_FAILURE() << s.come.toStdString() << "\n" << u.testo.toStdString() << f;
    }
    return e.stati;
  };
  for (const StatoDopoCaduta& s : Esplora(iniziale_)) {
    if (kTutto && Giornale(s.disco)) Esplora(s.disco);
  }
  std::printf("Cadute di corrente: %d punti, %d stati distinti provati, %d divergenti, %d punti con troppe "
              "operazioni in sospeso per provarne tutte le combinazioni\n",
              punti, stati, divergenti, ridotti);
  EXPECT_GT(stati, 20);
}

// The settings written back at exit: whatever a power cut leaves, the next
// start reads the old settings or the new ones, whole, and no file of the
// writing lies about.
TEST_F(Guasti, DopoUnaCadutaDiCorrenteLeImpostazioniSonoLeVecchieOLeNuove) {
  InizializzaDefault();
  ASSERT_TRUE(ScriviIni().ok);  // capacity 250
  const QStringList radici = {dir_.path()};
  const Disco prima = LeggiDisco(radici);
  QProcessEnvironment a = Sorvegliato("QUARVEL_REGISTRO", Percorso("DATA/traccia"));
  a.insert("QUARVEL_RADICI", dir_.path());
  ASSERT_EQ(Batch({dir_.path(), "--impostazioni", "480"}, a, QUARVEL_IMPORTA_A_LOTTI).stato, 0);
  const Esplorazione e = EsploraCadute(prima, radici, Percorso("DATA/traccia"), 16);
  ASSERT_EQ(e.errore.toStdString(), "");
  std::set<int> capacita;
  for (const StatoDopoCaduta& s : e.stati) {
    SCOPED_TRACE(s.come.toStdString());
    ScriviDisco(s.disco, radici);
    InizializzaDefault();
    EXPECT_FALSE(LeggiIni().Difettoso());
    capacita.insert(Imp().CapacitaSerbatoio);
    std::set<QString> file;
    for (const auto& [percorso, byte] : LeggiDisco(radici).file) file.insert(percorso);
    for (const auto& [percorso, byte] : prima.file) file.erase(percorso);
    EXPECT_TRUE(file.empty()) << file.begin()->toStdString();
  }
  EXPECT_EQ(capacita, (std::set<int>{250, 480}));
  std::printf("Impostazioni: %zu stati distinti dopo una caduta di corrente\n", e.stati.size());
}

// Each write, sync and rename of an import fails in turn, on a full disk
// (it stays full) or with an I/O error (once). The run says why and exits
// 1, and a healthy run afterwards ends as a clean import; or the run
// absorbed the fault (a sync the medium's folder need not do, the tables
// beside Logs rebuilt by the next reader) and is clean already.
TEST_F(Guasti, OgniScritturaSyncORinominaCheFallisceNonPerdeNulla) {
  const QString conteggio = Percorso("conteggio");
  ASSERT_EQ(Batch({"importa", kTarga, supporto_}, Sorvegliato("QUARVEL_CONTEGGIO", conteggio)).stato, 0);
  const int chiamate = LeggiTutto(conteggio).trimmed().toInt();
  ASSERT_GT(chiamate, 20);
  // Shortened: every seventh call, and every sync of a folder (a commit's
  // last step: the call the engine may fail after the commit was made).
  std::set<int> scelte;
  for (const QByteArray& riga : LeggiTutto(conteggio + ".elenco").split('\n')) {
    const int n = riga.left(riga.indexOf(' ')).toInt();
    const bool cartella = riga.contains(" sync /") && QFileInfo(riga.mid(riga.indexOf(" /") + 1)).isDir();
    if (n > 0 && (kTutto || n % 7 == 1 || cartella)) scelte.insert(n);
  }
  int provati = 0, assorbiti = 0;
  for (const QString& tipo : {QStringLiteral("ENOSPC"), QStringLiteral("EIO")}) {
    const QRegularExpression causa(tipo == "EIO" ? "Input/output error|disk I/O error"
                                                 : "No space left on device|database or disk is full");
    for (int n : scelte) {
      ScriviDisco(iniziale_, radici_);
      QFile::remove(conteggio + ".guasto");
      QProcessEnvironment a = Sorvegliato("QUARVEL_CONTEGGIO", conteggio);
      a.insert("QUARVEL_GUASTO", tipo + ' ' + QString::number(n));
      const Uscita guasta = Batch({"importa", kTarga, supporto_}, a);
      const QString quale = QString::fromUtf8(LeggiTutto(conteggio + ".guasto")).trimmed();
      if (quale.isEmpty()) continue;  // this run made fewer calls
      ++provati;
      SCOPED_TRACE((tipo + ' ' + quale + '\n' + guasta.testo).toStdString());
      if (guasta.stato == 0) {
        ++assorbiti;
        EXPECT_EQ(Leggi(), pulito_);
        continue;
      }
      EXPECT_EQ(guasta.stato, 1);
      EXPECT_TRUE(guasta.testo.contains(causa));
      EXPECT_EQ(Prossimo().stato, 0);
      EXPECT_EQ(Leggi(), pulito_);
    }
  }
  std::printf("Guasti di I/O: %d chiamate per importazione, %d guasti provati, %d assorbiti senza danno\n",
              chiamate, provati, assorbiti);
}
