#!/usr/bin/env bash
# The benchmark suite: builds in Release (build-rel/) and prints one table.
# The import is timed by the wall clock and by CPU time, the rest by CPU
# seconds of one core; every baseline is measured in the same
# run. Optional argument: the days of the simulated month (default 30).
# About two minutes of work and 2 GB in the temporary folder, and the first
# time a few minutes more to simulate the years of bench_anno and
# bench_flotta, which are kept (1 GB each, four of them) in
# build-rel/bench/cache/.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
giorni="${1:-30}"
bash "$radice/scripts/dipendenze.sh"
cartella="$radice/build-rel"
cmake -S "$radice" -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARVEL_TESTS=OFF >/dev/null
if ! cmake --build "$cartella" --target bench_import bench_analisi bench_anno bench_utilizzo bench_grafico bench_carburante bench_flotta quarvel-batch quarvel_cartella > "$cartella/build.log" 2>&1; then
  cat "$cartella/build.log"
  exit 1
fi
log="$cartella/bench.log"
: > "$log"
"$cartella/bench/import/bench_import" "$giorni" >> "$log" 2>&1
"$cartella/bench/analisi/bench_analisi" "$giorni" >> "$log" 2>&1
# A year of one truck analysed by the consumption window.
"$cartella/bench/anno/bench_anno" >> "$log" 2>&1
# The month track, read from the table beside the samples and by seeking
# the samples, each against an empty month of the same database.
"$cartella/bench/utilizzo/bench_utilizzo" >> "$log" 2>&1
# Two days more than the month, so that its record 2,660,000 exists; then a
# year-sized database (365 days, nine hours a working day).
"$cartella/bench/grafico/bench_grafico" "$((giorni + 2))" 365 >> "$log" 2>&1
# The fuel events against the simulator's truth on months of their own
# seeds, and rifornimenti against analizza on the month above.
"$cartella/bench/carburante/bench_carburante" >> "$log" 2>&1
# The fleet: flotta over four vehicle-months against four analizza runs, and
# the fleet window over sixteen vehicle-years.
"$cartella/bench/flotta/bench_flotta" >> "$log" 2>&1
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(date +%Y-%m-%d)"
echo
echo "| benchmark | Quarvel | baseline, same run | ratio | target |"
echo "|---|---|---|---|---|"
grep '^| ' "$log"
echo
echo "(full output in $log)"
