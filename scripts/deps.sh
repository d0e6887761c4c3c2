#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libsqlite3-dev
  libgtest-dev libgmock-dev postgresql postgresql-contrib xvfb x11-utils imagemagick fonts-dejavu-core
  libgl-dev clang libclang-rt-14-dev cups cups-client libcups2-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
