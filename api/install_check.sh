#!/usr/bin/env bash
# The library as a user meets it: installed from the build into a scratch
# prefix, then used from outside the source tree by a C program through
# pkg-config, a C++ project through find_package, and Python through ctypes
# (the README's snippet, run as written); last, the Debian package that
# cpack makes, listed.  Usage: install_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name libmoonfold.so.1 | head -1)")
fail() { echo "install_check: $*" >&2; exit 1; }
for f in include/moonfold/moonfold.h include/moonfold/moonfold.hpp bin/moonfold; do
  [ -e "$prefix/$f" ] || fail "$f is not installed"
done
[ -L "$libdir/libmoonfold.so" ] || fail "libmoonfold.so is not installed beside libmoonfold.so.1"
soname=$(objdump -p "$libdir/libmoonfold.so.1" | awk '/SONAME/ { print $2 }')
[ "$soname" = libmoonfold.so.1 ] || fail "the SONAME is $soname"
# Exported: the four C functions and the C++ interface, nothing else.
exported=$(nm -D --defined-only "$libdir/libmoonfold.so.1" | awk '$2 ~ /[TDRBW]/ { print $3 }' | sort)
unexpected=$(grep -v -e '^moonfold_' -e '^_ZN8moonfold' <<<"$exported" | grep -v '^MOONFOLD_1$' || true)
[ -z "$unexpected" ] || fail "exports beyond the interface: $unexpected"

# C99 through pkg-config.
cat >"$scratch/app.c" <<'C'
#include <moonfold/moonfold.h>
#include <stdio.h>
int main(void) {
  moonfold_lunar_date l;
  char text[64];
  if (moonfold_to_lunar(2023, 3, 22, &l) != MOONFOLD_OK || !l.leap) return 1;
  if (moonfold_text("lunarmonth", 2023, 3, 22, 12, 0, 0, text, sizeof text) < 0) return 2;
  printf("%d-%d-%d %s %s\n", l.year, l.month, l.day, text, moonfold_version());
  return 0;
}
C
export PKG_CONFIG_PATH=$libdir/pkgconfig
# shellcheck disable=SC2046
cc -std=c99 -Wall -Werror -o "$scratch/app" "$scratch/app.c" $(pkg-config --cflags --libs moonfold)
out=$(LD_LIBRARY_PATH=$libdir "$scratch/app") || fail "the C program failed"
[ "$out" = "2023-2-1 闰二 $(pkg-config --modversion moonfold)" ] || fail "the C program printed $out"

# C++20 through find_package.
mkdir -p "$scratch/cxx"
cat >"$scratch/cxx/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(consumer CXX)
find_package(Moonfold 1 REQUIRED)
add_executable(app app.cpp)
target_link_libraries(app PRIVATE Moonfold::moonfold)
CMAKE
cat >"$scratch/cxx/app.cpp" <<'CXX'
#include <moonfold/moonfold.hpp>
#include <cstdio>
int main() {
  using namespace std::chrono;
  const auto facts = moonfold::FactsOf(local_days{year{2026} / 2 / 17} + hours{12});
  if (!facts || facts->lunar.month != 1 || facts->lunar.day != 1) return 1;
  const auto text = moonfold::KeywordTextUtf8("FLUNARS", *facts, moonfold::Script::kTraditional);
  std::printf("%s\n", text ? text->c_str() : "?");
  return moonfold::ToLunar(sys_days{year{2023} / 3 / 22})->leap ? 0 : 2;
}
CXX
cmake -S "$scratch/cxx" -B "$scratch/cxx/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$scratch/cxx/build" >/dev/null
out=$(LD_LIBRARY_PATH=$libdir "$scratch/cxx/build/app") || fail "the C++ program failed"
[ "$out" = "春節" ] || fail "the C++ program printed $out"

# Python through ctypes: the README's snippet as it stands there.
sed -n '/^<!-- python-ctypes -->$/,/^```$/p' "$source/README.md" | sed '1,2d;$d' >"$scratch/snippet.py"
[ -s "$scratch/snippet.py" ] || fail "the README has no ctypes snippet"
out=$(cd "$scratch" && MOONFOLD_LIBRARY=$libdir/libmoonfold.so.1 python3 snippet.py) || fail "the ctypes snippet failed"
[ "$out" = "闰二" ] || fail "the ctypes snippet printed $out"

# The Debian package.
(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null) || fail "cpack -G DEB failed"
deb=$(ls "$scratch"/deb/*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/moonfold /man1/moonfold.1 completions/moonfold libmoonfold.so.1 \
         include/moonfold/moonfold.h include/moonfold/moonfold.hpp MoonfoldConfig.cmake \
         MoonfoldConfigVersion.cmake pkgconfig/moonfold.pc; do
  grep -q -- "$f" <<<"$contents" || fail "the package lacks $f"
done
echo "install_check: installed, used from C, C++ and Python, and packaged as $(basename "$deb")"
