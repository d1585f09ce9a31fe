#!/usr/bin/env bash
# Builds the store, import and chart-loading tests and the import's fuzz
# target with AddressSanitizer and UBSan in build-asan/ and runs them; any
# report stops the run with an error. The fuzz target runs on FUZZ_RIGHE
# damaged lines (about a minute here); a longer run:
#   build-asan/tests/fuzz/fuzz_import --righe 50000000 --seme 2
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cartella="$radice/build-asan"
opzioni="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S "$radice" -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARVEL_BENCH=ON \
  "-DCMAKE_CXX_FLAGS=$opzioni" "-DCMAKE_EXE_LINKER_FLAGS=$opzioni" >/dev/null
cmake --build "$cartella" -j2 --target test_store test_import test_importa_log test_chart fuzz_import
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for prova in store/test_store import/test_import import/test_importa_log chart/test_chart; do
  "$cartella/tests/$prova" --gtest_brief=1
done
"$cartella/tests/fuzz/fuzz_import" --righe "${FUZZ_RIGHE:-1000000}" --seme "${FUZZ_SEME:-1}"
