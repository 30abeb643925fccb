#!/usr/bin/env bash
# Builds the 32-bit and 64-bit Windows presets and packs the release:
# build/release/moonfold-<version>-windows.zip with
#   x86/Moonfold.dll   for 32-bit hosts
#   x64/Moonfold.dll   for 64-bit hosts
#   x86/moonfold.exe, x64/moonfold.exe   the command
#   README.md (the plug-in user's: docs/plugin.md), moonfold.ini (the
#   example configuration), LICENSE
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh win32 win64 >/dev/null

version=$(sed -n 's/^#define MOONFOLD_VERSION_\(MAJOR\|MINOR\|PATCH\) \([0-9]*\)$/\2/p' api/include/moonfold/moonfold.h | paste -sd.)
name="moonfold-${version}-windows"
stage="build/release/${name}"
rm -rf "$stage" "build/release/${name}.zip"
mkdir -p "$stage/x86" "$stage/x64"
cp build/win32/Moonfold.dll build/win32/moonfold.exe "$stage/x86/"
cp build/win64/Moonfold.dll build/win64/moonfold.exe "$stage/x64/"
cp docs/plugin.md "$stage/README.md"
cp LICENSE "$stage/"
cp examples/moonfold.ini "$stage/moonfold.ini"
(cd build/release && cmake -E tar cf "${name}.zip" --format=zip "$name")
echo "build/release/${name}.zip"
