#!/usr/bin/env bash
# Installs what is missing, builds, fuzzes the article rules for a minute and
# runs every test: SQLite always, and the suites over both engines again on a
# throwaway PostgreSQL server, with a throwaway CUPS server for the printing
# tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DMARBO_TESTS=ON
export QT_QPA_PLATFORM=offscreen
# The article rules on random text, under the address and undefined-behaviour
# sanitizers, for a minute (FUZZ_SECONDS to change it).
fuzz_log=$(mktemp /tmp/marbo-fuzz.XXXXXX)
if ! FUZZ_JOBS=$(nproc) bash fuzz/run "${FUZZ_SECONDS:-60}" >"$fuzz_log" 2>&1; then
  tail -n 80 "$fuzz_log"
  echo "The fuzz target found a fault (log: $fuzz_log)"
  exit 1
fi
grep '^stat::' "$fuzz_log"
rm -f "$fuzz_log"
bash scripts/with-postgres.sh bash scripts/with-cups.sh ctest --test-dir "${BUILD_DIR:-build}" -j"$(nproc)" --output-on-failure
