// The platform of libMoonfold.so: the local clock of the C library, the
// host's configuration through libDashlight.so, and messages on standard
// error in place of message boxes.
#include <cstdio>
#include <ctime>
#include <string>

#include "host/dashlight.h"
#include "plugin/messages.h"
#include "plugin/process_plugin.h"
#include "plugin/utf8.h"

namespace moonfold {
namespace {

class PosixPlatform final : public PluginPlatform {
 public:
  LocalDateRecord ReadLocalClock() override {
    timespec now{};
    std::timespec_get(&now, TIME_UTC);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    LocalDateRecord record;
    record.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    record.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    record.day_of_week = static_cast<std::uint16_t>(local.tm_wday);
    record.day = static_cast<std::uint16_t>(local.tm_mday);
    record.hour = static_cast<std::uint16_t>(local.tm_hour);
    record.minute = static_cast<std::uint16_t>(local.tm_min);
    record.second = static_cast<std::uint16_t>(local.tm_sec);
    record.milliseconds = static_cast<std::uint16_t>(now.tv_nsec / 1'000'000);
    return record;
  }

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
