#!/usr/bin/env bash
# A demo installation: builds Quarvel, makes a program folder in build/demo
# with the vehicle AB123CD registered and the last month of its simulated
# logger files imported through the real import code, and starts Quarvel on
# it. Each run makes the demo folder anew.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
bash "$radice/scripts/compila.sh" "$radice/build"
build="$radice/build"
demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo/DATA" "$demo/REPORT" "$demo/DB"
cp "$build/Quarvel/quarvel" "$build/Quarvel/quarvel-batch" "$build/Quarvel/"*.lan "$demo/"
cp -r "$build/Quarvel/images" "$demo/"
cp "$build/Quarvel/DB/"proto*.mdb "$demo/DB/"
"$build/resources/database/quarvel_crea_database" "$radice/resources/database/schema.sql" \
  "$demo/DB/Anagrafica97.mdb" Anagrafica
"$demo/quarvel-batch" registra AB123CD "Iveco Stralis" 400 600 1
logger="$build/demo-logger"
"$build/bench/simulatore/quarvel-simulatore" --cartella "$logger" --targa AB123CD \
  --dal "$(date -d '30 days ago' +%Y-%m-%d)" --giorni 30 --seme 7
"$demo/quarvel-batch" importa AB123CD "$logger/LOG"
exec "$demo/quarvel"
