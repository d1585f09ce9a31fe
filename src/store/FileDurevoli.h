#pragma once
// Files that must survive a kill or a power cut at any moment. A file comes
// into being under a temporary name beside its final one, is synced to the
// disk, and is renamed into place; the folder is synced after every rename
// or removal, so that the name too is on the disk. A run killed halfway
// leaves at most a temporary file, which the next run removes.
#include "Connessione.h"

#include <QString>
#include <functional>

namespace quarvel {

// The temporary name of a file being written: hidden, beside it, with a
// suffix of its own ("DATA/.AB123CD_ 2026.mdb.quarvel-tmp").
QString NomeTemporaneo(const QString& percorso);
bool NomeETemporaneo(const QString& nome);
// Removes the temporary files a killed run left in the folder.
void RimuoviTemporanei(const QString& cartella);

// Syncs the folder's entries to the disk.
Esito SincronizzaCartella(const QString& cartella);

// Copies the bytes of `da` into the new file `a` (refused when it exists)
// and syncs it; on any failure `a` is removed. The kernel's own copy call
// does the work where it can. dopoBlocco runs between blocks of the copy
// (the interface catches up there).
Esito CopiaFile(const QString& da, const QString& a, const std::function<void()>& dopoBlocco = {});

// Renames a synced file into place and syncs the folder. With sostituisci
// false an existing destination is never replaced.
Esito Rinomina(const QString& da, const QString& a, bool sostituisci = false);

// Writes the bytes as the whole new content of the file, durably.
Esito ScriviDurevole(const QString& percorso, const QByteArray& byte);

// Removes the file and syncs its folder; a file already gone is no failure.
Esito RimuoviDurevole(const QString& percorso);

// The last system error as the user reads it.
QString ErroreDiSistema();

// Writes all n bytes to the file descriptor; false with errno set.
bool ScriviTutto(int fd, const char* byte, std::size_t n);

}  // namespace quarvel
