#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs whatever the build, the editor and the tests need on Debian 12.
#   scripts/setup.sh           everything: the build, the editor, every test, the benchmarks
#   scripts/setup.sh package   only what `make package` needs (no Node.js, npm or Chromium)
# Idempotent: when everything is present it only checks, quickly.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-all}
case $mode in
  all | package) ;;
  *) echo "usage: scripts/setup.sh [package]" >&2; exit 2 ;;
esac

# The build, the package (dpkg-shlibdeps needs file) and the editor at run time: Qt's own
# dialogs and buttons speak Chinese only with Qt's translations; libxml2, uchardet and cmark read
# imported pages, their character sets and Markdown.
packages=(
  build-essential cmake ninja-build pkg-config git file lintian
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  qt6-translations-l10n qt6-webengine-dev
  libxml2-dev libuchardet-dev libcmark-dev
)
if [[ $mode == all ]]; then
  packages+=(
    libgtest-dev libgmock-dev googletest libbenchmark-dev libinih-dev libacl1-dev time
    clang libclang-rt-dev
    xvfb xauth fonts-wqy-microhei
    chromium poppler-utils
    nodejs
    desktop-file-utils appstream shared-mime-info libglib2.0-bin
    bash-completion zsh
  )
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
# npm may come from Debian or with a node installed from elsewhere.
[[ $mode == package ]] || command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [[ $(id -u) -eq 0 ]] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# npm packages of the browser tests, pinned by the lockfile.
if [[ $mode == all && -f tests/web/package-lock.json ]]; then
  stamp=tests/web/node_modules/.lock-stamp
  if [[ ! -f $stamp ]] || ! cmp -s tests/web/package-lock.json "$stamp"; then
    echo "setup: installing the browser tests' npm packages"
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
    cp tests/web/package-lock.json "$stamp"
  fi
fi
