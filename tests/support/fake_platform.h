// A platform for driving the plug-in in tests: a clock that reads what the
// test sets, a configuration held in memory, and a record of every message.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plugin/platform.h"

namespace moonfold::testing {

class FakePlatform final : public PluginPlatform {
 public:
  // The clock reads `now` until changed.
  void SetClock(LocalDateRecord now) { now_ = now; }
  void SetClock(std::uint16_t year, std::uint16_t month, std::uint16_t day, std::uint16_t hour = 12,
                std::uint16_t minute = 0);

  // The option `key` of `section`; std::nullopt makes ReadConfigString
  // answer null.
  void SetOption(std::u16string section, std::optional<std::u16string> value,
                 std::u16string key = u"Moonfold");

  // With recording off the platform allocates nothing: it counts messages
  // and configuration reads, and keeps no copies of them.
  void SetRecording(bool on) { recording_ = on; }
  int MessageCount() const { return message_count_; }
  std::size_t LastMessageLength() const { return last_message_length_; }

  const std::vector<std::u16string>& Messages() const { return messages_; }

  // The Moonfold option of `section` as set, if it was set.
  const std::optional<std::u16string>* ConfigValue(const std::u16string& section) const {
    const auto found = options_.find({section, u"Moonfold"});
    return found != options_.end() ? &found->second : nullptr;
  }
  void ClearMessages() {
    messages_.clear();
    message_count_ = 0;
  }

  // Every (section, key, default) that the plug-in asked for.
  struct ConfigRead {
    std::u16string section, key, default_value;
  };
  const std::vector<ConfigRead>& ConfigReads() const { return reads_; }
  int ClockReads() const { return clock_reads_; }

  LocalDateRecord ReadLocalClock() override {
    ++clock_reads_;
    return now_;
  }
  const char16_t* ReadConfigString(const char16_t* section, const char16_t* key,
                                   const char16_t* default_value) override;
  void ShowMessage(const char16_t* text) override;

 private:
  LocalDateRecord now_{};
  int clock_reads_ = 0;
  bool recording_ = true;
  int message_count_ = 0;
  std::size_t last_message_length_ = 0;
  std::map<std::pair<std::u16string, std::u16string>, std::optional<std::u16string>> options_;
  std::vector<std::u16string> messages_;
  std::vector<ConfigRead> reads_;
};

}  // namespace moonfold::testing
