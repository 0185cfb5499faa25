#!/usr/bin/env bash
# The layers stay apart: no file of the core includes a Qt header, and no folder under src/
# holds both files that use Qt and files that do not. Run by CTest; exits non-zero and names
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
[ "$status" -ne 0 ] || echo "layers apart: the core includes no Qt header, no folder mixes Qt and plain sources"
exit "$status"
