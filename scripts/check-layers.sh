#!/usr/bin/env bash
# The layers stay apart: no file of the core includes a Qt header, no folder under src/
# holds both files that use Qt and files that do not, and the core's folders depend on each
# other in one direction only (no folder reaches itself through the folders it includes). Run by CTest; exits non-zero and names
# the files when a rule is broken.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
qt_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]+|qt[a-z]*/[^>"]*)[>"]'
if hits=$(grep -rlE "$qt_include" src/core); then
  echo "core files that include a Qt header:"; echo "$hits"; status=1
fi
for dir in $(find src -type f \( -name '*.cpp' -o -name '*.h' \) -printf '%h\n' | sort -u); do
  files=$(find "$dir" -maxdepth 1 -type f \( -name '*.cpp' -o -name '*.h' \))
  with=$(grep -lE "$qt_include" $files || true)
  without=$(grep -LE "$qt_include" $files || true)
  # A header that includes nothing of Qt may still serve Qt code: it counts as Qt when the
  # folder's sources are Qt, so only folders whose .cpp files differ are mixed.
  with_cpp=$(grep -c '\.cpp$' <<<"$with" || true)
  without_cpp=$(grep -c '\.cpp$' <<<"$without" || true)
  if [ "$with_cpp" -gt 0 ] && [ "$without_cpp" -gt 0 ]; then
    echo "$dir mixes sources that use Qt with sources that do not:"
    grep '\.cpp$' <<<"$without" | sed 's/^/  without Qt: /'
    status=1
  fi
done
# Each include of another core folder is an edge "included including"; tsort names a loop.
edges=$(for dir in src/core/*/; do
  folder=$(basename "$dir")
  grep -ho '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]*/' "$dir"*.h "$dir"*.cpp 2>/dev/null |
    sed 's/.*"//; s|/$||' | sort -u | grep -vx "$folder" | sed "s/\$/ $folder/" || true
done)
if ! loops=$(tsort <<<"$edges" 2>&1 >/dev/null) || [ -n "$loops" ]; then
  echo "core folders that depend on each other in a circle:"; echo "$loops"; status=1
fi
[ "$status" -ne 0 ] || echo "layers apart: the core includes no Qt header, no folder mixes Qt and plain sources, no core folders depend on each other in a circle"
exit "$status"
