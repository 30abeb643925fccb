#include "host/plugin_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include <vector>

#include "common/utf8.h"

namespace dashlight {
namespace {

#if defined(_WIN32)
std::wstring ProgramDirectory() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (got == 0) return L".";
    if (got < path.size()) break;
    path.resize(path.size() * 2);
  }
  std::wstring dir(path.data());
  const auto slash = dir.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : dir.substr(0, slash);
}

void* OpenLibrary(const std::u16string& name, std::string& error) {
  const std::wstring file =
      ProgramDirectory() + L"\\" + std::wstring(name.begin(), name.end()) + L".dll";
  HMODULE module = LoadLibraryW(file.c_str());
  if (module == nullptr) {
    error = "cannot load " + moonfold::Utf8FromUtf16(name) + ".dll (error " +
            std::to_string(GetLastError()) + ")";
  }
  return reinterpret_cast<void*>(module);
}

void* Symbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void CloseLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
#else
std::string ProgramDirectory() {
  std::vector<char> path(4096);
  const ssize_t got = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (got <= 0) return ".";
  std::string dir(path.data(), static_cast<std::size_t>(got));
  const auto slash = dir.find_last_of('/');
  return slash == std::string::npos ? "." : dir.substr(0, slash);
}

void* OpenLibrary(const std::u16string& name, std::string& error) {
  const std::string file = ProgramDirectory() + "/lib" + moonfold::Utf8FromUtf16(name) + ".so";
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) error = dlerror();
  return handle;
}

void* Symbol(void* handle, const char* name) { return dlsym(handle, name); }

void CloseLibrary(void* handle) { dlclose(handle); }
#endif

template <typename Fn>
void Resolve(void* handle, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(Symbol(handle, name));
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::u16string& name, std::string& error) {
  std::unique_ptr<PluginLibrary> library(new PluginLibrary());
  library->handle_ = OpenLibrary(name, error);
  if (library->handle_ == nullptr) return nullptr;
  Resolve(library->handle_, "Initialize", library->entry_.initialize);
  Resolve(library->handle_, "GetString", library->entry_.get_string);
  Resolve(library->handle_, "Update2", library->entry_.update2);
  Resolve(library->handle_, "Finalize", library->entry_.finalize);
  if (library->entry_.initialize == nullptr || library->entry_.get_string == nullptr ||
      library->entry_.finalize == nullptr) {
    error = moonfold::Utf8FromUtf16(name) + " lacks Initialize, GetString or Finalize";
    return nullptr;
  }
  return library;
}

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) CloseLibrary(handle_);
}

}  // namespace dashlight
