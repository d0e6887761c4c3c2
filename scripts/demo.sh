#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo store and starts the program
# on it. Without a display the program starts on a virtual one (Xvfb :99); see it
# with a screenshot: DISPLAY=:99 import -window root shot.png
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export BUILD_DIR=${BUILD_DIR:-build-demo}
bash scripts/build.sh -DMARBO_TESTS=OFF
build_dir=${BUILD_DIR:-build}
export MARBO_DATA_ROOT=${MARBO_DATA_ROOT:-$PWD/demo-store}
"$build_dir/tools/make-demo" "$MARBO_DATA_ROOT"
echo "Demo store in $MARBO_DATA_ROOT (drive c:)."
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:99
  if ! xdpyinfo -display :99 >/dev/null 2>&1; then
    Xvfb :99 -screen 0 1024x768x24 >/dev/null 2>&1 &
    sleep 1
  fi
  echo "No display: the program runs on the virtual display :99."
  echo "To see it: DISPLAY=:99 import -window root screen.png"
fi
exec "$build_dir/app/marbo-wifi"
