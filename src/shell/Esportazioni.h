#pragma once
// What every window's export shares: the question where to write the file
// (through the message gateway's save dialog, proposing a name in the data
// folder's REPORT) and the message when writing failed.
#include <QString>

class QWidget;

namespace quarvel {

enum class FormatoEsportazione { Csv, Xlsx, Png };

// The path chosen, ending in the format's suffix (added when the user left
// it out); empty when the user cancelled. nome: the file's name without its
// suffix.
QString ChiediFileEsportazione(const QString& nome, FormatoEsportazione formato,
                               QWidget* finestra);

// "Impossibile esportare <file>" and the reason, with the critical icon.
void MostraErroreEsportazione(const QString& percorso, const QString& motivo, QWidget* finestra);

}  // namespace quarvel
