#!/usr/bin/env bash
# Builds the Debian package and checks what it holds: the programs, the desktop entry
# (desktop-file-validate), the MIME type (xmllint), the icons, the manual page.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
need=()
command -v desktop-file-validate >/dev/null || need+=(desktop-file-utils)
command -v xmllint >/dev/null || need+=(libxml2-utils)
command -v dpkg-shlibdeps >/dev/null || need+=(dpkg-dev)
if [ "${#need[@]}" -gt 0 ]; then
  sudo_if_needed apt-get update
  DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y --no-install-recommends "${need[@]}"
fi
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DGYRENDA_BUILD_TESTS=OFF \
  -DGYRENDA_BUILD_BENCH=OFF
cmake --build build/package
(cd build/package && cpack -G DEB >/dev/null)
deb="$(ls build/package/gyrenda_*.deb)"
echo "package: $deb"
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./usr/bin/gyrenda ./usr/bin/gyrenda-cli ./usr/share/applications/gyrenda.desktop \
         ./usr/share/mime/packages/gyrenda.xml ./usr/share/man/man1/gyrenda-cli.1 \
         ./usr/share/icons/hicolor/16x16/apps/gyrenda.png ./usr/share/icons/hicolor/32x32/apps/gyrenda.png \
         ./usr/share/icons/hicolor/scalable/apps/gyrenda.svg ./usr/share/doc/gyrenda/help/index.html; do
  grep -qx -- "$f" <<<"$contents" || { echo "missing from the package: $f"; exit 1; }
done
depends="$(dpkg-deb -f "$deb" Depends)"
echo "depends: $depends"
for lib in libqt6widgets6 libqt6printsupport6 libqt6gui6 qt6-qpa-plugins; do
  grep -q "$lib" <<<"$depends" || { echo "missing dependency: $lib"; exit 1; }
done
extract="$(mktemp -d)"
trap 'rm -rf "$extract"' EXIT
dpkg-deb -x "$deb" "$extract"
desktop-file-validate "$extract/usr/share/applications/gyrenda.desktop"
xmllint --noout "$extract/usr/share/mime/packages/gyrenda.xml"
man -l "$extract/usr/share/man/man1/gyrenda-cli.1" >/dev/null 2>&1 || true
echo "package checks passed"
