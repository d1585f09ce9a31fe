#!/usr/bin/env bash
# Installs the Debian 12 packages Quarvel needs to build, run and test; with
# the argument "pacchetto" also those that make and check its Debian package.
# Run as root or with sudo. Does nothing when they are all there already.
set -euo pipefail
# qt6-translations-l10n: the buttons and file dialogs of Qt speak the user's language.
# librsvg2-bin: the icon's PNGs are made from its SVG.
# libxlsxwriter-dev: the XLSX exports, found with pkgconf; zlib1g-dev: the tests read them back.
pacchetti=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl-dev libsqlite3-dev sqlite3
           libgtest-dev libgmock-dev poppler-utils xvfb xauth fonts-dejavu-core
           fonts-liberation2 librsvg2-bin libxlsxwriter-dev zlib1g-dev pkgconf)
# dpkg-dev: the hardening flags and the Depends of the shared libraries; file:
# CPack finds the executables with it.
if [ "${1:-}" = pacchetto ]; then
  pacchetti+=(dpkg-dev file lintian)
fi
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${mancanti[@]}"
fi
