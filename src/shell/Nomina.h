#pragma once
// Names a control as the window's design does: its objectName, and its
// language number in the dynamic property "Tag" (none for 0).
#include <QObject>
#include <QString>

namespace quarvel {

template <typename T>
T* Nomina(const char* nome, int tag, T* controllo) {
  controllo->setObjectName(QString::fromLatin1(nome));
  if (tag) controllo->setProperty("Tag", tag);
  return controllo;
}

}  // namespace quarvel
