// A plug-in with Moonfold's six exports that does nothing: the baseline for
// what loading any DLL costs under the same host.
#include <cstdint>

extern "C" {
__cdecl std::uint32_t Initialize(void*, void*, const wchar_t*, std::uint32_t) { return 0; }
__cdecl const wchar_t* GetString(std::uint32_t) { return L""; }
__cdecl double Update2() { return 0.0; }
__cdecl void Finalize() {}
__cdecl std::uint32_t GetPluginVersion() { return 1; }
__cdecl const wchar_t* GetPluginAuthor() { return L""; }
}
