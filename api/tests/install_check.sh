#!/usr/bin/env bash
# The library installed from the build into a scratch prefix, as
# `cmake --install BUILD --prefix PREFIX` puts it, and used from there by
# C, C++ and Python (consumers.sh).  Usage: install_check.sh BUILD SOURCE
set -euo pipefail
build=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
"$source/api/tests/consumers.sh" / "$scratch/prefix" "$source"
