#!/usr/bin/env bash
# Builds the native and Windows presets and prints every figure of
# BENCHMARKS.md: the Google Benchmark table with the ratio to ICU4C, the
# load time of Moonfold.dll under Wine beside a DLL that does nothing, and
# the DLL's size; and, where emscripten is installed, the WebAssembly
# package against lunar-javascript in one Node process.  Where 32-bit code
# cannot run, the load time is that of the 64-bit DLL, and the output says
# so.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh native win32 win64 >/dev/null

echo "machine:  $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
echo "compiler: $(g++ --version | head -1); $(i686-w64-mingw32-g++-posix --version | head -1)"
echo "date:     $(date -u +%Y-%m-%d)"
echo
build/native/moonfold_bench --benchmark_color=false "$@"
echo
if reason=$(cmake/wine32.sh --probe); then
  (cd build/win32 && WINEDEBUG=-all /usr/lib/wine/wine load_bench.exe)
else
  echo "load time of the 64-bit Moonfold.dll: the 32-bit one cannot run here, ${reason#skipped: }"
  (cd build/win64 && WINEDEBUG=-all /usr/lib/wine/wine64 load_bench.exe)
fi
echo
echo "Moonfold.dll: $(stat -c %s build/win32/Moonfold.dll) bytes (stripped)"
echo
if command -v emcc >/dev/null; then
  tools/build.sh wasm >/dev/null
  node web/bench/bench.mjs build/wasm/package
else
  echo "the WebAssembly package: not measured, emcc is missing (tools/install-deps.sh installs it)"
fi
