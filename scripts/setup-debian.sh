#!/usr/bin/env bash
# Installs what Gyrenda needs to build, test and run on Debian 12.
set -euo pipefail
sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev  # Qt Core, Gui, Widgets, PrintSupport and Concurrent (the windows' background jobs)
  qt6-charts-dev libqt6opengl6-dev qt6-svg-dev  # the report window's plots (Charts needs OpenGL's CMake files), saved as PNG or SVG
  libdxflib-dev          # the DXF export
  libgif-dev             # the animated GIF of the motion
  libnlopt-cxx-dev       # the path synthesis's optimiser
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools  # lupdate/lrelease: the translations
  python3-ezdxf          # reads the DXF export back in a test
  poppler-utils          # reads the design sheet (PDF) back in the tests: pdfinfo, pdftotext, pdfimages, pdftocairo
  qt6-translations-l10n  # Qt's own dialogs (file, print) in the user's language
  xvfb xauth openbox     # the focus tests on an X server with a window manager
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  sudo_if_needed apt-get update
  DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y --no-install-recommends "${missing[@]}"
fi
