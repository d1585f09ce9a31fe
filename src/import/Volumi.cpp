#include "Volumi.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <algorithm>
#include <unistd.h>

namespace quarvel {

namespace {
bool Sotto(const QString& radice, const char* cartella) {
  const QString c = QLatin1String(cartella);
  return radice == c || radice.startsWith(c + QLatin1Char('/'));
}

bool Rimovibile(const QString& radice) {
  return Sotto(radice, "/media") || Sotto(radice, "/run/media") || Sotto(radice, "/mnt");
}

bool DiSistema(const Volume& v) {
  static const QStringList pseudo = {
      "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts",
      "devtmpfs", "efivarfs", "fusectl", "fuse.gvfsd-fuse", "fuse.portal", "hugetlbfs", "mqueue",
      "nsfs", "overlay", "proc", "pstore", "ramfs", "rpc_pipefs", "securityfs", "selinuxfs",
      "squashfs", "sysfs", "tmpfs", "tracefs", "nfsd"};
  if (v.radice == QLatin1String("/")) return false;  // the system's own disk is a real volume
  if (pseudo.contains(v.tipo)) return true;  // no stick is ever one of these
  if (Rimovibile(v.radice)) return false;
  for (const char* c : {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib/docker"})
    if (Sotto(v.radice, c)) return true;
  return false;
}
}  // namespace

std::vector<VoceVolume> OrdinaVolumi(const std::vector<Volume>& volumi, const QString& home) {
  std::vector<Volume> scelti;
  for (const Volume& v : volumi)
    if (v.leggibile && !DiSistema(v)) scelti.push_back(v);
  std::sort(scelti.begin(), scelti.end(), [](const Volume& a, const Volume& b) {
    if (Rimovibile(a.radice) != Rimovibile(b.radice)) return Rimovibile(a.radice);
    return a.radice < b.radice;
  });
  std::vector<VoceVolume> voci;
  bool casa = false;
  for (const Volume& v : scelti) {
    if (!casa && !Rimovibile(v.radice)) {
      voci.push_back({QStringLiteral("Cartella personale (%1)").arg(home), home});
      casa = true;
    }
    voci.push_back({v.radice, v.radice});
  }
  if (!casa) voci.push_back({QStringLiteral("Cartella personale (%1)").arg(home), home});
  return voci;
}

std::vector<Volume> VolumiMontati() {
  std::vector<Volume> volumi;
  for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
    if (!s.isValid() || !s.isReady()) continue;
    const QString radice = s.rootPath();
    const bool leggibile = ::access(QFile::encodeName(radice).constData(), R_OK | X_OK) == 0;
    volumi.push_back({radice, QString::fromLatin1(s.fileSystemType()), leggibile});
  }
  return volumi;
}

}  // namespace quarvel
