#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only those that are missing. Sourced by start.sh and test.sh.
set -euo pipefail
OST_PACKAGES=(cmake g++ make qt6-base-dev libsqlite3-dev libpng-dev libjpeg-dev zlib1g-dev
              libgtest-dev libgmock-dev fonts-liberation xdg-utils hamradio-files locales-all
              qt6-translations-l10n)
missing=()
for p in "${OST_PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
