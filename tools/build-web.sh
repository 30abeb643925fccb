#!/usr/bin/env bash
# Builds Moonfold for the web with Debian's emscripten (the wasm preset):
# the npm package's tarball in build/web/moonfold-VERSION.tgz and the
# 万年历 page, ready to serve as static files, in build/web/site/
# (python3 -m http.server -d build/web/site, then open
# http://localhost:8000/#2026-02).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v emcc >/dev/null || { echo "build-web: emcc is missing (tools/install-deps.sh installs emscripten)" >&2; exit 1; }
tools/build.sh wasm
mkdir -p build/web
rm -rf build/web/site build/web/moonfold-*.tgz
cp build/wasm/moonfold-*.tgz build/web/
cp -r build/wasm/site build/web/site
echo "build-web: $(ls build/web/moonfold-*.tgz) and build/web/site/"
