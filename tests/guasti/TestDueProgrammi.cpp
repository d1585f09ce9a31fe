// Two programs on one vehicle database: another process holds the file or
// writes it (quarvel-batch importa) while the windows and quarvel-batch
// analizza read it.
#include "CampioniProva.h"
#include "FinestreProva.h"
#include "FinestreQuarvel.h"
#include "ImportProva.h"
#include "Processo.h"
#include "TracciaProva.h"

#include <QElapsedTimer>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarvel;

namespace {
// The texts a label showed whenever it was painted.
struct Pitture : QObject {
  QStringList testi;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint) testi << static_cast<QLabel*>(o)->text();
    return false;
  }
};

class DueProgrammi : public FinestreProva {
 protected:
  void SetUp() override {
    FinestreProva::SetUp();
    batch_ = CopiaBatch(dir_.path());
    Registra({"AB123CD", "CD456EF"});
    ImpostaFabbricaFinestre(CreaFinestraQuarvel);
  }
  void TearDown() override {
    FinestreProva::TearDown();
    ImpostaFabbricaFinestre({});
  }
  // A stick with n lines of a truck's logger from t, in files of 50,000.
  QString Chiavetta(const QString& nome, Istante t, int n) const {
    const QString cartella = Percorso(nome);
    for (int i = 0; n > 0; ++i, n -= 50000)
      ScriviTutto(cartella + QString("/LOG_%1.CSV").arg(i),
                  "Data,Ora,ID=X\r\n" + Righe(t, std::min(n, 50000)));
    return cartella;
  }
  // Another process holds the file's write lock for that long.
  static pid_t Blocca(const QString& percorso, int ms) {
    int tubo[2];
    if (::pipe(tubo) != 0) return -1;
    const pid_t figlio = ::fork();
    if (figlio == 0) {
      sqlite3* db = nullptr;
      sqlite3_open(percorso.toUtf8().constData(), &db);
      const char pronto = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
      (void)!::write(tubo[1], &pronto, 1);
      ::usleep(useconds_t(ms) * 1000);
      sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
      ::_exit(0);
    }
    char pronto = 0;
    EXPECT_EQ(::read(tubo[0], &pronto, 1), 1);
    EXPECT_TRUE(pronto);
    ::close(tubo[0]);
    ::close(tubo[1]);
    return figlio;
  }
  // Samples and the committed progress of the import running, read in one
  // transaction: they are committed together.
  static std::pair<int64_t, int64_t> CampioniEAvanzamento(const QString& percorso) {
    const QList<QByteArray> v = LeggiSql(
        percorso, "SELECT (SELECT count(*) FROM Logs), (SELECT coalesce(sum(RecordSalvati), 0) FROM Importazioni)");
    return {v.value(0, "-1").toLongLong(), v.value(1, "-1").toLongLong()};
  }

  QString batch_;
};
}  // namespace

// Each window waits for a file another program holds for longer than the
// engine's old three seconds, says so while it waits, and then reads it:
// no error box.
TEST_F(DueProgrammi, UnDatabaseOccupatoSiAspettaDicendolo) {
  ScriviCampioni("AB123CD", {Campione(*IstanteDa(2026, 12, 3, 6, 5, 9), 0, 60)});
  for (const FinestraLavoro f :
       {FinestraLavoro::AnalisiConsumi, FinestraLavoro::AnalisiUtilizzo, FinestraLavoro::Grafici}) {
    QWidget* w = ApriFinestra(f);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    SCOPED_TRACE(w->objectName().toStdString());
    auto* etichetta = w->findChild<QLabel*>("Lbl_Attesa");
    ASSERT_TRUE(etichetta);
    Pitture pitture;
    etichetta->installEventFilter(&pitture);
    const pid_t figlio = Blocca(PercorsoDB("AB123CD"), 3500);
    QElapsedTimer orologio;
    orologio.start();
    Scegli(w->findChild<QComboBox*>("Cmb_Targa"), "AB123CD");
    EXPECT_GE(orologio.elapsed(), 3000);
    EXPECT_TRUE(pitture.testi.contains("Database occupato da un altro programma: attendo…"));
    EXPECT_EQ(etichetta->text(), "");
    EXPECT_TRUE(messaggi.messaggi.empty()) << messaggi.messaggi[0].testo.toStdString();
    const char* letto = f == FinestraLavoro::Grafici ? "Txt_NomeDBGraph" : "Txt_DBdal";
    EXPECT_FALSE(w->findChild<QLineEdit*>(letto)->text().isEmpty());
    ::waitpid(figlio, nullptr, 0);
  }
}

// Two imports of two trucks in two processes, while quarvel-batch analizza
// and the usage window read the first truck's database: every reader sees
// whole commits (the samples and the import's progress go together), no
// reader fails, and afterwards the tables beside Logs match the samples.
TEST_F(DueProgrammi, DueImportEUnAnalisiInsiemeAUnaFinestra) {
  const Istante novembre = *IstanteDa(2026, 11, 20, 6, 0, 0), dicembre = *IstanteDa(2026, 12, 1, 0, 0, 0);
  ASSERT_EQ(Esegui(batch_, {"importa", "AB123CD", Chiavetta("prima", novembre, 20000)}).stato, 0);
  const QString db = PercorsoDB("AB123CD");
  const QStringList analizza = {"analizza", db, "2026-11-20 00:00", "2026-11-30 23:59"};
  const Uscita prima = Esegui(batch_, analizza);
  ASSERT_EQ(prima.stato, 0) << prima.testo.toStdString();

  QProcess a, b, analisi;
  const QString chiavettaA = Chiavetta("A", dicembre, 400000), chiavettaB = Chiavetta("B", dicembre, 30000);
  a.start(batch_, {"importa", "AB123CD", chiavettaA});
  b.start(batch_, {"importa", "CD456EF", chiavettaB});
  QWidget* w = ApriFinestra(FinestraLavoro::AnalisiUtilizzo);
  Scegli(w->findChild<QComboBox*>("Cmb_Targa"), "AB123CD");
  w->findChild<QComboBox*>("Cmb_mese")->setCurrentIndex(10);
  int letture = 0, analisiFatte = 0;
  auto Analisi = [&] {
    if (analisi.state() != QProcess::NotRunning) return;
    if (analisiFatte++ > 0) {
      EXPECT_EQ(QString::fromUtf8(analisi.readAllStandardOutput()), prima.testo);
    }
    analisi.start(batch_, analizza);
  };
  while (a.state() != QProcess::NotRunning || b.state() != QProcess::NotRunning || analisiFatte < 2) {
    const auto [campioni, salvati] = CampioniEAvanzamento(db);
    EXPECT_TRUE(campioni == 20000 + salvati || campioni == 420000) << campioni << " " << salvati;
    w->findChild<QPushButton*>("Cmd_TrackMese")->click();
    Analisi();
    ++letture;
    QCoreApplication::processEvents();
  }
  analisi.waitForFinished();
  EXPECT_TRUE(messaggi.messaggi.empty()) << messaggi.messaggi[0].testo.toStdString();
  EXPECT_EQ(a.exitCode() + b.exitCode(), 0) << a.readAll().toStdString() << b.readAll().toStdString();
  EXPECT_EQ(LeggiCampioni(db).size(), 420000u);
  EXPECT_EQ(LeggiCampioni(PercorsoDB("CD456EF")).size(), 30000u);
  for (int mese : {11, 12}) {
    bool aggiornato = false;
    AttivitaMese attivita;
    TracciaVerificata(db, *CalcolaPeriodoMese(2026, mese), attivita, nullptr, &aggiornato);
    EXPECT_TRUE(aggiornato);
  }
}
