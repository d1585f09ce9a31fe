// quarvel-batch grafico PERCORSO_DB PRIMO [--png FILE]
// quarvel-batch grafico PERCORSO_DB --vai "YYYY-MM-DD HH:MM" [--png FILE]
#include "DatiGrafico.h"
#include "FiguraGrafico.h"
#include "PitturaGrafico.h"
#include "EventiGrafico.h"
#include "SupportoBatch.h"
#include "VistaGrafico.h"

#include <QFileInfo>
#include <QImage>
#include <memory>

namespace quarvel {

namespace {
struct Richiesta {
  QString percorso, png;
  std::optional<double> primo;
  std::optional<Istante> vai;
};

// The arguments after the database; a text with what is wrong, or nothing.
std::optional<QString> Leggi(const QStringList& a, Richiesta& r) {
  for (int i = 2; i < a.size(); ++i) {
    const bool conValore = a[i] == QLatin1String("--png") || a[i] == QLatin1String("--vai");
    if (conValore && i + 1 >= a.size()) return QStringLiteral("Manca il valore di %1.").arg(a[i]);
    if (a[i] == QLatin1String("--png")) {
      r.png = a[++i];
    } else if (a[i] == QLatin1String("--vai")) {
      r.vai = LeggiMinuto(a[++i]);
      if (!r.vai) return QStringLiteral("La data di --vai va scritta \"YYYY-MM-DD HH:MM\".");
    } else {
      bool ok = false;
      const double primo = a[i].toDouble(&ok);
      if (!ok || primo < 0 || r.primo) return QStringLiteral("PRIMO dev'essere un numero di record.");
      r.primo = primo;
    }
  }
  if (bool(r.primo) == bool(r.vai)) return QStringLiteral("Dare PRIMO oppure --vai.");
  return std::nullopt;
}

int Grafico(const QStringList& a) {
  Richiesta r;
  r.percorso = a[1];
  if (const std::optional<QString> errore = Leggi(a, r)) return Uso(*errore);
  if (!QFileInfo(r.percorso).isFile())
    return Uso(QStringLiteral("Database inesistente: %1").arg(r.percorso));

  // A fresh window state: the opening view of a window just opened.
  auto dati = std::make_unique<DatiGrafico>();
  VistaGrafico vista;
  double primo = r.primo.value_or(0);
  if (r.vai) {
    const RicercaOrdinale p = OrdinaleDelMinuto(r.percorso, *r.vai);
    if (!p.esito || !p.valore) {
      Errore(!p.esito ? p.esito.messaggio
                      : QStringLiteral("Nessun campione alle %1").arg(TestoOrario(*r.vai)));
      return 1;
    }
    primo = double(*p.valore);
    vista.Blocco = BloccoDelSalto(*p.valore);
  }
  if (const Esito e = Carica4hGrafico(*dati, r.percorso, primo); !e) {
    Errore(e.messaggio);
    return 1;
  }
  // The picture first: a reader of the lines that stops early (head) must
  // not leave it unwritten.
  if (!r.png.isEmpty() &&
      !TavolaGrafico(CalcolaFigura(*dati, vista, EventiGrafico().Istanti(r.percorso, *dati)),
                     vista.etichette)
           .save(r.png, "PNG")) {
    Errore(QStringLiteral("Impossibile scrivere l'immagine %1").arg(r.png));
    return 1;
  }
  if (r.vai) Stampa(QStringLiteral("Blocco: %1").arg(vista.Blocco));
  for (int i = 0; i < dati->CampioniCaricati; ++i)
    Stampa(QStringLiteral("%1;%2;%3;%4;%5")
               .arg(TestoOrario(dati->Orari[i]))
               .arg(dati->Dato_C1[i])
               .arg(dati->Dato_C2[i])
               .arg(dati->Dato_C3[i])
               .arg(dati->Dato_C4[i]));
  return 0;
}
}  // namespace

ComandoBatch ComandoGrafico() {
  return {"grafico", 2, 5,
          "  quarvel-batch grafico PERCORSO_DB PRIMO [--png FILE]\n"
          "  quarvel-batch grafico PERCORSO_DB --vai \"YYYY-MM-DD HH:MM\" [--png FILE]\n"
          "      i campioni che la finestra Grafici carica dal record PRIMO (0 il primo), o\n"
          "      dal minuto dato come \"Vai a:\", una riga ciascuno Orari;C1;C2;C3;C4;\n"
          "      --png scrive il grafico come la finestra lo mostra all'apertura\n",
          Grafico};
}

}  // namespace quarvel
