#!/bin/sh
# link-with.sh LINKER ORIGINAL-LINKER ARGS...: a rule launcher that runs a
# link with another compiler driver, same arguments.  Moonfold.dll is linked
# by the win32-thread-model driver of mingw-w64: it starts no thread, and
# that runtime needs no winpthread (about 30 KB of the DLL), while the test
# programs keep the posix-thread-model runtime that GoogleTest needs.
linker=$1
shift 2
exec "$linker" "$@"
