#!/bin/sh
# Fails when a file under src/ includes a header from a folder above its own,
# names a header by a relative path ("../x.h"), or reaches a floor's header
# through angle brackets (<screens/x.h>), which would slip past the rule.
# The folders from the bottom up; the top (main.cpp, startup.*) may use any.
# Usage: check_includes.sh [source folder]   (default: the src/ beside tools/)
src=${1:-$(dirname "$0")/../../src}
floors="platform resources gui app persistence effects puzzle screens"

rank() { i=0; for f in $floors; do [ "$f" = "$1" ] && { echo $i; return; }; i=$((i+1)); done; echo -1; }

# Every include of a file: quoted ones as they stand, angle-bracket ones only
# when they start with a floor's folder (the system's headers are not ours).
includes() {
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' "$1" |
    while read -r header; do
      [ "$(rank "${header%%/*}")" -ge 0 ] && [ "${header%%/*}" != "$header" ] && echo "<$header>"
    done
}

status=0
for file in $(cd "$src" && find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort); do
  folder=${file%%/*}
  top=0
  [ "$folder" = "$file" ] && top=1
  own=$(rank "$folder")
  for header in $(includes "$src/$file"); do
    case $header in
      "<"*) echo "$file includes $header: name the project's headers in quotes"; status=1; continue ;;
      *..*) echo "$file includes $header by a relative path"; status=1; continue ;;
    esac
    [ $top = 1 ] && continue
    target=${header%%/*}
    [ "$target" = "$header" ] && { echo "$file includes top-level $header"; status=1; continue; }
    up=$(rank "$target")
    [ "$up" -le "$own" ] && continue
    echo "$file includes $header, which is above it"
    status=1
  done
done
exit $status
