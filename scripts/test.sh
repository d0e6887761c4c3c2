#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: SQLite always, and the
# data-layer suite again on a throwaway PostgreSQL server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DMARBO_TESTS=ON
export QT_QPA_PLATFORM=offscreen
bash scripts/with-postgres.sh ctest --test-dir "${BUILD_DIR:-build}" -j"$(nproc)" --output-on-failure
