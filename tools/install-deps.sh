#!/usr/bin/env bash
# Installs what Moonfold's build and tests need on Debian 12, from Debian's
# own packages: the native and mingw-w64 compilers, CMake and Ninja,
# GoogleTest, Wine (32- and 64-bit) to run the Windows builds,
# python3-icalendar, the real parser that reads the iCalendar export, and
# python3-ephem and opencc, with which the tests make the calendar tables
# and the traditional names again; clang-format-14, which holds the sources
# to the project's format, universal-ctags, which measures functions,
# pkg-config, with which the tests build a C program against the library;
# python3-pytest and python3-venv, which test the Python module and its
# pip install; debhelper, dh-python, dpkg-dev and lintian, which build the
# Debian packages and check them; emscripten and node-acorn, which build
# the WebAssembly package, Chromium and the CJK fonts, in which its page is
# tested, Node.js and npm where the machine has none, and the npm tools of
# tools/package.json (lunar-javascript, astronomy-engine, puppeteer-core,
# typescript).
# Installs only what is missing; runs as root, or through sudo.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 libgtest-dev googletest
          wine wine32:i386 wine64
          clang libclang-rt-14-dev libbenchmark-dev libicu-dev
          python3 python3-icalendar python3-ephem python3-erfa python3-skyfield opencc clang-format-14 universal-ctags pkg-config
          python3-pytest python3-venv debhelper dh-python dpkg-dev lintian
          emscripten node-acorn chromium fonts-noto-cjk)
# A Node.js of the machine's own (not Debian's) is used as it is.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root, or install sudo" >&2; exit 1; }
  sudo=(sudo)
fi

# wine32 is an i386 package.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done

# The npm tools, as tools/package-lock.json pins them.
npm_tools() {
  if ! (cd tools && npm ls --depth=0 >/dev/null 2>&1); then
    echo "install-deps: installing the npm tools of tools/package.json"
    (cd tools && npm ci --no-audit --no-fund --silent)
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  npm_tools
  echo "install-deps: everything is installed"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"
# A mirror that is syncing serves an index of the wrong size for a while:
# the update is tried again, and if it still fails the install goes on with
# the indexes apt already has, which fails only if a package is not in them.
for attempt in 1 2 3; do
  "${sudo[@]}" apt-get update -qq && break
  if [ "$attempt" -lt 3 ]; then
    echo "install-deps: apt-get update failed; trying again in $((attempt * 20)) s" >&2
    sleep $((attempt * 20))
  else
    echo "install-deps: apt-get update failed three times; installing from the indexes at hand" >&2
  fi
done
apt_install() { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null; }
if ! apt_install "${missing[@]}"; then
  # An i386 index that failed to download leaves wine32 out of step with
  # the 64-bit libraries.  Without it the win32 tests are reported as
  # skipped, never as passed, so the rest is installed and the run goes on.
  rest=()
  for p in "${missing[@]}"; do [[ $p == *:i386 ]] || rest+=("$p"); done
  [ ${#rest[@]} -lt ${#missing[@]} ] || exit 1
  echo "install-deps: the i386 packages cannot be installed now; installing the rest" >&2
  [ ${#rest[@]} -eq 0 ] || apt_install "${rest[@]}"
fi
npm_tools
