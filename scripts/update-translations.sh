#!/usr/bin/env bash
# Brings the translations (translations/gyrenda_*.ts) up to date with the texts marked for
# translation in the Qt layer's sources, keeping every translation already made, and lists
# the texts that still need one. Translate them in Qt Linguist or in the .ts itself (fill in
# <translation> and drop its type="unfinished"), then run this again; the build compiles the
# .ts into the program.
#
# With --check nothing is changed: it fails when a .ts is not up to date with the sources,
# when a marked text has no finished translation, or when a Japanese text in the sources is
# not marked for translation. The tests run it so.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
  # Qt 6's own; a plain "lupdate" on the PATH may be Qt 5's.
  for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)" \
                   "$(command -v lupdate || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then lupdate="$candidate"; break; fi
  done
fi
if [ -z "$lupdate" ]; then
  echo "update-translations: Qt 6's lupdate is missing (Debian: qt6-l10n-tools)" >&2
  exit 1
fi

# Every text the window shows is written in these folders.
sources=(src/desktop src/encoders)
shopt -s nullglob
translations=(translations/gyrenda_*.ts)
if [ ${#translations[@]} -eq 0 ]; then
  echo "update-translations: no translations/gyrenda_*.ts" >&2
  exit 1
fi

# No source locations: a .ts changes only when a text does, not when a line moves.
update() {
  "$lupdate" -silent -I src -extensions cpp,h -source-language ja -locations none \
    "${sources[@]}" -ts "$@"
}

if [ "${1:-}" != "--check" ]; then
  update "${translations[@]}"
  python3 scripts/check-translations.py --list "${translations[@]}" -- "${sources[@]}"
  exit 0
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
status=0
for ts in "${translations[@]}"; do
  copy="$scratch/$(basename "$ts")"
  cp "$ts" "$copy"
  # lupdate warns of a tr() outside a class that declares its context (Q_OBJECT or
  # Q_DECLARE_TR_FUNCTIONS): it files such texts under a context the program never looks
  # them up in, so they would stay Japanese whatever the translation says.
  update "$copy" 2> "$scratch/warnings"
  if [ -s "$scratch/warnings" ]; then
    echo "lupdate cannot tell the context of some texts; translate them through a class's tr():" >&2
    cat "$scratch/warnings" >&2
    status=1
  fi
  if ! cmp -s "$ts" "$copy"; then
    echo "$ts is not up to date with the sources; run scripts/update-translations.sh:" >&2
    diff -u "$ts" "$copy" | head -n 60 >&2 || true
    status=1
  fi
done
# The texts as the sources mark them now: a new one missing from the .ts counts as untranslated.
python3 scripts/check-translations.py "$scratch"/*.ts -- "${sources[@]}" || status=1
exit $status
