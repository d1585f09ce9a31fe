// An import stopped dead (killed at each of its stages), stopped by a
// failure (a full disk, a database locked by another program), or run
// beside another: the next import puts everything back exactly as an
// uninterrupted import would have left it.
#include "BloccoImport.h"
#include "CartellaProgramma.h"
#include "ImportProva.h"
#include "IndiciLogs.h"

#include <QDirIterator>
#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarvel;

namespace {
class Ripresa : public ImportProva {
 protected:
  void SetUp() override {
    ImportProva::SetUp();
    ScriviGiorni();
    // The import keeps the packed hours beside Logs in its own commits:
    // after its last one, bringing the tables up to date packs no hour.
    RichiestaImport r = Richiesta();
    AggiornamentoIndici fatto = AggiornamentoIndici::Fallito;
    r.prove.fase = [&](FaseImport f) {
      if (f == FaseImport::ImportFinita) AggiornaIndiciLogs(Database(), &fatto);
    };
    ASSERT_EQ(EseguiImport(r, nullptr).stato, StatoImport::Completata);
    EXPECT_EQ(fatto, AggiornamentoIndici::Incrementale);
    pulito_ = LeggiCampioni(Database());
    erroriPuliti_ = Errori();
    Ricomincia();
  }
  // DATA as before the first import, and the files back on the medium.
  void Ricomincia() {
    QDir(Percorso("DATA")).removeRecursively();
    QDir().mkpath(Percorso("DATA"));
    ScriviGiorni();
    messaggi_.messaggi.clear();
  }
  // The import, run in a child process that is killed the n-th time the
  // import reaches the stage.
  bool UccisoA(FaseImport fase, int volta) {
    RichiestaImport r = Richiesta();
    r.prove.lotto = 1000;
    const pid_t figlio = ::fork();
    if (figlio == 0) {
      int n = 0;
      r.prove.fase = [&](FaseImport f) {
        if (f == fase && ++n == volta) ::raise(SIGKILL);
      };
      EseguiImport(r, nullptr);
      ::_exit(0);
    }
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    return WIFSIGNALED(stato) && WTERMSIG(stato) == SIGKILL;
  }
  // What the import leaves once it is whole: the same samples in every
  // column, the same error output, nothing of its own behind.
  void ComeUnImportPulito() {
    EXPECT_EQ(LeggiCampioni(Database()), pulito_);
    bool compatte = false;
    EXPECT_EQ(LettureScelte(Database(), kInizioTabella, kFineTabella, &compatte),
              LettureDiRiferimento(Database(), kInizioTabella, kFineTabella));
    EXPECT_TRUE(compatte);
    EXPECT_EQ(Errori(), erroriPuliti_);
    EXPECT_TRUE(FileDellaCartella(supporto_).isEmpty());
    QDirIterator avanzi(Percorso("DATA"), {"*.quarvel-tmp", "*.importazione"}, QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
    EXPECT_FALSE(avanzi.hasNext()) << avanzi.nextFileInfo().filePath().toStdString();
  }

  std::vector<CampioneLog> pulito_;
  QString erroriPuliti_;
};
}  // namespace

TEST_F(Ripresa, UccisoInOgniFaseIlProssimoImportLoCompletaComeSeNienteFosse) {
  const std::pair<FaseImport, int> fasi[] = {
      {FaseImport::GiornaleScritto, 1}, {FaseImport::CopiaInCorso, 2},
      {FaseImport::FileSpostati, 1},    {FaseImport::CampioneScritto, 2500},
      {FaseImport::LottoConfermato, 4}, {FaseImport::ImportFinita, 1}};
  for (auto [fase, volta] : fasi) {
    SCOPED_TRACE(int(fase));
    Ricomincia();
    ASSERT_TRUE(UccisoA(fase, volta));
    // The user imports again with the same stick in.
    const RisultatoImport r = Importa();
    EXPECT_EQ(r.recuperate, 1);
    EXPECT_EQ(r.stato, StatoImport::NienteDaFare);
    EXPECT_EQ(messaggi_.Testi().filter("È stata completata l'importazione interrotta").size(), 1);
    ComeUnImportPulito();
  }
}

// What an import cut short without a journal leaves: the first 4000
// samples, in the middle of a recording, and the files in the archive. The
// archive imported again by hand stores the rest; the files on the stick
// again, by an import killed after a commit, are finished by the next,
// whose closing message counts the lines already stored across the kill.
TEST_F(Ripresa, UnImportTroncatoSiCompletaReimportando) {
  ASSERT_EQ(Importa().stato, StatoImport::Completata);
  auto Tronca = [&] {
    EseguiSql(Database(), "DELETE FROM Logs WHERE TimeDate > (SELECT TimeDate FROM Logs ORDER BY "
                          "TimeDate LIMIT 1 OFFSET 3999)");
  };
  Tronca();
  const RichiestaImport r = Richiesta(PercorsoDati("DATA/AB123CD_2026-12-04_ 1"));
  EXPECT_EQ(EseguiImport(r, nullptr).recordSalvati, int64_t(pulito_.size()) - 4000);
  EXPECT_EQ(LeggiCampioni(Database()), pulito_);

  Tronca();
  ScriviGiorni();
  ASSERT_TRUE(UccisoA(FaseImport::LottoConfermato, 1));
  messaggi_.messaggi.clear();
  Importa();
  // 4000 samples and the second logged twice.
  EXPECT_EQ(messaggi_.Testi()
                .filter("\n4001 righe erano già nel database e non sono state salvate di nuovo\n")
                .size(),
            1)
      << messaggi_.Testi().join('|').toStdString();
  EXPECT_EQ(LeggiCampioni(Database()), pulito_);
}

// Stopped by the database, a full disk after a few commits or a file
// another program holds locked: the counts are those committed, one message
// says why and where the files are, and the next import finishes the work.
TEST_F(Ripresa, FermatoDalDatabaseIlProssimoImportLoCompleta) {
  BloccoSql altro;
  const auto attesa = std::exchange(Connessione::AttesaMassima(), std::chrono::milliseconds(300));
  const std::function<void(sqlite3*)> guasti[] = {
      [](sqlite3* db) {  // the disk is full six pages on
        sqlite3_exec(db, "PRAGMA page_count", [](void* d, int, char** pagine, char**) {
          const std::string sql = "PRAGMA max_page_count = " + std::to_string(std::atoi(pagine[0]) + 6);
          return sqlite3_exec(static_cast<sqlite3*>(d), sql.c_str(), nullptr, nullptr, nullptr);
        }, db, nullptr);
      },
      [&](sqlite3*) { altro = BloccaSql(Database(), "BEGIN EXCLUSIVE"); }};
  for (const auto& guasto : guasti) {
    Ricomincia();
    RichiestaImport r = Richiesta();
    r.prove.lotto = 1000;
    r.prove.dopoApertura = guasto;
    const RisultatoImport e = EseguiImport(r, nullptr);
    altro.reset();
    EXPECT_EQ(e.stato, StatoImport::Interrotta);
    EXPECT_EQ(e.recordSalvati, int64_t(LeggiCampioni(Database()).size()));  // committed samples only
    const QStringList avvisi = messaggi_.Testi().filter("Errore Database, comunicare Err: ");
    ASSERT_EQ(avvisi.size(), 1);
    EXPECT_TRUE(avvisi[0].contains(QDir::toNativeSeparators(e.cartellaArchivio)));
    if (&guasto == &guasti[0]) {  // the full disk, after some commits
      EXPECT_GT(e.recordSalvati, 0);
      EXPECT_TRUE(avvisi[0].startsWith("Importazione interrotta dopo la riga "));
      EXPECT_TRUE(Errori().contains("IMPORTAZIONE INTERROTTA ! dopo la riga "));
    }
    messaggi_.messaggi.clear();
    EXPECT_EQ(Importa().recuperate, 1);
    ComeUnImportPulito();
  }
  Connessione::AttesaMassima() = attesa;
}

TEST_F(Ripresa, DueImportInsiemeSiAspettano) {
  BloccoImport altro;
  ASSERT_TRUE(altro.Prova());
  RichiestaImport r = Richiesta();
  r.prove.attesaMessaggioMs = 0;
  // While this import waits, the other one lets go, and a second import
  // from the same stick runs to its end.
  RisultatoImport primo;
  bool attesa = false;
  messaggi_.allArrivo = [&](const Messaggio& m) {
    if (attesa || !m.testo.startsWith("Un'altra importazione è in corso")) return;
    attesa = true;
    altro.Rilascia();
    primo = EseguiImport(Richiesta(), nullptr);
  };
  const RisultatoImport secondo = EseguiImport(r, nullptr);

  EXPECT_TRUE(attesa);
  EXPECT_EQ(primo.stato, StatoImport::Completata);
  EXPECT_EQ(secondo.stato, StatoImport::NienteDaFare);
  EXPECT_TRUE(messaggi_.Testi().filter("rimasti sul supporto").isEmpty());
  ComeUnImportPulito();
}
