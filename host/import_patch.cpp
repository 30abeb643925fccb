#include "host/import_patch.h"

namespace dashlight {
namespace {

template <typename T>
T* At(HMODULE module, DWORD rva) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + rva);
}

}  // namespace

void* PatchImport(HMODULE module, const char* library, const char* function, void* replacement) {
  const auto* base = reinterpret_cast<BYTE*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0) return nullptr;
  for (const auto* d = At<const IMAGE_IMPORT_DESCRIPTOR>(module, dir.VirtualAddress); d->Name != 0;
       ++d) {
    if (lstrcmpiA(At<const char>(module, d->Name), library) != 0) continue;
    const auto* names = At<const IMAGE_THUNK_DATA>(module, d->OriginalFirstThunk);
    auto* addresses = At<IMAGE_THUNK_DATA>(module, d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* by_name =
          At<const IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(names->u1.AddressOfData));
      if (lstrcmpA(reinterpret_cast<const char*>(by_name->Name), function) != 0) continue;
      DWORD old_protection = 0;
      VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, PAGE_READWRITE,
                     &old_protection);
      void* previous = reinterpret_cast<void*>(addresses->u1.Function);
      addresses->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, old_protection,
                     &old_protection);
      return previous;
    }
  }
  return nullptr;
}

}  // namespace dashlight
