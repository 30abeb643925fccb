// The platform of Moonfold.dll: the Windows clock, the host's configuration
// through Dashlight.dll, and message boxes.
#include <windows.h>

#include "common/dashlight_api.h"
#include "common/local_clock.h"
#include "plugin/messages.h"
#include "plugin/process_plugin.h"

namespace moonfold {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

const wchar_t* Wide(const char16_t* text) noexcept {
  return reinterpret_cast<const wchar_t*>(text);
}

class WindowsPlatform final : public PluginPlatform {
 public:
  LocalDateRecord ReadLocalClock() override { return ReadSystemLocalClock(); }

  const char16_t* ReadConfigString(const char16_t* section, const char16_t* key,
                                   const char16_t* default_value) override {
    return reinterpret_cast<const char16_t*>(
        ::ReadConfigString(Wide(section), Wide(key), Wide(default_value)));
  }

  void ShowMessage(const char16_t* text) override {
    MessageBoxW(nullptr, Wide(text), Wide(kMessageCaption), kMessageBoxType);
  }
};

constinit WindowsPlatform g_platform;
MoonfoldPlugin g_plugin{g_platform};

}  // namespace

MoonfoldPlugin& ProcessPlugin() noexcept { return g_plugin; }

}  // namespace moonfold
