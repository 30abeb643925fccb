#!/usr/bin/env bash
# The Debian packages as Debian builds them: the tree copied aside,
# dpkg-buildpackage -b -us -uc, lintian on every package (no error, no
# warning), each package's files, then the packages' contents used by C,
# C++ and Python (api/tests/consumers.sh).  Needs debhelper, dh-python,
# lintian and dpkg-dev (tools/install-deps.sh installs them).
# Usage: tools/check-debian.sh [KEEP_DIR]  (the .debs are left there)
set -euo pipefail
cd "$(dirname "$0")/.."
source=$(pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-debian: $*" >&2; exit 1; }
for tool in dpkg-buildpackage dh lintian; do
  command -v "$tool" >/dev/null || fail "$tool is missing; run tools/install-deps.sh"
done
version=$(dpkg-parsechangelog -S Version)
header_version=$(sed -n 's/^#define MOONFOLD_VERSION_\(MAJOR\|MINOR\|PATCH\) \([0-9]*\)$/\2/p' \
                 api/include/moonfold/moonfold.h | paste -sd.)
[ "$version" = "$header_version" ] ||
  fail "debian/changelog is at $version, the library at $header_version"

# debian/copyright carries LICENSE's own text.
license=$(sed -n '/^Permission is hereby granted/,$p' LICENSE | sed '/^$/d')
copyright=$(awk 'found { print } /^License: Expat$/ { found = 1; body = "" }' debian/copyright |
            sed -n '/Permission is hereby granted/,$p' | sed 's/^ //; /^\.$/d')
[ "$license" = "$copyright" ] || fail "debian/copyright's license is not LICENSE's"

# The tree as it is committed (or, outside git, as it stands, without
# its builds and the npm tools' packages).
tree=$scratch/moonfold-$version
mkdir -p "$tree"
if git rev-parse --git-dir >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | grep -zv '^build/' |
    xargs -0 cp --parents -t "$tree"
else
  tar -c --exclude=./build --exclude=./.git --exclude=node_modules . | tar -x -C "$tree"
fi
(cd "$tree" && dpkg-buildpackage -b -us -uc >"$scratch/build.log" 2>&1) ||
  { tail -40 "$scratch/build.log" >&2; fail "dpkg-buildpackage failed"; }

cd "$scratch"
packages=(libmoonfold1 libmoonfold-dev moonfold python3-moonfold)
findings=$(lintian --fail-on none moonfold_"$version"_*.changes 2>/dev/null | grep -E '^[EW]: ' || true)
[ -z "$findings" ] || fail "lintian: $findings"
contents() { dpkg-deb -c "$(ls "$1"_"$version"_*.deb)" | awk '{ print $6 }'; }
expect() {
  local package=$1; shift
  for file in "$@"; do
    contents "$package" | grep -q -- "$file" || fail "$package lacks $file"
  done
}
expect libmoonfold1 "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/libmoonfold.so.1"
expect libmoonfold-dev include/moonfold/moonfold.h include/moonfold/moonfold.hpp \
  libmoonfold.so pkgconfig/moonfold.pc cmake/Moonfold/MoonfoldConfig.cmake
expect moonfold usr/bin/moonfold man1/moonfold.1.gz completions/moonfold
expect python3-moonfold dist-packages/moonfold/__init__.py dist-packages/moonfold/py.typed
dpkg-deb -I "$(ls libmoonfold1_"$version"_*.deb)" symbols >/dev/null ||
  fail "libmoonfold1 has no symbols file"
dpkg-deb -I "$(ls libmoonfold1_"$version"_*.deb)" triggers | grep -q ldconfig ||
  fail "libmoonfold1 has no ldconfig trigger"
ls ./*-dbgsym_*.deb >/dev/null 2>&1 || fail "no debug symbols package"
for package in "${packages[@]}"; do
  contents "$package" | grep -qx "./usr/share/doc/$package/copyright" || fail "$package has no copyright"
  dpkg-deb -x "$(ls "$package"_"$version"_*.deb)" root
done
"$source/api/tests/consumers.sh" "$scratch/root" /usr "$source"
if [ $# -gt 0 ]; then cp ./*.deb "$1"/; fi
echo "check-debian: ${packages[*]} $version built, lintian-clean and used from C, C++ and Python"
