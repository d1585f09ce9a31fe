#include "EsportaXlsx.h"

#include "FileDurevoli.h"
#include "Localizzazione.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <xlsxwriter.h>

namespace quarvel {

namespace {
// A sheet's name: at most 31 characters, none of []:*?/\.
QString NomeFoglio(QString nome, int indice) {
  for (const QChar c : QStringLiteral("[]:*?/\\")) nome.replace(c, QLatin1Char(' '));
  nome = nome.left(31).trimmed();
  return nome.isEmpty() ? QStringLiteral("Foglio%1").arg(indice + 1) : nome;
}

class Formati {
 public:
  explicit Formati(lxw_workbook* libro) : libro_(libro) {
    grassetto_ = workbook_add_format(libro);
    format_set_bold(grassetto_);
    data_ = workbook_add_format(libro);
    format_set_num_format(data_, "dd/mm/yyyy hh:mm:ss");
  }
  lxw_format* Grassetto() const { return grassetto_; }
  lxw_format* Data() const { return data_; }
  // "0", "0.0", "0.00"...: made once per count of decimals.
  lxw_format* Numero(int decimali) {
    decimali = std::clamp(decimali, 0, 9);
    if (!numeri_[decimali]) {
      numeri_[decimali] = workbook_add_format(libro_);
      const QByteArray forma =
          decimali ? "0." + QByteArray(decimali, '0') : QByteArray("0");
      format_set_num_format(numeri_[decimali], forma.constData());
    }
    return numeri_[decimali];
  }

 private:
  lxw_workbook* libro_;
  lxw_format* grassetto_;
  lxw_format* data_;
  std::array<lxw_format*, 10> numeri_{};
};

void ScriviFoglio(lxw_worksheet* foglio, const TabellaEsportata& t, Formati& formati) {
  for (int c = 0; c < t.intestazioni.size(); ++c) {
    worksheet_write_string(foglio, 0, lxw_col_t(c), t.intestazioni[c].toUtf8().constData(),
                           formati.Grassetto());
    worksheet_set_column(foglio, lxw_col_t(c), lxw_col_t(c),
                         std::max<double>(10, t.intestazioni[c].size() + 2), nullptr);
  }
  using T = CellaEsportata::Tipo;
  lxw_row_t r = 1;
  for (const auto& celle : t.righe) {
    lxw_col_t c = 0;
    for (const CellaEsportata& cella : celle) {
      switch (cella.tipo) {
        case T::Vuota: break;
        case T::Testo:
          worksheet_write_string(foglio, r, c, cella.testo.toUtf8().constData(), nullptr);
          break;
        case T::Numero:
          // The value the CSV writes, so that both files hold the same figures.
          worksheet_write_number(foglio, r, c,
                                 TestoDecimali(cella.numero, cella.decimali, QLocale::c()).toDouble(),
                                 formati.Numero(cella.decimali));
          break;
        case T::DataOra: {
          const DataOra d = Scomponi(cella.istante);
          lxw_datetime dt{d.anno, d.mese, d.giorno, d.ora, d.minuto, double(d.secondo)};
          worksheet_write_datetime(foglio, r, c, &dt, formati.Data());
          worksheet_set_column(foglio, c, c, 20, nullptr);
          break;
        }
      }
      ++c;
    }
    ++r;
  }
}
}  // namespace

Esito ScriviXlsx(const std::vector<TabellaEsportata>& fogli, const QString& percorso) {
  QTemporaryDir cartella;
  if (!cartella.isValid())
    return Esito::Fallito(QStringLiteral("Impossibile creare una cartella temporanea: %1")
                              .arg(cartella.errorString()));
  const QString provvisorio = cartella.filePath(QStringLiteral("libro.xlsx"));
  lxw_workbook* libro = workbook_new(QFile::encodeName(provvisorio).constData());
  if (!libro)
    return Esito::Fallito(QStringLiteral("Impossibile creare %1").arg(QDir::toNativeSeparators(percorso)));
  Formati formati(libro);
  for (std::size_t i = 0; i < fogli.size(); ++i) {
    lxw_worksheet* foglio = workbook_add_worksheet(
        libro, NomeFoglio(fogli[i].titolo, int(i)).toUtf8().constData());
    if (foglio) ScriviFoglio(foglio, fogli[i], formati);
  }
  if (const lxw_error errore = workbook_close(libro); errore != LXW_NO_ERROR)
    return Esito::Fallito(QStringLiteral("Impossibile scrivere %1: %2")
                              .arg(QDir::toNativeSeparators(percorso),
                                   QString::fromUtf8(lxw_strerror(errore))));
  QFile scritto(provvisorio);
  if (!scritto.open(QIODevice::ReadOnly))
    return Esito::Fallito(QStringLiteral("Impossibile leggere %1: %2").arg(provvisorio, scritto.errorString()));
  return ScriviDurevole(percorso, scritto.readAll());
}

}  // namespace quarvel
