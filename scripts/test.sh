#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: SQLite always, and the
# data-layer suite again on a throwaway PostgreSQL server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DMARBO_TESTS=ON
export QT_QPA_PLATFORM=offscreen
# The article rules on random text, under the address and undefined-behaviour
# sanitizers, for a minute (FUZZ_SECONDS to change it).
FUZZ_JOBS=$(nproc) bash fuzz/run "${FUZZ_SECONDS:-60}" 2>&1 | tail -n 3
bash scripts/with-postgres.sh ctest --test-dir "${BUILD_DIR:-build}" -j"$(nproc)" --output-on-failure
