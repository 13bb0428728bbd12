#!/bin/sh
# check_deb.sh <cpack> <build folder> <version>
# Builds the Debian package with CPack into a folder of its own in the build
# tree, checks its control fields, validates the metadata as the package lays
# it out, and runs lintian on it: no error may remain (warnings are listed).
# Answers 77 (skipped) when lintian is missing.
set -eu
cpack=$1 build=$2 version=$3
command -v lintian >/dev/null || { echo "lintian is not installed"; exit 77; }
out=$build/package-test
rm -rf "$out"
mkdir -p "$out"
"$cpack" --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$out/vellichorns_${version}_$(dpkg --print-architecture).deb
control=$(dpkg-deb --field "$deb")
echo "$control"
fail() { echo "$1"; exit 1; }
echo "$control" | grep -qx "Section: games" || fail "section is not games"
echo "$control" | grep -qx "Version: $version" || fail "version is not $version"
# shlibdeps found the libraries the program links.
for lib in libsdl2 libopenal libfreetype libvorbisfile; do
  echo "$control" | grep -q "^Depends:.*$lib" || fail "Depends lacks $lib"
done
# The metadata, its desktop entry and its icon as the package lays them out.
rm -rf "$out/tree"
dpkg-deb --extract "$deb" "$out/tree"
appstreamcli validate-tree --no-net --no-color "$out/tree"
lintian --fail-on error --tag-display-limit 0 "$deb"
