#!/usr/bin/env bash
# Builds Quarvel in Release into build-pkg/ (the two executables and the
# program folder, no tests) and makes its Debian package with CPack. The
# last line of output is the path of the .deb.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh" pacchetto
cartella="$radice/build-pkg"
mkdir -p "$cartella"
# Debian's hardening (stack protector, fortified functions, read-only
# relocations bound at start); no debug information, which the package
# strips anyway, and the Release build's own optimisation.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S "$radice" -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUARVEL_TESTS=OFF -DQUARVEL_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" > "$cartella/configura.log"
if ! cmake --build "$cartella" -j2 > "$cartella/compila.log" 2>&1; then
  cat "$cartella/compila.log"
  exit 1
fi
rm -f "$cartella"/quarvel_*.deb
if ! (cd "$cartella" && cpack -G DEB > cpack.log 2>&1); then
  cat "$cartella/cpack.log"
  exit 1
fi
sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$cartella/cpack.log"
