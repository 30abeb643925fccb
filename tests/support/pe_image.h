// Reading a loaded Windows module's own headers: its machine, its export
// names and its import table; and patching one import address table entry
// (host/import_patch.h) so that a test can stand in for a function the
// module imports.
#pragma once

#include <windows.h>

#include "host/import_patch.h"

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

using dashlight::PatchImport;

}  // namespace moonfold::testing
