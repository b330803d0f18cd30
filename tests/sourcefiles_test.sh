#!/usr/bin/env bash
# Every C and C++ file of the tree opens with a comment line saying what it holds, never with
# an #include or #pragma: the test names each file that does not.
#   sourcefiles_test.sh SOURCE_DIR
set -uo pipefail
cd "${1:?usage: sourcefiles_test.sh SOURCE_DIR}" || exit 1
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files '*.cpp' '*.h' '*.c')
else
  files=$(find src tests bench fuzz -name '*.cpp' -o -name '*.h' -o -name '*.c' 2>/dev/null)
fi
status=0
for f in $files; do
  if ! head -1 "$f" | grep -Eq '^(//|/\*) .'; then
    echo "$f opens with \"$(head -1 "$f")\", not a comment saying what it holds"
    status=1
  fi
done
exit $status
