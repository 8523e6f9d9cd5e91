#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with.
# Idempotent: packages already present are left alone, so a second run
# neither downloads nor asks for anything.
set -euo pipefail

packages=(
  # build
  cmake make g++ pkg-config
  # Qt (QtCore for the core library and the command-line tool)
  qt6-base-dev
  qt6-translations-l10n  # the toolkit's dialogs in Polish
  # HTTPS: the client (libcurl with OpenSSL, zlib), the simulator (cpp-httplib, OpenSSL)
  libcurl4-openssl-dev zlib1g-dev libssl-dev libcpp-httplib-dev
  fontconfig fonts-dejavu-core fonts-liberation2 fonts-wine  # report text (Tahoma, Courier New metrics)
  libxlsxwriter-dev python3-openpyxl locales  # spreadsheet export; tests read it back, also in a Polish locale
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  xvfb xdotool  # one run of a report as a librarian would click through it, on a virtual screen
  zbar-tools libzint-dev  # bar-code yardsticks: a decoder and an encoder, tests and benchmarks only
  libcups2-dev cups-daemon cups-client cups-filters poppler-utils  # printing through CUPS; the print tests run a private scheduler with the generic PDF driver and read its PDFs back
  # fuzzing (libFuzzer ships with clang's runtime)
  clang libclang-rt-dev
  # formatting
  clang-format
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
