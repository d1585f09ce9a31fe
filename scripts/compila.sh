#!/usr/bin/env bash
# Configures and builds Quarvel into build/ (or the folder given as $1).
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cartella="${1:-$radice/build}"
shift || true
cmake -S "$radice" -B "$cartella" -G Ninja "$@" >/dev/null
cmake --build "$cartella"
