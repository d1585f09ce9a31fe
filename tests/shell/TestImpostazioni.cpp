// Reading the settings file (writing it is checked whole where the main
// window closes), and the activity log.
#include "FinestreProva.h"

#include <QDir>
#include <sys/stat.h>
#include <unistd.h>

using namespace quarvel;

class ImpostazioniProva : public FinestreProva {
 protected:
  void ScriviIniProva(const QByteArray& byte) { ScriviTutto(Percorso("Quarvelini.ini"), byte); }
  static QList<int> Valori() {
    const Impostazioni& i = Imp();
    return {i.TipoDB, i.CapacitaSerbatoio, i.LivelloAllertGasolio, i.LivelloAllertVelocita,
            i.TipoReport, i.Lingua};
  }
};

TEST_F(ImpostazioniProva, ValoriLettiConTolleranza) {
  // LF line ends and a Windows-1252 label, as an older installation left them.
  ScriviIniProva("File ini Quarvel\nTipoDB:\n2.5\nCapacit\xe0 serbatoio:\n250 km\n"
                 "Livello Allert Gasolio:\n3.5\nLivello Allert Velocit\xe0\n1e1\n"
                 "Tipo report\n 9\nLingua\n2\n");
  EXPECT_FALSE(LeggiIni().Difettoso());
  // Halves to even; an exponent ends the number; the report type is not read.
  EXPECT_EQ(Valori(), QList<int>({2, 250, 4, 1, 0, 2}));
  EXPECT_EQ(Imp().CodiceLingua, "ES");

  // A language index with no language leaves the code as it was.
  InizializzaDefault();
  ScriviIniProva("File ini Quarvel\r\nTipoDB:\r\n 0\r\nx\r\n 250\r\nx\r\n 25\r\nx\r\n\r\n"
                 "x\r\n 0\r\nLingua\r\n 7\r\n");
  LeggiIni();
  EXPECT_EQ(Imp().Lingua, 7);
  EXPECT_EQ(Imp().CodiceLingua, "IT");
}

TEST_F(ImpostazioniProva, RigheMancantiOFuoriScalaTengonoIDefault) {
  ScriviIniProva("File ini Quarvel\r\nTipoDB:\r\n 1\r\nCapacit\xc3\xa0 serbatoio:\r\n 40000\r\n");
  const EsitoLetturaIni esito = LeggiIni();
  EXPECT_EQ(esito.valoriFuoriScala, QStringList{QStringLiteral("Capacità serbatoio")});
  EXPECT_EQ(esito.valoriMancanti.size(), 3);
  EXPECT_EQ(Valori(), QList<int>({1, 250, 25, 0, 0, 0}));
}

// A file copied from another system: the same file is read and rewritten,
// no second one beside it.
TEST_F(ImpostazioniProva, FileConAltreMaiuscole) {
  ScriviTutto(Percorso("QUARVELINI.INI"), LeggiTutto(DatoProva("Quarvelini.ini")));
  LeggiIni();
  Imp().CapacitaSerbatoio = 280;
  ASSERT_TRUE(ScriviIni().ok);
  EXPECT_EQ(QDir(Percorso("")).entryList({"quarvelini.ini"}, QDir::Files), QStringList{"QUARVELINI.INI"});
  EXPECT_TRUE(LeggiTutto(Percorso("QUARVELINI.INI")).contains("\r\n 280\r\n"));
}

// The administrator's installation: the folder is closed to the user, only
// the settings file is the user's. The user's save rewrites it in place, the
// administrator's leaves it the user's.
TEST_F(ImpostazioniProva, ProprietarioEPermessiRestano) {
  const bool amministratore = geteuid() == 0;
  const uid_t utente = amministratore ? 65534 : geteuid();
  const QString file = Percorso("Quarvelini.ini");
  const QByteArray ini = QFile::encodeName(file);
  const auto proprietario = [&] {
    struct stat s {};
    stat(ini.constData(), &s);
    return std::tuple{s.st_uid, s.st_gid, s.st_mode & 0777};
  };
  ASSERT_TRUE(ScriviIni().ok);
  ASSERT_EQ(chown(ini.constData(), utente, amministratore ? 65534 : getegid()), 0);
  ASSERT_EQ(chmod(ini.constData(), 0640), 0);
  const auto prima = proprietario();
  const QByteArray cartella = QFile::encodeName(Percorso(""));
  for (int capacita : {300, 310}) {
    const bool daUtente = capacita == 300;
    if (!daUtente && !amministratore) return;
    const bool cambiaUtente = daUtente && amministratore;
    if (daUtente) chmod(cartella.constData(), 0555);
    if (cambiaUtente) seteuid(utente);
    Imp().CapacitaSerbatoio = int16_t(capacita);
    const EsitoScritturaIni scritto = ScriviIni();
    if (cambiaUtente) seteuid(0);
    ASSERT_EQ(chmod(cartella.constData(), 0755), 0);
    EXPECT_TRUE(scritto.ok) << scritto.errore.toStdString();
    EXPECT_TRUE(LeggiTutto(file).contains(" " + QByteArray::number(capacita) + "\r\n"));
    EXPECT_EQ(proprietario(), prima) << capacita;
  }
}

TEST_F(ImpostazioniProva, RegistroAttivitaAccodaDueRighePerVoce) {
  ScriviTutto(Percorso("Quarvelini.Log"), "Prima\r\n 1\r\n");
  EXPECT_TRUE(ScriviFileLog(QStringLiteral("Carica4hGrafico"), 250));
  EXPECT_TRUE(ScriviFileLog(QStringLiteral("Play"), -1));
  EXPECT_EQ(LeggiTutto(Percorso("Quarvelini.Log")),
            QByteArray("Prima\r\n 1\r\nCarica4hGrafico\r\n 250\r\nPlay\r\n-1\r\n"));
}
