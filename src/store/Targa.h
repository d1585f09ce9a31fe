#pragma once
// The plate rule. A plate names the vehicle's files and archive folders
// below DATA, so it must be a plain file name on every system our users copy
// their program folder to; every way in (the registry, the import window,
// quarvel-batch) asks here.
#include <QString>

namespace quarvel {

// Empty when the plate can be used; otherwise the message for the user.
// Refused: a plate of blanks only, any of \ / : * ? " < > |, a control
// character, and "..".
QString ControllaTarga(const QString& targa);

}  // namespace quarvel
