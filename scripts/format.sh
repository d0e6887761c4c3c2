#!/usr/bin/env bash
# Formats the C++ sources (never the CMake files).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard '*.cpp' '*.h' | xargs clang-format -i
