#pragma once
// The import window's list of volumes: where a user looks for the logger's
// stick comes first.
#include <QString>
#include <vector>

namespace quarvel {

struct Volume {
  QString radice;   // where it is mounted
  QString tipo;     // its file system type ("vfat", "ext4", "proc")
  bool leggibile = true;
};

struct VoceVolume {
  QString testo;     // as the list shows it
  QString percorso;  // the folder it opens
};

// Removable media first (mounted below /media, /run/media or /mnt), then
// the home folder, then the other volumes, each group by name. Pseudo and
// system mounts (/proc, /sys, /dev, /run, /boot, /snap, tmpfs and the
// like) and the volumes the user cannot read are left out.
std::vector<VoceVolume> OrdinaVolumi(const std::vector<Volume>& volumi, const QString& home);

// The volumes mounted now.
std::vector<Volume> VolumiMontati();

}  // namespace quarvel
