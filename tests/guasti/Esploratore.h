#pragma once
// What a power cut can leave on the disk after a recorded run (the trace of
// Registratore.cpp): at every point where the program synced, and at its
// end, each state a journaling file system allows. A sync makes what came
// before it on that file (its bytes) or that folder (its names) durable;
// every other write, truncation, creation, rename, removal, new folder and
// database commit may be lost or kept, each on its own, and those kept
// happen in their order. A file whose folder's name did not last is lost
// with it. A database is only ever as one of its commits left it, which
// SQLite's rollback journal guarantees: a commit lasts once its folder is
// synced (the journal's removal is the commit), which synchronous=EXTRA does
// before the commit returns.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <set>
#include <vector>

namespace quarvel {

// Folders and files below some roots, with their bytes.
struct Disco {
  std::set<QString> cartelle;
  std::map<QString, QByteArray> file;
  bool operator==(const Disco&) const = default;
};
Disco LeggiDisco(const QStringList& radici);
// Empties the roots and lays the state out in them.
void ScriviDisco(const Disco& disco, const QStringList& radici);

struct StatoDopoCaduta {
  Disco disco;
  QString come;  // the crash point and the operations lost, for a report
};

struct Esplorazione {
  std::vector<StatoDopoCaduta> stati;  // distinct states only
  int punti = 0;                       // crash points
  int puntiRidotti = 0;  // points with too many unsynced operations for every subset
  QString errore;        // a trace that cannot be read
};

// With at most `tuttiFinoA` unsynced operations every subset is built;
// beyond, the states that lose one of them, or all from one on (the
// orders of losses the recorded order can show).
Esplorazione EsploraCadute(const Disco& iniziale, const QStringList& radici, const QString& registro,
                           int tuttiFinoA);

}  // namespace quarvel
