#include "tests/support/fake_platform.h"

#include <chrono>

namespace moonfold::testing {

void FakePlatform::SetClock(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                            std::uint16_t hour, std::uint16_t minute) {
  LocalDateRecord now;
  now.year = year;
  now.month = month;
  now.day = day;
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                         std::chrono::day{day}};
  now.day_of_week = static_cast<std::uint16_t>(
      date.ok() ? std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding() : 0);
  now.hour = hour;
  now.minute = minute;
  now_ = now;
}

void FakePlatform::SetOption(std::u16string section, std::optional<std::u16string> value,
                             std::u16string key) {
  options_[{std::move(section), std::move(key)}] = std::move(value);
}

void FakePlatform::ShowMessage(const char16_t* text) {
  ++message_count_;
  last_message_length_ = std::char_traits<char16_t>::length(text);
  if (recording_) messages_.emplace_back(text);
}

const char16_t* FakePlatform::ReadConfigString(const char16_t* section, const char16_t* key,
                                               const char16_t* default_value) {
  if (recording_) reads_.push_back({section, key, default_value});
  const auto found = options_.find({section, key});
  if (found == options_.end()) return default_value;
  return found->second ? found->second->c_str() : nullptr;
}

}  // namespace moonfold::testing
