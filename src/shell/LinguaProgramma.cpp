#include "LinguaProgramma.h"

#include "Impostazioni.h"
#include "Localizzazione.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace quarvel {

namespace {
std::unique_ptr<QTranslator>& TraduttoreQt() {
  static std::unique_ptr<QTranslator> traduttore;
  return traduttore;
}
}  // namespace

bool CaricaTestiQt(const QString& codice) {
  if (!QCoreApplication::instance()) return false;
  std::unique_ptr<QTranslator>& attuale = TraduttoreQt();
  if (attuale) QCoreApplication::removeTranslator(attuale.get());
  attuale.reset();
  auto nuovo = std::make_unique<QTranslator>();
  if (!nuovo->load(LocaleLingua(codice), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  QCoreApplication::installTranslator(nuovo.get());
  attuale = std::move(nuovo);
  return true;
}

void ApplicaLinguaProgramma() {
  ImpostaLocaleUtente(LocaleLingua(Imp().CodiceLingua));
  CaricaTestiQt(Imp().CodiceLingua);
}

}  // namespace quarvel
