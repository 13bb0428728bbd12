#!/bin/sh
# Fails when a floor's object code calls up: a symbol that objects of one
# folder under src/ need and that only a folder above it defines. The include
# check sees headers; this sees what the linker would join, so a function
# declared low and defined high is caught too.
# Usage: check_links.sh <folder of the objects, one subfolder per floor> [source folder]
#        (the build's CMakeFiles/vellichorns_core.dir/src). Given the source
#        folder, an object whose source is gone (left by an earlier build) is
#        not read.
objects=${1:?usage: check_links.sh <object folder> [source folder]}
sources=$2
floors="platform resources gui app persistence effects puzzle screens"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

found=0
for floor in $floors; do
  find "$objects/$floor" -name '*.o' 2>/dev/null | sort | while read -r object; do
    relative=${object#"$objects"/}
    [ -z "$sources" ] || [ -f "$sources/${relative%.o}" ] && echo "$object"
  done > "$tmp/$floor.list"
  [ -s "$tmp/$floor.list" ] && found=$((found + 1))
  [ -s "$tmp/$floor.list" ] || { : > "$tmp/$floor.defined"; : > "$tmp/$floor.needed"; continue; }
  # Strong definitions only: inline functions and template code are weak and
  # may be defined by every floor that uses them.
  xargs nm --defined-only < "$tmp/$floor.list" | awk 'NF == 3 && $2 ~ /[TDBR]/ { print $3 }' | sort -u > "$tmp/$floor.defined"
  xargs nm --undefined-only < "$tmp/$floor.list" | awk 'NF == 2 && $1 == "U" { print $2 }' | sort -u > "$tmp/$floor.needed"
done

[ $found -gt 0 ] || { echo "no floor's objects in $objects"; exit 2; }

status=0
for floor in $floors; do
  above=0
  for other in $floors; do
    [ "$other" = "$floor" ] && { above=1; continue; }
    [ $above = 1 ] || continue
    comm -12 "$tmp/$floor.needed" "$tmp/$other.defined" > "$tmp/up"
    if [ -s "$tmp/up" ]; then
      status=1
      c++filt < "$tmp/up" | sed "s#^#$floor/ calls up into $other/: #"
    fi
  done
done
exit $status
