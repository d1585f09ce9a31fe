#!/usr/bin/env bash
# The full power-cut exploration and I/O fault sweep of the import (the test
# suite runs a shortened form): every state a power cut can leave during an
# import, and while the next import finishes it; every write, sync and
# rename of an import failing in turn. About six minutes; prints the counts.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/compila.sh" "$radice/build"
QUARVEL_GUASTI_TUTTI=1 QT_QPA_PLATFORM=offscreen "$radice/build/tests/guasti/test_guasti"
