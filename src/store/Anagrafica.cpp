#include "Anagrafica.h"

#include "Targa.h"

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <tuple>

namespace quarvel {

namespace {
QString Testo(sqlite3_stmt* s, int i) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)));
}

void LegaTesto(sqlite3_stmt* s, int i, const QString& testo) {
  const QByteArray utf8 = testo.toUtf8();
  sqlite3_bind_text(s, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// A 16-bit column as stored; nothing when it holds more.
std::optional<int16_t> Colonna16(sqlite3_stmt* s, int i) {
  const sqlite3_int64 v = sqlite3_column_int64(s, i);
  if (v < INT16_MIN || v > INT16_MAX) return std::nullopt;
  return int16_t(v);
}

// Columns 1..6 bound to ?1..?6.
void LegaDati(sqlite3_stmt* s, const VeicoloAnagrafica& v) {
  LegaTesto(s, 1, v.MarcaModello);
  sqlite3_bind_int(s, 2, v.Capacita);
  sqlite3_bind_int(s, 3, v.Altezza);
  sqlite3_bind_double(s, 4, v.KGasolio);
  sqlite3_bind_double(s, 5, v.KSensore);
  LegaTesto(s, 6, v.AltreInfo);
}
}  // namespace

Esito DatabaseAnagrafica::Apri(const QString& percorso) {
  Chiudi();
  if (Esito e = connessione_.Apri(percorso); !e) return e;
  connessione_.Sincronia();  // a vehicle saved stays saved after a power cut
  // Engine order: the order of entry, stated so that no index changes it.
  Istruzione s = connessione_.Prepara(
      "SELECT Targa, MarcaModello, Capacita, Altezza, KGasolio, KSensore, AltreInfo, rowid "
      "FROM Anagrafica ORDER BY rowid");
  int rc = s ? SQLITE_ROW : SQLITE_ERROR;
  while (s && (rc = sqlite3_step(s.get())) == SQLITE_ROW) {
    VeicoloAnagrafica v;
    v.Targa = Testo(s.get(), 0);
    v.MarcaModello = Testo(s.get(), 1);
    for (const auto& [colonna, nome, campo] :
         {std::tuple{2, "Capacita", &VeicoloAnagrafica::Capacita},
          std::tuple{3, "Altezza", &VeicoloAnagrafica::Altezza}}) {
      if (const auto valore = Colonna16(s.get(), colonna)) v.*campo = *valore;
      else fuoriScala_.push_back({v.Targa, QString::fromLatin1(nome),
                                  sqlite3_column_int64(s.get(), colonna)});
    }
    v.KGasolio = sqlite3_column_double(s.get(), 4);
    v.KSensore = sqlite3_column_double(s.get(), 5);
    v.AltreInfo = Testo(s.get(), 6);
    veicoli_.push_back(std::move(v));
    righe_.push_back(sqlite3_column_int64(s.get(), 7));
  }
  if (rc != SQLITE_DONE) {
    const Esito esito = connessione_.Fallimento();
    s = Istruzione();
    Chiudi();
    return esito;
  }
  return {};
}

void DatabaseAnagrafica::Chiudi() {
  connessione_.Chiudi();
  veicoli_.clear();
  righe_.clear();
  fuoriScala_.clear();
  indice_ = 0;
}

bool DatabaseAnagrafica::Posiziona(const QString& targa) {
  for (std::size_t i = 0; i < veicoli_.size(); ++i) {
    if (veicoli_[i].Targa.compare(targa, Qt::CaseInsensitive) == 0) {
      indice_ = int(i);
      return true;
    }
  }
  return false;
}

const VeicoloAnagrafica* DatabaseAnagrafica::Corrente() const {
  if (AllaFine() || AllInizio()) return nullptr;
  return &veicoli_[std::size_t(indice_)];
}

Esito DatabaseAnagrafica::Inserisci(const VeicoloAnagrafica& v) {
  if (!Aperto()) return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  if (const QString errore = ControllaTarga(v.Targa); !errore.isEmpty())
    return Esito::Fallito(errore);
  for (const auto& presente : veicoli_)
    if (presente.Targa.compare(v.Targa, Qt::CaseInsensitive) == 0)
      return Esito::Fallito(QStringLiteral("Il mezzo con targa ") + presente.Targa +
                            QStringLiteral(" è già presente in anagrafica"));
  Istruzione s = connessione_.Prepara(
      "INSERT INTO Anagrafica (MarcaModello, Capacita, Altezza, KGasolio, KSensore, AltreInfo, "
      "Targa) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  if (!s) return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  LegaDati(s.get(), v);
  LegaTesto(s.get(), 7, v.Targa);
  if (sqlite3_step(s.get()) != SQLITE_DONE)
    return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  veicoli_.push_back(v);
  righe_.push_back(sqlite3_last_insert_rowid(connessione_.db()));
  indice_ = int(veicoli_.size()) - 1;
  return {};
}

Esito DatabaseAnagrafica::Aggiorna(const VeicoloAnagrafica& v) {
  if (!Aperto()) return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  if (!Corrente()) return Esito::Fallito(QStringLiteral("Nessun mezzo selezionato"));
  Istruzione s = connessione_.Prepara(
      "UPDATE Anagrafica SET MarcaModello = ?1, Capacita = ?2, Altezza = ?3, KGasolio = ?4, "
      "KSensore = ?5, AltreInfo = ?6 WHERE rowid = ?7");
  if (!s) return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  LegaDati(s.get(), v);
  sqlite3_bind_int64(s.get(), 7, righe_[std::size_t(indice_)]);
  if (sqlite3_step(s.get()) != SQLITE_DONE)
    return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  VeicoloAnagrafica& corrente = veicoli_[std::size_t(indice_)];
  const QString targa = corrente.Targa;
  corrente = v;
  corrente.Targa = targa;
  return {};
}

Esito DatabaseAnagrafica::Elimina() {
  if (!Aperto()) return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  if (!Corrente()) return Esito::Fallito(QStringLiteral("Nessun mezzo selezionato"));
  Istruzione s = connessione_.Prepara("DELETE FROM Anagrafica WHERE rowid = ?1");
  if (!s) return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  sqlite3_bind_int64(s.get(), 1, righe_[std::size_t(indice_)]);
  if (sqlite3_step(s.get()) != SQLITE_DONE)
    return Esito::Fallito(kErroreDatabase + connessione_.Errore());
  veicoli_.erase(veicoli_.begin() + indice_);
  righe_.erase(righe_.begin() + indice_);
  return {};
}

DatabaseAnagrafica& RecordsetAnagrafica() {
  static DatabaseAnagrafica registro;
  return registro;
}

Esito ApriAnagrafica(const QString& percorso) { return RecordsetAnagrafica().Apri(percorso); }
void ChiudiAnagrafica() { RecordsetAnagrafica().Chiudi(); }
Esito InserisciAnagrafica(const VeicoloAnagrafica& v) { return RecordsetAnagrafica().Inserisci(v); }
Esito AggiornaAnagrafica(const VeicoloAnagrafica& v) { return RecordsetAnagrafica().Aggiorna(v); }

Esito EliminaVeicolo(const QString& percorso, const QString& targa) {
  DatabaseAnagrafica registro;
  if (Esito e = registro.Apri(percorso); !e) return e;
  if (!registro.Posiziona(targa))
    return Esito::Fallito(QStringLiteral("Nessun mezzo con targa %1 in anagrafica").arg(targa));
  return registro.Elimina();
}

ElencoTarghe TargheAnagrafica(const QString& percorso) {
  DatabaseAnagrafica registro;
  ElencoTarghe elenco{registro.Apri(percorso), {}};
  for (const auto& v : registro.Veicoli()) elenco.targhe << v.Targa;
  return elenco;
}

}  // namespace quarvel
