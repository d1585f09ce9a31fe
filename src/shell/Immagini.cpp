#include "Immagini.h"

#include "CartellaProgramma.h"
#include "Impostazioni.h"
#include "Messaggi.h"

#include <QAbstractButton>
#include <QPixmap>

namespace quarvel {

namespace {
// The picture is the whole button: no frame but a dotted line when it has
// the focus, and pressing it shifts the picture as a pressed key would.
const QString StilePulsanteImmagine = QStringLiteral(
    "QAbstractButton { border: 1px solid transparent; padding: 0px; background: transparent; }"
    "QAbstractButton:pressed { padding-left: 2px; padding-top: 2px; }"
    "QAbstractButton:focus { border: 1px dotted #404040; }");

bool MettiImmagine(QAbstractButton* pulsante, const QString& nome) {
  const QPixmap immagine(PercorsoImmaginePulsante(nome));
  if (immagine.isNull()) {
    pulsante->setIcon({});
    pulsante->setStyleSheet({});
    pulsante->setText(nome);
    return false;
  }
  pulsante->setText({});
  pulsante->setIcon(immagine);
  pulsante->setIconSize(immagine.size());
  pulsante->setStyleSheet(StilePulsanteImmagine);
  pulsante->setFixedSize(immagine.size() + QSize(2, 2));  // room for the focus line
  return true;
}
}  // namespace

QString PercorsoImmaginePulsante(const QString& nome) {
  return PercorsoProgramma(QStringLiteral("images/button3D_gray_") + nome + QLatin1Char('_') +
                           Imp().CodiceLingua + QStringLiteral(".bmp"));
}

QString PercorsoLogo() { return PercorsoProgramma(QStringLiteral("images/logo.bmp")); }

QStringList CaricaImmaginiPulsanti(std::initializer_list<ImmaginePulsante> pulsanti,
                                   QWidget* finestra) {
  QStringList mancanti;
  for (const ImmaginePulsante& p : pulsanti)
    if (!MettiImmagine(p.pulsante, p.nome)) mancanti << PercorsoImmaginePulsante(p.nome);
  if (!mancanti.isEmpty())
    MostraMessaggio(QStringLiteral("Immagini dei pulsanti non trovate:\n") +
                        mancanti.join(QLatin1Char('\n')),
                    Icona::Esclamazione, TitoloApplicazione, finestra);
  return mancanti;
}

}  // namespace quarvel
