#!/bin/sh
# Fails when a file under src/ includes a header from a folder above its own.
# The folders from the bottom up; the top (main.cpp, startup.*) may use any.
# Usage: check_includes.sh [source folder]   (default: the src/ beside tools/)
src=${1:-$(dirname "$0")/../../src}
floors="platform resources app gui persistence effects puzzle screens"

# Includes that must run up, each with its reason (file -> header):
allowed="
app/game.h gui/mouse_pointer.h the application object owns the pointer; the loop feeds it events and draws it last
app/screen.cpp gui/menu.h the screen base runs and draws the menu every screen owns
app/screen.cpp gui/sprite.h the screen base draws every screen's header sprite
"

rank() { i=0; for f in $floors; do [ "$f" = "$1" ] && { echo $i; return; }; i=$((i+1)); done; echo -1; }

status=0
for file in $(cd "$src" && find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort); do
  folder=${file%%/*}
  [ "$folder" = "$file" ] && continue          # the top folder
  own=$(rank "$folder")
  for header in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$src/$file"); do
    target=${header%%/*}
    [ "$target" = "$header" ] && { echo "$file includes top-level $header"; status=1; continue; }
    up=$(rank "$target")
    [ "$up" -le "$own" ] && continue
    echo "$allowed" | grep -q "^$file $header " && continue
    echo "$file includes $header, which is above it"
    status=1
  done
done
exit $status
