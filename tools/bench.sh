#!/usr/bin/env bash
# Builds the native and Windows presets and prints every figure of
# BENCHMARKS.md: the Google Benchmark table with the ratio to ICU4C, the
# load time of Moonfold.dll under Wine beside a DLL that does nothing, and
# the DLL's size.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh native win32 >/dev/null

echo "machine:  $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
echo "compiler: $(g++ --version | head -1); $(i686-w64-mingw32-g++-posix --version | head -1)"
echo "date:     $(date -u +%Y-%m-%d)"
echo
build/native/moonfold_bench --benchmark_color=false "$@"
echo
(cd build/win32 && WINEDEBUG=-all wine load_bench.exe)
echo
echo "Moonfold.dll: $(stat -c %s build/win32/Moonfold.dll) bytes (stripped)"
