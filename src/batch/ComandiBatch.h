#pragma once
// The commands of quarvel-batch. Each calls the same code as the windows and
// prints what the window would show; no logic of its own.
#include <QStringList>

namespace quarvel {

// Exit statuses: 0 done, 1 the work could not be done, 2 a usage error.
int EseguiComandoBatch(const QStringList& argomenti);

}  // namespace quarvel
