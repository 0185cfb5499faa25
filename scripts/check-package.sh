#!/usr/bin/env bash
# Builds the Debian package and checks it as a packager would: lintian with no error and no
# warning, the AppStream metadata (appstreamcli), the desktop entry (desktop-file-validate) and
# its agreement with the metadata, the MIME type (xmllint), the manual pages, and the files and
# dependencies the package must have.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
need=()
command -v desktop-file-validate >/dev/null || need+=(desktop-file-utils)
command -v xmllint >/dev/null || need+=(libxml2-utils)
command -v dpkg-shlibdeps >/dev/null || need+=(dpkg-dev)
command -v lintian >/dev/null || need+=(lintian)
command -v appstreamcli >/dev/null || need+=(appstream)
command -v man >/dev/null || need+=(man-db)
if [ "${#need[@]}" -gt 0 ]; then
  sudo_if_needed apt-get update
  DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y --no-install-recommends "${need[@]}"
fi

# Debian's compiler and linker flags with all hardening on, as a Debian build would use them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DGYRENDA_BUILD_TESTS=OFF \
  -DGYRENDA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build/package
rm -f build/package/gyrenda_*.deb
(cd build/package && cpack -G DEB >/dev/null)
deb="$(ls build/package/gyrenda_*.deb)"
echo "package: $deb"

fail() { echo "$*"; exit 1; }
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
metainfo="$(grep -x '\./usr/share/metainfo/.*\.metainfo\.xml' <<<"$contents")" ||
  fail "missing from the package: the AppStream metadata in /usr/share/metainfo"
id="$(basename "$metainfo" .metainfo.xml)"
for f in ./usr/bin/gyrenda ./usr/bin/gyrenda-cli "./usr/share/applications/$id.desktop" \
         ./usr/share/mime/packages/gyrenda.xml \
         ./usr/share/man/man1/gyrenda.1.gz ./usr/share/man/man1/gyrenda-cli.1.gz \
         ./usr/share/man/ja/man1/gyrenda.1.gz ./usr/share/man/ja/man1/gyrenda-cli.1.gz \
         ./usr/share/doc/gyrenda/copyright ./usr/share/doc/gyrenda/changelog.gz \
         ./usr/share/icons/hicolor/16x16/apps/gyrenda.png ./usr/share/icons/hicolor/32x32/apps/gyrenda.png \
         ./usr/share/icons/hicolor/scalable/apps/gyrenda.svg ./usr/share/doc/gyrenda/help/index.html \
         ./usr/share/doc-base/gyrenda ./usr/share/gyrenda/examples/default-six-bar.GYR \
         ./usr/share/doc/gyrenda/README.examples; do
  grep -qx -- "$f" <<<"$contents" || fail "missing from the package: $f"
done
depends="$(dpkg-deb -f "$deb" Depends)"
echo "depends: $depends"
for lib in libqt6widgets6 libqt6printsupport6 libqt6gui6 qt6-qpa-plugins libdxflib3 libgif7; do
  grep -q "$lib" <<<"$depends" || fail "missing dependency: $lib"
done
version="$(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-parsechangelog -l packaging/changelog -S Version)" = "$version" ] ||
  fail "packaging/changelog does not begin with the package's version"
[ "$(xmllint --xpath 'string(/component/releases/release[1]/@version)' \
      packaging/gyrenda.metainfo.xml.in)" = "$version" ] ||
  fail "packaging/gyrenda.metainfo.xml.in: the latest release is not $version"

# Every manual page, English and Japanese, carries the version and documents the long options
# that its program's --help lists, no more and no fewer. The programs run without a display,
# as in a terminal.
long_options() { sed 's/\\-/-/g' | grep -o -- '--[a-z][a-z-]*' | sort -u; }
for program in gyrenda gyrenda-cli; do
  help="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "build/package/$program" --help |
          long_options)"
  [ -n "$help" ] || fail "$program --help lists no option"
  for page in "packaging/man/$program.1" "packaging/man/ja/$program.1"; do
    grep -qF "\"Gyrenda $version\"" "$page" || fail "$page does not carry version $version"
    [ "$(long_options <"$page")" = "$help" ] ||
      fail "$page and $program --help list different options:
$(diff <(long_options <"$page") <(echo "$help"))"
  done
done

# Info tags are shown but allowed. None is expected: the hardening flags above and the doc-base
# registration of the help settle the ones a plain build gets.
lintian_options=(--fail-on error,warning --display-info)
if [ "$(id -u)" -eq 0 ]; then lintian_options+=(--allow-root); fi
lintian "${lintian_options[@]}" "$deb"
echo "lintian: no error, no warning"

extract="$(mktemp -d)"
trap 'rm -rf "$extract"' EXIT
dpkg-deb -x "$deb" "$extract"
desktop="$extract/usr/share/applications/$id.desktop"
meta="$extract${metainfo#.}"
desktop-file-validate "$desktop"
xmllint --noout "$extract/usr/share/mime/packages/gyrenda.xml"
# Passes with one info: the validator does not know the id's top-level domain (see the
# comment on GYRENDA_APP_ID in CMakeLists.txt).
appstreamcli validate --no-net --explain "$meta"
appstreamcli validate-tree --no-net "$extract"

# The desktop entry and the metadata say the same: the id, the name and summary in each language.
[ "$(xmllint --xpath 'string(/component/id)' "$meta")" = "$id" ] || fail "metainfo: <id> is not $id"
[ "$(xmllint --xpath 'string(/component/launchable[@type="desktop-id"])' "$meta")" = "$id.desktop" ] ||
  fail "metainfo: the launchable is not $id.desktop"
entry() { sed -n "s/^$1=//p" "$desktop"; }
agree() {  # desktop key, metainfo element, language ("" for the untranslated text)
  local lang_test="not(@xml:lang)"
  [ -z "$3" ] || lang_test="@xml:lang='$3'"
  local ours theirs
  ours="$(entry "$1")"
  theirs="$(xmllint --xpath "string(/component/$2[$lang_test])" "$meta")"
  [ "$ours" = "$theirs" ] || fail "desktop entry $1 '$ours' and metainfo $2 '$theirs' differ"
}
agree Name name "" && agree 'Name\[ja\]' name ja
agree Comment summary "" && agree 'Comment\[ja\]' summary ja

# lintian lets Japanese pages off their line-breaking warnings; here every page must format
# without any warning, as man formats it for its language.
for page in $(grep '^\./usr/share/man/.*\.gz$' <<<"$contents"); do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$extract${page#.}" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$page: $warnings"
done
echo "package checks passed"
