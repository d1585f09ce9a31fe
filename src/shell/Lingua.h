#pragma once
// Language files: IT.lan, EN.lan, ES.lan in the program folder (found
// whatever the letter case of their names), lines of a four-digit number, a
// blank and the text. A control's number is its dynamic
// property "Tag" (menu items: "Index"); ApplicaLingua sets the texts of a
// whole window from them.
#include <QHash>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace quarvel {

// The texts of one language file, read once.
class TestiLingua {
 public:
  // Nothing when the file cannot be read.
  static std::optional<TestiLingua> Carica(const QString& nomeFile);
  // The text of that number: the last line with it wins, a line without
  // text gives "??????", a number not in the file an empty text.
  QString Testo(long long numero) const { return testi_.value(numero); }
  bool Contiene(long long numero) const { return testi_.contains(numero); }

 private:
  QHash<long long, QString> testi_;
};

// The language file of the current language: CodiceLingua + ".lan".
QString NomeFileLingua();

// One text from the language file of that name. A missing file is reported
// (critical icon, "Errore While Loading") and gives an empty text.
QString LeggiTestoLingua(long long numero, const QString& nomeFile);

// The text of that number in the current language, or the given text when
// the file or the number is missing (no message: for texts with an Italian
// original the window already knows).
QString TestoLingua(long long numero, const QString& riserva);

// The same look-up for many texts: the current language file is read once,
// when this is called.
using CercaTesto = std::function<QString(long long numero, const QString& riserva)>;
CercaTesto CercaTestiLingua();

// A language text with its value in place of %1; a translation that lost
// its %1 gets the value after a blank.
QString ConValore(const QString& testo, const QString& valore);

// Sets the texts of every control of the window from the language file:
//   the window itself with a Tag > 0   title = text of Tag
//   QLabel                             text = text of Tag, of number 0 when
//                                      it has none (a number not in the file
//                                      empties it); a label showing a picture
//                                      keeps it
//   QAction with Index > 1000          text = text of Index (menu items)
//   QMenu with Index > 1000            title = text of Index
//   QToolBar                           each action with a Tag: text = text of
//                                      Tag, tooltip = text of Tag followed by
//                                      its Index (or its 1-based position)
//   list, tree and table views         each column whose header carries a Tag
//                                      (header data, role RuoloTag) gets that
//                                      text; without one the view's own Tag
//   text boxes (line edits, text       nothing
//   edits, spin boxes, combo boxes)
//   any other control (buttons, group  Tag > 0: text (title) = text of Tag;
//   boxes, radio and check boxes, ...) with an Index, and Tag followed by
//                                      Index > 0: tooltip = that text
// Other controls without a Tag (or Index) keep their design text. A missing
// file is reported once for the window, and every control keeps its text.
void ApplicaLingua(QWidget* finestra, const QString& nomeFile);

// The header data role that holds a column's language number.
inline constexpr int RuoloTag = Qt::UserRole + 84;

}  // namespace quarvel
