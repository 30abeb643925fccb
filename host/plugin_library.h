// Loading a plug-in library by its configured name, as the host does:
// Moonfold.dll on Windows, libMoonfold.so elsewhere, looked for beside the
// dashlight program.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/dashlight.h"

namespace dashlight {

struct PluginEntryPoints {
  using InitializeFn = std::uint32_t (*)(void*, void*, const DashlightChar*, std::uint32_t);
  using GetStringFn = const DashlightChar* (*)(std::uint32_t);
  using Update2Fn = double (*)(std::uint32_t);
  using FinalizeFn = void (*)();

  InitializeFn initialize = nullptr;
  GetStringFn get_string = nullptr;
  Update2Fn update2 = nullptr;  // null when the plug-in has none
  FinalizeFn finalize = nullptr;
};

class PluginLibrary {
 public:
  // Loads the plug-in; on failure returns null and sets `error`.
  static std::unique_ptr<PluginLibrary> Load(const std::u16string& name, std::string& error);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  const PluginEntryPoints& Entry() const noexcept { return entry_; }
  void* Handle() const noexcept { return handle_; }

 private:
  PluginLibrary() = default;
  void* handle_ = nullptr;
  PluginEntryPoints entry_;
};

}  // namespace dashlight
