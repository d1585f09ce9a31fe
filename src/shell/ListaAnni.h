#pragma once
// The year beside a reading window's plate: the years that have a
// database for the chosen plate, and the database year AnnoDB, which is
// chosen until the user picks another year, so that a window opens the
// current year's database as it always has.
#include <QString>

class QComboBox;

namespace quarvel {

// Fills the list for the plate (the database year alone without one). The
// year the user chose stays chosen while the plate has it; otherwise AnnoDB.
void RiempiAnni(QComboBox* anni, const QString& targa);

// The year chosen; AnnoDB when the list has none.
QString AnnoScelto(const QComboBox* anni);

}  // namespace quarvel
