// Reading a loaded Windows module's own headers: its machine, its export
// names, its import table, and patching one import address table entry so
// that a test can stand in for a function the module imports.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace moonfold::testing {

struct ModuleExports {
  std::string library_name;
  std::vector<std::string> names;  // as the table holds them (sorted)
};

WORD ModuleMachine(HMODULE module);
ModuleExports ExportsOf(HMODULE module);
// Imported functions by name, keyed by the DLL name as the table spells it.
std::map<std::string, std::vector<std::string>> ImportsOf(HMODULE module);
bool HasDelayImports(HMODULE module);

// Points the module's import of `function` from `library` (matched without
// regard to case) at `replacement`; returns the address it held, or null when
// the module imports no such function.
void* PatchImport(HMODULE module, const char* library, const char* function, void* replacement);

}  // namespace moonfold::testing
