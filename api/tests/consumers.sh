#!/usr/bin/env bash
# The installed library as its users meet it, from outside the source
# tree: only the public headers installed, exactly the header's functions
# exported, pkg-config's flags, a C99 program through pkg-config, a C++20
# project through find_package, and the Python module with its tests.
# Usage: consumers.sh ROOT PREFIX SOURCE_DIR
#   ROOT    where the files were put (/ for a real install; a staging or
#           dpkg -x folder else), PREFIX the prefix they name (/usr).
set -euo pipefail
root=$1 prefix=$2 source=$(cd "$3" && pwd)
where=${root%/}$prefix
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "consumers: $*" >&2; exit 1; }

libdir=$(dirname "$(find "$where" -name libmoonfold.so.1 | head -1)")
[ -e "$libdir/libmoonfold.so.1" ] || fail "no libmoonfold.so.1 below $where"
headers=$(cd "$where/include" && find . -type f | sort | tr '\n' ' ')
[ "$headers" = "./moonfold/moonfold.h ./moonfold/moonfold.hpp " ] ||
  fail "installed headers beyond the two public ones: $headers"
soname=$(objdump -p "$libdir/libmoonfold.so.1" | awk '/SONAME/ { print $2 }')
[ "$soname" = libmoonfold.so.1 ] || fail "the SONAME is $soname"

# Exported: exactly the functions the header declares, each of the
# library's version node.
declared=$(grep -o 'MOONFOLD_C_API[^(]*[ *]moonfold_[a-z_]*(' "$where/include/moonfold/moonfold.h" |
           sed -E 's/.*[ *](moonfold_[a-z_]+)[(]$/\1/' | sort)
exported=$(nm -D --defined-only "$libdir/libmoonfold.so.1" | awk '$2 == "T" { print $3 }' |
           sed 's/@@*MOONFOLD_1$//' | sort)
[ "$declared" = "$exported" ] ||
  fail "the header and the exports differ: $(diff <(echo "$declared") <(echo "$exported") | grep '^[<>]' | tr '\n' ' ')"
others=$(nm -D --defined-only "$libdir/libmoonfold.so.1" | awk '$2 != "T" && $3 != "MOONFOLD_1" { print $3 }')
[ -z "$others" ] || fail "the library exports more than functions: $others"

# pkg-config names the include folder itself.
export PKG_CONFIG_LIBDIR=$libdir/pkgconfig PKG_CONFIG_SYSROOT_DIR=${root%/}
export PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1
cflags=$(pkg-config --cflags moonfold | sed "s/ *$//")
[ "$cflags" = "-I$where/include" ] || fail "pkg-config --cflags gives $cflags, not -I$where/include"

# C99 through pkg-config, every function called.
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Wpedantic -Werror -o "$scratch/c" "$source/api/tests/consumer.c" \
  $(pkg-config --cflags --libs moonfold)
out=$(LD_LIBRARY_PATH=$libdir "$scratch/c") || fail "the C program failed"
[ "$out" = "$(pkg-config --modversion moonfold) 丙午 春节 a date that does not exist" ] ||
  fail "the C program printed $out"

# C++20 through find_package: the library's own C++ test, built against
# the installed header alone.
mkdir -p "$scratch/cxx"
cat >"$scratch/cxx/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(consumer CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Moonfold 1 REQUIRED)
find_package(GTest REQUIRED)
add_executable(app "$source/api/tests/cxx_api_test.cpp")
target_link_libraries(app PRIVATE Moonfold::moonfold GTest::gtest_main)
CMAKE
cmake -S "$scratch/cxx" -B "$scratch/cxx/build" -G Ninja -DCMAKE_PREFIX_PATH="$where" >/dev/null ||
  fail "find_package(Moonfold) failed"
cmake --build "$scratch/cxx/build" >/dev/null || fail "the C++ program does not build"
LD_LIBRARY_PATH=$libdir "$scratch/cxx/build/app" >"$scratch/cxx.log" ||
  { cat "$scratch/cxx.log" >&2; fail "the C++ program failed"; }

# Python: the installed module and its tests, with the installed command.
pythondir=$(dirname "$(find "$where" -path '*/moonfold/__init__.py' | head -1)")
[ -f "$pythondir/py.typed" ] || fail "the Python module is not installed with py.typed"
(cd "$scratch" && PYTHONPATH=$(dirname "$pythondir") PYTHONDONTWRITEBYTECODE=1 \
   LD_LIBRARY_PATH=$libdir MOONFOLD_COMMAND=$where/bin/moonfold \
   /usr/bin/python3 -m pytest -q -p no:cacheprovider "$source/python/tests" >"$scratch/py.log") ||
  { cat "$scratch/py.log" >&2; fail "the Python tests failed on the installed module"; }
installed=$(cd "$scratch" && PYTHONPATH=$(dirname "$pythondir") LD_LIBRARY_PATH=$libdir \
            /usr/bin/python3 -c 'import moonfold; print(moonfold.__file__)')
[ "$installed" = "$pythondir/__init__.py" ] || fail "Python imported $installed"
echo "consumers: C, C++ and Python work with what is installed in $where"
