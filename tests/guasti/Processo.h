#pragma once
// Another program in a process of its own: quarvel-batch copied into the
// test's program folder (it works on the folder it lies in), run there.
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace quarvel {

struct Uscita {
  int stato = -1;  // -1: killed, or it did not end
  QString testo;   // standard output and error
};

// The system's error texts in English whatever the machine's language.
inline QProcessEnvironment AmbienteProva() {
  QProcessEnvironment a = QProcessEnvironment::systemEnvironment();
  a.insert("LC_ALL", "C");
  return a;
}

inline Uscita Esegui(const QString& programma, const QStringList& argomenti,
                     const QProcessEnvironment& ambiente = AmbienteProva()) {
  QProcess p;
  p.setProcessEnvironment(ambiente);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(programma, argomenti);
  p.waitForFinished(120000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

// quarvel-batch into the program folder; its path.
inline QString CopiaBatch(const QString& cartella) {
  const QString batch = cartella + "/quarvel-batch";
  QFile::copy(QUARVEL_CARTELLA_MODELLO "/quarvel-batch", batch);
  return batch;
}

}  // namespace quarvel
