#pragma once
// The pictures of the installation, below images/ in the program folder: a
// grey 3D button per command and language, with the word drawn in it, and
// the logo of the main window and of the printed reports.
#include <QString>
#include <QStringList>
#include <initializer_list>

class QAbstractButton;
class QWidget;

namespace quarvel {

// images/button3D_gray_<nome>_<CodiceLingua>.bmp below the program folder.
QString PercorsoImmaginePulsante(const QString& nome);
// images/logo.bmp below the program folder.
QString PercorsoLogo();

struct ImmaginePulsante {
  QAbstractButton* pulsante;
  QString nome;  // "Import", "Close", "analyze", ...
};

// Gives each button its picture for the current language, in the order
// given; the button becomes the picture (no frame of its own). A button whose
// picture is missing shows the name as plain text instead, and the missing
// files are reported in one message. Returns the missing files.
QStringList CaricaImmaginiPulsanti(std::initializer_list<ImmaginePulsante> pulsanti,
                                   QWidget* finestra = nullptr);

}  // namespace quarvel
