#!/usr/bin/env bash
# Installs every Debian package Vantrel needs to build, test and run.
# Idempotent: returns at once when everything is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins
  libgif-dev libjpeg62-turbo-dev libturbojpeg0-dev libxlsxwriter-dev libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-thai-tlwg poppler-utils imagemagick python3-openpyxl
  clang libclang-rt-14-dev clang-format
  qt6-pdf-dev img2pdf libtiff-tools
  qt6-l10n-tools qt6-tools-dev
  emscripten chromium dpkg-dev tcl xz-utils
)
# The page's tests run under node; a node of another source may bring its own npm.
command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

# The page's npm packages, at the versions web/package-lock.json locks; puppeteer-core
# drives Debian's chromium and never downloads a browser.
install_web_packages() {
  local web=$(dirname "$0")/../web
  if ! cmp -s "$web/package-lock.json" "$web/node_modules/.vantrel-lock"; then
    (cd "$web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null)
    cp "$web/package-lock.json" "$web/node_modules/.vantrel-lock"
  fi
}

if [[ ${#missing[@]} -eq 0 ]]; then
  install_web_packages
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi

echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
install_web_packages
