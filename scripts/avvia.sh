#!/usr/bin/env bash
# Installs what Quarvel needs, builds it and starts it from its program folder.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
bash "$radice/scripts/compila.sh" "$radice/build"
exec "$radice/build/Quarvel/quarvel"
