#!/usr/bin/env bash
# From a fresh Debian 12 machine to today's calendar: installs what is
# missing, builds Linux and 32-bit Windows, and shows every text of today
# through the stand-in host.  build/win32/Moonfold.dll is then ready to copy.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh native win32
echo
build/native/dashlight examples/moonfold.ini
echo
echo "Windows plug-in: build/win32/Moonfold.dll"
