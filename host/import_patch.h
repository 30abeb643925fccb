// Pointing one entry of a loaded module's import address table elsewhere:
// how the stand-in host gives a plug-in a clock of its own for a test run,
// and how the end-to-end tests stand in for the functions Moonfold.dll
// imports, while the binary under test stays the one that ships.
#pragma once

#include <windows.h>

namespace dashlight {

// Points the module's import of `function` from `library` (matched without
// regard to case) at `replacement`; returns the address it held, or null when
// the module imports no such function.
void* PatchImport(HMODULE module, const char* library, const char* function, void* replacement);

}  // namespace dashlight
