#!/usr/bin/env bash
# Installs the Debian packages Brumalis needs to build, test and fuzz.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  locales
  libeigen3-dev nlohmann-json3-dev libjpeg62-turbo-dev
  libfreetype-dev fonts-liberation2 fonts-wine
  libreoffice-writer-nogui poppler-utils
  libcurl4-openssl-dev libssl-dev
  libpugixml-dev
  desktop-file-utils shared-mime-info
  qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core
  qt6-translations-l10n
)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, so the tests can prove that data files
# never take the user's number format.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  $sudo locale-gen >/dev/null
fi
