#pragma once
// The registry window: shows the vehicles of the registry one at a time,
// steps through them with "-" and "+", stores the shown vehicle or inserts
// it as a new one, removes it, and computes the fuel-sensor factor from the
// tank data. The list that "-" and "+" step through is read once when the
// window opens (the first 16 vehicles) and is not reloaded after a store:
// the stored values show there at the next opening. Above the boxes a table
// lists every vehicle as the registry holds it now; choosing a row shows it.
#include "Anagrafica.h"
#include "Messaggi.h"

#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quarvel {

class QvAnagrafica : public QWidget {
  Q_OBJECT
 public:
  explicit QvAnagrafica(QWidget* padre = nullptr);

 private:
  void Costruisci();
  void CaricaElenco();
  // Every vehicle of the registry into the table; false, after a message,
  // when the registry cannot be read.
  bool LeggiTabella();
  void RiempiTabella();
  // The table's row of that plate becomes the current one, or none.
  void SelezionaRiga(const QString& targa);
  void RigaScelta(int riga);
  void Mostra(int16_t indice);
  void MostraVeicolo(const VeicoloAnagrafica& v);
  void Precedente();
  void Successivo();
  void Aggiorna();
  void Inserisci();
  void Elimina();
  void CalcolaK();

  // The shown vehicle read from the boxes; nothing, after a message that
  // names the box, when a number cannot be read or the plate is unusable.
  std::optional<VeicoloAnagrafica> VeicoloMostrato();
  std::optional<int16_t> Misura(QLineEdit* casella, const QLabel* etichetta);
  std::optional<double> Fattore(QLineEdit* casella, const QLabel* etichetta);
  bool TargaValida(const QString& targa);
  // An empty model or other information is stored as one blank.
  void RiempiVuoti(VeicoloAnagrafica& veicolo);
  // Writes the vehicle into the registry, as a new record or over the one of
  // its plate, and tells the user how it went.
  void Registra(const VeicoloAnagrafica& veicolo, bool nuovo);
  void Avviso(const QString& testo, Icona icona);
  // A capacity or height another program stored beyond 16 bits is shown as
  // stored and reported once, when the list is loaded.
  long long ValoreRegistrato(const VeicoloAnagrafica& v, const QString& colonna,
                             int16_t valore) const;
  void SegnalaFuoriScala();

  QLabel* Lbl_Targa;
  QLineEdit* Txt_Targa;
  QLabel* Lbl_MarcaModello;
  QLineEdit* Txt_MarcaModello;
  QLabel* Lbl_Capacita;
  QLineEdit* Txt_Capacita;
  QLabel* Lbl_Altezza;
  QLineEdit* Txt_Altezza;
  QLabel* Lbl_KGasolio;
  QLineEdit* Txt_KGasolio;
  QLabel* Lbl_Ksensore;
  QLineEdit* Txt_Ksensore;
  QLabel* Lbl_AltreInfo;
  QLineEdit* Txt_AltreInfo;
  QPushButton* Cmd_menoLista;
  QPushButton* Cmd_piuLista;
  QPushButton* Cmd_calcolaK;
  QPushButton* Cmd_Aggiorna;
  QPushButton* Cmd_Inserisci;
  QPushButton* Cmd_Close;
  QPushButton* Cmd_Elimina;
  QTableWidget* Tbl_Mezzi;

  std::vector<VeicoloAnagrafica> elenco_;  // at most kMezziInElenco
  std::vector<VeicoloAnagrafica> tutti_;   // the table's rows
  std::vector<MisuraFuoriScala> fuoriScala_;
  int16_t corrente_ = 0;
};

}  // namespace quarvel
