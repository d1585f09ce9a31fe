#include "CampoImpostazione.h"

#include "Conversioni.h"
#include "Lingua.h"
#include "Messaggi.h"

namespace quarvel {

bool AggiornaImpostazione16(const QString& testo, int16_t& impostazione, long long numeroMessaggio,
                            QWidget* finestra, LetturaCampo lettura) {
  auto valore = ValoreTesto(testo);
  if (valore && lettura == LetturaCampo::Indulgente)
    valore = LeggiNumero(testo, Esponente::Escluso);
  const auto intero = valore ? Intero16(*valore) : std::nullopt;
  if (!intero) {
    MostraMessaggio(TestoLingua(numeroMessaggio, QStringLiteral("Inserire un valore numerico")),
                    Icona::Critica, TitoloApplicazione, finestra);
    return false;
  }
  impostazione = *intero;
  return true;
}

}  // namespace quarvel
