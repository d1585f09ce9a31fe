// The CSV and XLSX writers: what a spreadsheet of the user's language and a
// script read, the workbook read back, and files that are whole or absent.
#include "CartellaProva.h"
#include "EsportaCsv.h"
#include "EsportaXlsx.h"
#include "Localizzazione.h"
#include "ZipProva.h"

#include <QFile>

namespace quarvel {
namespace {

TabellaEsportata Tabella() {
  TabellaEsportata t;
  t.titolo = "Viaggi: 2026/12";  // characters a sheet's name may not hold
  t.intestazioni = {"Targa", "Km", "Dal", "Scarto"};
  t.righe = {{CellaEsportata::DiTesto("AB;1\"x"), CellaEsportata::DiNumero(1234.5, 2),
              CellaEsportata::DiIstante(*IstanteDa(2026, 12, 4, 8, 0, 5)), CellaEsportata::DiNumero(-0.001, 1)},
             {CellaEsportata::DiTesto("CD456EF"), CellaEsportata::DiNumero(-2.25, 1), {}, {}}};
  return t;
}

class Esportazioni : public CartellaProva {};

TEST_F(Esportazioni, CsvDelLettoreEDegliScript) {
  // The user's format: decimal comma and the general date in Italian.
  EXPECT_EQ(RigheCsv(Tabella(), {LocaleItaliano()}),
            QStringList({"Targa;Km;Dal;Scarto", "\"AB;1\"\"x\";1234,50;04/12/2026 08:00:05;0,0",
                         "CD456EF;-2,3;;"}));
  // For scripts: a decimal point, an ISO instant, whatever the user's language.
  EXPECT_EQ(RigheCsv(Tabella(), FormaCsv::Script()).mid(1),
            QStringList({"\"AB;1\"\"x\";1234.50;2026-12-04 08:00:05;0.0", "CD456EF;-2.3;;"}));
}

// A file already there is replaced whole; one that cannot be written leaves
// nothing behind.
TEST_F(Esportazioni, IlFileEIntieroOManca) {
  const QString csv = Percorso("REPORT/t.csv");
  ScriviTutto(csv, QByteArray(5000, 'x'));
  ASSERT_TRUE(ScriviCsv(Tabella(), csv, FormaCsv::Script()));
  EXPECT_EQ(LeggiTutto(csv).left(21), "Targa;Km;Dal;Scarto\r\n");
  EXPECT_TRUE(LeggiTutto(csv).endsWith("CD456EF;-2.3;;\r\n"));

  const QString manca = Percorso("nessuna/t.xlsx");
  const Esito e = ScriviXlsx({Tabella()}, manca);
  EXPECT_FALSE(e);
  EXPECT_TRUE(e.messaggio.contains("nessuna")) << e.messaggio.toStdString();
  EXPECT_FALSE(QFile::exists(manca));
}

// The workbook read back: text in strings, numbers and the instant in
// numeric cells, an empty cell absent, a sheet named as it may be.
TEST_F(Esportazioni, XlsxConNumeriVeri) {
  const QString xlsx = Percorso("REPORT/t.xlsx");
  TabellaEsportata seconda = Tabella();
  seconda.titolo = "Eventi";
  ASSERT_TRUE(ScriviXlsx({Tabella(), seconda}, xlsx));
  // 4 December 2026 08:00:05 as a spreadsheet's day number.
  const double giorno = 46360 + (8 * 3600 + 5) / 86400.0;
  const QStringList celle = CelleXlsx(xlsx);
  ASSERT_EQ(celle.size(), 10) << celle.join(' ').toStdString();
  EXPECT_EQ(celle.mid(0, 6), QStringList({"A1=Targa", "B1=Km", "C1=Dal", "D1=Scarto", "A2=AB;1\"x", "B2#1234.5"}));
  EXPECT_TRUE(celle[6].startsWith("C2#"));
  EXPECT_NEAR(celle[6].mid(3).toDouble(), giorno, 1e-6);
  EXPECT_EQ(celle.mid(7), QStringList({"D2#0", "A3=CD456EF", "B3#-2.3"}));
  const QString libro = QString::fromUtf8(LeggiDaZip(xlsx, "xl/workbook.xml"));
  EXPECT_TRUE(libro.contains("name=\"Viaggi  2026 12\"")) << libro.toStdString();
  EXPECT_TRUE(libro.contains("name=\"Eventi\""));
}

}  // namespace
}  // namespace quarvel
