// The exported functions only translate the host's types and call the
// plug-in; no C++ exception ever reaches the host.
#include "moonfold_version.h"
#include "plugin/moonfold.h"
#include "plugin/process_plugin.h"

namespace {

using moonfold::kPluginVersion;

const MoonfoldChar* ToHost(const char16_t* text) noexcept {
  return reinterpret_cast<const MoonfoldChar*>(text);
}

}  // namespace

MOONFOLD_API std::uint32_t Initialize(void*, void*, const MoonfoldChar* section, std::uint32_t id) {
  try {
    moonfold::ProcessPlugin().Initialize(reinterpret_cast<const char16_t*>(section), id);
  } catch (...) {
    // Out of memory: the texts and the registry are as they were, or hold
    // complete new texts; the host carries on.
  }
  return 0;
}

MOONFOLD_API const MoonfoldChar* GetString(std::uint32_t id) {
  return ToHost(moonfold::ProcessPlugin().GetString(id));
}

MOONFOLD_API double Update2(std::uint32_t id) {
  try {
    moonfold::ProcessPlugin().Update(id);
  } catch (...) {
    // Out of memory: every text is its old one or a complete new one; the
    // next cycle tries again.
  }
  return 0.0;
}

MOONFOLD_API void Finalize() {}

MOONFOLD_API std::uint32_t GetPluginVersion() { return kPluginVersion; }

MOONFOLD_API const MoonfoldChar* GetPluginAuthor() { return ToHost(u"Moonfold developers"); }
