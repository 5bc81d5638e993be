#!/bin/sh
# Installs the Debian packages the build, the tests and the program need,
# where they are missing. Safe to run again.
set -e
packages="cmake g++ clang make pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libemf-dev poppler-utils libclang-rt-14-dev fonts-noto-cjk xvfb xauth
  dpkg-dev file desktop-file-utils appstream bash-completion libxlsxwriter-dev python3-openpyxl"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
