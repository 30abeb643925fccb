// The platform of libMoonfold.so: the local clock of the C library, the
// host's configuration through libDashlight.so, and messages on standard
// error in place of message boxes.
#include <cstdio>
#include <string>

#include "common/dashlight_api.h"
#include "common/local_clock.h"
#include "common/utf8.h"
#include "plugin/messages.h"
#include "plugin/process_plugin.h"

namespace moonfold {
namespace {

class PosixPlatform final : public PluginPlatform {
 public:
  LocalDateRecord ReadLocalClock() override { return ReadSystemLocalClock(); }

  const char16_t* ReadConfigString(const char16_t* section, const char16_t* key,
                                   const char16_t* default_value) override {
    return ::ReadConfigString(section, key, default_value);
  }

  void ShowMessage(const char16_t* text) override {
    std::string line = "Dashlight: " + Utf8FromUtf16(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
};

constinit PosixPlatform g_platform;
MoonfoldPlugin g_plugin{g_platform};

}  // namespace

MoonfoldPlugin& ProcessPlugin() noexcept { return g_plugin; }

}  // namespace moonfold
