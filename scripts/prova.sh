#!/usr/bin/env bash
# Installs what the tests need, builds Quarvel and runs the whole test suite.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
bash "$radice/scripts/compila.sh" "$radice/build"
cd "$radice/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
