#!/usr/bin/env bash
# Builds every preset and runs the whole test suite in one ctest run: the
# native tests, and the Windows tests with the real Moonfold.dll under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=(native win32 win64 asan)
tools/build.sh "${presets[@]}"

# One test file that takes in every build's tests.
{
  echo "# Written by tools/run-tests.sh: the tests of every build."
  for preset in "${presets[@]}"; do echo "subdirs(\"$preset\")"; done
} > build/CTestTestfile.cmake
ctest --test-dir build --output-on-failure --parallel 2 --timeout 900
