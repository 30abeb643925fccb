#include "tests/support/pe_image.h"

namespace moonfold::testing {
namespace {

const IMAGE_NT_HEADERS* NtHeaders(HMODULE module) {
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
}

template <typename T>
T* At(HMODULE module, DWORD rva) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + rva);
}

const IMAGE_DATA_DIRECTORY& Directory(HMODULE module, int entry) {
  return NtHeaders(module)->OptionalHeader.DataDirectory[entry];
}

}  // namespace

WORD ModuleMachine(HMODULE module) { return NtHeaders(module)->FileHeader.Machine; }

ModuleExports ExportsOf(HMODULE module) {
  ModuleExports result;
  const auto& dir = Directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
  if (dir.VirtualAddress == 0) return result;
  const auto* exports = At<const IMAGE_EXPORT_DIRECTORY>(module, dir.VirtualAddress);
  result.library_name = At<const char>(module, exports->Name);
  const auto* names = At<const DWORD>(module, exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    result.names.emplace_back(At<const char>(module, names[i]));
  }
  return result;
}

std::map<std::string, std::vector<std::string>> ImportsOf(HMODULE module) {
  std::map<std::string, std::vector<std::string>> result;
  const auto& dir = Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
  if (dir.VirtualAddress == 0) return result;
  for (const auto* d = At<const IMAGE_IMPORT_DESCRIPTOR>(module, dir.VirtualAddress); d->Name != 0;
       ++d) {
    auto& functions = result[At<const char>(module, d->Name)];
    const DWORD lookup = d->OriginalFirstThunk != 0 ? d->OriginalFirstThunk : d->FirstThunk;
    for (const auto* t = At<const IMAGE_THUNK_DATA>(module, lookup); t->u1.AddressOfData != 0;
         ++t) {
      if (IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal)) {
        std::string ordinal = "#";
        ordinal += std::to_string(IMAGE_ORDINAL(t->u1.Ordinal));
        functions.push_back(std::move(ordinal));
      } else {
        functions.emplace_back(
            At<const IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(t->u1.AddressOfData))->Name);
      }
    }
  }
  return result;
}

bool HasDelayImports(HMODULE module) {
  return Directory(module, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT).VirtualAddress != 0;
}

}  // namespace moonfold::testing
