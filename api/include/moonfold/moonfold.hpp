// Moonfold's C++20 interface: the traditional Chinese calendar with
// std::chrono types, as thin inline functions over the C interface
// (moonfold/moonfold.h).  It compiles no table, no arrangement and no
// layout of the library's own into a program: a library rebuilt with new
// holiday notices changes the answers of a program built against it
// without rebuilding the program.  find_package(Moonfold 1) and link
// Moonfold::moonfold, or pkg-config moonfold.
//
// Every function may be called from any thread at once, and none throws
// but std::bad_alloc.  A time is local wall time to the minute, read as
// Beijing time (UTC+8), the time the calendar is reckoned in.
#pragma once

#include <chrono>
#include <cstddef>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "moonfold/moonfold.h"

namespace moonfold {
// Versioned names: a program built against this layer links its own
// inline copies, which never meet another version's.
inline namespace v1 {

using BeijingTime = std::chrono::local_time<std::chrono::minutes>;

enum class Script { kSimplified = MOONFOLD_SCRIPT_SIMPLIFIED, kTraditional };

// A lunar date: the lunar year (it begins at the lunar new year), the month
// 1..12 (a leap month carries the number of the month before it), the day
// 1..30, and whether it is the leap month.
struct LunarDate {
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
  bool leap = false;
  friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// A failure: its MOONFOLD_ERROR_ code and what it means.
struct Error {
  int code = 0;
  std::string message;
};

// A value, or the error that came instead.
template <typename T>
class Expected {
 public:
  Expected(T value) : state_(std::move(value)) {}
  Expected(Error error) : state_(std::move(error)) {}
  explicit operator bool() const noexcept { return state_.index() == 0; }
  T& operator*() { return std::get<0>(state_); }
  const T& operator*() const { return std::get<0>(state_); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

namespace detail {

inline Error ErrorOf(int code) { return {code, moonfold_strerror(code)}; }

// A text the C interface writes: read into a buffer on the stack, and
// again into one of the right size when it is longer.
template <typename Write>
std::optional<std::string> TextOf(Write write) {
  char small[256];
  const int n = write(small, sizeof small);
  if (n == MOONFOLD_ERROR_MEMORY) throw std::bad_alloc();
  if (n < 0) return std::nullopt;
  if (static_cast<std::size_t>(n) < sizeof small)
    return std::string(small, static_cast<std::size_t>(n));
  std::string text(static_cast<std::size_t>(n) + 1, '\0');
  if (write(text.data(), text.size()) != n) throw std::bad_alloc();
  text.resize(static_cast<std::size_t>(n));
  return text;
}

// UTF-8 (as the C interface writes it) as UTF-16.
inline std::u16string Utf16Of(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? byte : byte & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
      c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    i += length;
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

inline std::chrono::sys_days DayOf(const moonfold_date& d) {
  using namespace std::chrono;
  return sys_days{year{d.year} / month{static_cast<unsigned>(d.month)} /
                  day{static_cast<unsigned>(d.day)}};
}

inline BeijingTime TimeOf(const moonfold_moment& m) {
  using namespace std::chrono;
  return local_days{year{m.year} / month{static_cast<unsigned>(m.month)} /
                    day{static_cast<unsigned>(m.day)}} +
         hours{m.hour} + minutes{m.minute};
}

inline LunarDate LunarOf(const moonfold_lunar_date& l) {
  return {l.year, static_cast<unsigned>(l.month), static_cast<unsigned>(l.day), l.leap != 0};
}

inline std::chrono::year_month_day YmdOf(std::chrono::sys_days day) {
  return std::chrono::year_month_day{day};
}

}  // namespace detail

// A file of holiday arrangements read over the built-in one: each year the
// file holds replaces that year.  Owns its handle; movable, not copyable.
class Arrangement {
 public:
  // The file at `path`, or why it is refused ("PATH:LINE — reason").
  static Expected<Arrangement> Open(const std::string& path) {
    char why[512] = "";
    moonfold_arrangement_t* handle = moonfold_arrangement_open(path.c_str(), why, sizeof why);
    if (handle == nullptr) return Error{MOONFOLD_ERROR_FILE, why};
    return Arrangement(handle);
  }
  // The same from a file's text, named `name` in messages.
  static Expected<Arrangement> Read(const std::string& name, std::string_view text) {
    char why[512] = "";
    moonfold_arrangement_t* handle =
        moonfold_arrangement_read(name.c_str(), text.data(), text.size(), why, sizeof why);
    if (handle == nullptr) return Error{MOONFOLD_ERROR_FILE, why};
    return Arrangement(handle);
  }
  Arrangement(Arrangement&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Arrangement& operator=(Arrangement&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  Arrangement(const Arrangement&) = delete;
  Arrangement& operator=(const Arrangement&) = delete;
  ~Arrangement() { moonfold_arrangement_close(handle_); }

  // What the reader kept but a user should hear of, a line each.
  std::string Warnings() const {
    return detail::TextOf(
               [&](char* b, std::size_t n) { return moonfold_arrangement_warnings(handle_, b, n); })
        .value_or(std::string());
  }
  const moonfold_arrangement_t* handle() const noexcept { return handle_; }

 private:
  explicit Arrangement(moonfold_arrangement_t* handle) noexcept : handle_(handle) {}
  moonfold_arrangement_t* handle_ = nullptr;
};

inline const moonfold_arrangement_t* HandleOf(const Arrangement* arrangement) noexcept {
  return arrangement == nullptr ? nullptr : arrangement->handle();
}

// Every fact of a moment, as the C interface gives them (raw()), with the
// most used in std::chrono types.  The ids name themselves through Name().
class Facts {
 public:
  const moonfold_facts_t& raw() const noexcept { return raw_; }
  BeijingTime time() const { return detail::TimeOf(raw_.time); }
  std::chrono::sys_days day() const {
    return detail::DayOf({raw_.time.year, raw_.time.month, raw_.time.day});
  }
  std::chrono::weekday weekday() const {
    return std::chrono::weekday{static_cast<unsigned>(raw_.weekday)};
  }
  LunarDate lunar() const { return detail::LunarOf(raw_.lunar); }
  // The solar term of the day (0 = 小寒 .. 23 = 冬至) and its instant.
  std::optional<unsigned> solar_term() const {
    if (raw_.solar_term < 0) return std::nullopt;
    return static_cast<unsigned>(raw_.solar_term);
  }
  std::optional<BeijingTime> solar_term_time() const {
    if (raw_.solar_term < 0) return std::nullopt;
    return detail::TimeOf(raw_.solar_term_time);
  }
  // The next term after the day and its instant.
  std::optional<unsigned> next_term() const {
    if (raw_.next_term < 0) return std::nullopt;
    return static_cast<unsigned>(raw_.next_term);
  }
  std::optional<BeijingTime> next_term_time() const {
    if (raw_.next_term < 0) return std::nullopt;
    return detail::TimeOf(raw_.next_term_time);
  }
  // Whether the day is worked: nothing for a year no notice has announced.
  std::optional<bool> working_day() const {
    switch (raw_.official) {
      case MOONFOLD_DAY_OFF: return false;
      case MOONFOLD_DAY_MAKE_UP: return true;
      case MOONFOLD_DAY_ORDINARY: return raw_.weekday >= 1 && raw_.weekday <= 5;
      default: return std::nullopt;
    }
  }
  std::optional<BeijingTime> moon_time() const {
    if (raw_.moon_has_time == 0) return std::nullopt;
    return detail::TimeOf(raw_.moon_time);
  }
  // The years as people wrote them, from a library of 1.2 or later: the
  // reign era (MOONFOLD_NAME_ERA) and year of the lunar year, to lunar
  // 1911; the Republic's year of the Gregorian year, from 1912.
  struct EraYear {
    int era, year;
  };
  std::optional<EraYear> reign_year() const {
    if (!since_1_2_ || raw_.era < 0) return std::nullopt;
    return EraYear{raw_.era, raw_.era_year};
  }
  std::optional<int> republic_year() const {
    if (!since_1_2_ || raw_.republic_year < 1) return std::nullopt;
    return raw_.republic_year;
  }
  // How the minute of solar_term_time() is known (MOONFOLD_MINUTE_*).
  std::optional<int> solar_term_minute() const {
    if (!since_1_2_ || raw_.solar_term < 0) return std::nullopt;
    return raw_.solar_term_minute;
  }
  const moonfold_arrangement_t* arrangement() const noexcept { return arrangement_; }

 private:
  friend std::optional<Facts> FactsOf(BeijingTime time, const Arrangement* arrangement);
  moonfold_facts_t raw_{};
  bool since_1_2_ = false;  // the library fills the fields of 1.2
  const moonfold_arrangement_t* arrangement_ = nullptr;
};

// The lunar date of a Gregorian day of the range; nothing outside it.
inline std::optional<LunarDate> ToLunar(std::chrono::sys_days day) {
  const auto ymd = detail::YmdOf(day);
  moonfold_lunar_date lunar{};
  if (moonfold_to_lunar(static_cast<int>(ymd.year()), static_cast<int>(unsigned{ymd.month()}),
                        static_cast<int>(unsigned{ymd.day()}), &lunar) != MOONFOLD_OK) {
    return std::nullopt;
  }
  return detail::LunarOf(lunar);
}

// The Gregorian day of a lunar date; nothing for a date the lunar year
// lacks (lunar 2024 has no leap 4th month) or a day outside the range.
inline std::optional<std::chrono::sys_days> FromLunar(const LunarDate& date) {
  if (date.month > 12 || date.day > 30) return std::nullopt;
  const moonfold_lunar_date lunar{date.year, static_cast<int>(date.month),
                                  static_cast<int>(date.day), date.leap ? 1 : 0};
  moonfold_date out{};
  if (moonfold_from_lunar(&lunar, &out.year, &out.month, &out.day) != MOONFOLD_OK) {
    return std::nullopt;
  }
  return detail::DayOf(out);
}

// Every fact of a local wall time of the range, the official days by the
// built-in arrangement or by `arrangement` (which must outlive the facts'
// texts); nothing outside the range.
inline std::optional<Facts> FactsOf(BeijingTime time, const Arrangement* arrangement) {
  using namespace std::chrono;
  const local_days midnight = floor<days>(time);
  const year_month_day ymd{sys_days{midnight.time_since_epoch()}};
  const hh_mm_ss clock{time - midnight};
  Facts facts;
  facts.raw_.size = sizeof facts.raw_;
  facts.arrangement_ = HandleOf(arrangement);
  facts.since_1_2_ = moonfold_version_number() >= 1002000;
  if (moonfold_facts_with(static_cast<int>(ymd.year()), static_cast<int>(unsigned{ymd.month()}),
                          static_cast<int>(unsigned{ymd.day()}),
                          static_cast<int>(clock.hours().count()),
                          static_cast<int>(clock.minutes().count()), facts.arrangement_,
                          &facts.raw_) != MOONFOLD_OK) {
    return std::nullopt;
  }
  return facts;
}
inline std::optional<Facts> FactsOf(BeijingTime time) { return FactsOf(time, nullptr); }
inline std::optional<Facts> FactsOf(BeijingTime time, const Arrangement& arrangement) {
  return FactsOf(time, &arrangement);
}

// The text of a keyword (DATE, LUNARDAY, HEYEAR, SOLAR, PILLARS … whatever
// the case of its letters) for the facts of a moment, in a script: UTF-8,
// or UTF-16.  Nothing for a word that is no keyword; an empty text where
// the day has none (no solar term, no festival).
inline std::optional<std::string> KeywordTextUtf8(std::string_view keyword, const Facts& facts,
                                                  Script script) {
  const std::string word(keyword);
  const moonfold_moment& t = facts.raw().time;
  return detail::TextOf([&](char* b, std::size_t n) {
    return moonfold_text_with(word.c_str(), t.year, t.month, t.day, t.hour, t.minute,
                              static_cast<int>(script), facts.arrangement(), b, n);
  });
}
inline std::optional<std::u16string> KeywordText(std::string_view keyword, const Facts& facts,
                                                 Script script) {
  const auto text = KeywordTextUtf8(keyword, facts, script);
  if (!text) return std::nullopt;
  return detail::Utf16Of(*text);
}

// The name of an id the facts or events carry, of a kind of name
// (MOONFOLD_NAME_*); nothing for an id the kind lacks.
inline std::optional<std::string> Name(int kind, int id, Script script) {
  return detail::TextOf([&](char* b, std::size_t n) {
    return moonfold_name(kind, id, static_cast<int>(script), b, n);
  });
}

// A dated event of moonfold_events, with its day and instant as std::chrono
// types.
struct Event {
  moonfold_event_t raw{};
  std::chrono::sys_days day() const { return detail::DayOf(raw.date); }
  std::optional<BeijingTime> time() const {
    if (raw.has_time == 0) return std::nullopt;
    return detail::TimeOf(raw.time);
  }
};

// The events of Gregorian years first_year..last_year of the kinds asked
// for (MOONFOLD_EVENT_ bits), in date order, or the error.
inline Expected<std::vector<Event>> Events(int first_year, int last_year,
                                           unsigned kinds = MOONFOLD_EVENT_DEFAULT,
                                           const Arrangement* arrangement = nullptr) {
  const int count =
      moonfold_events_with(first_year, last_year, kinds, HandleOf(arrangement), nullptr, 0);
  if (count == MOONFOLD_ERROR_MEMORY) throw std::bad_alloc();
  if (count < 0) return detail::ErrorOf(count);
  std::vector<moonfold_event_t> raw(static_cast<std::size_t>(count));
  if (!raw.empty()) {
    raw[0].size = sizeof raw[0];
    const int again = moonfold_events_with(first_year, last_year, kinds, HandleOf(arrangement),
                                           raw.data(), raw.size());
    if (again != count) throw std::bad_alloc();
  }
  std::vector<Event> events;
  events.reserve(raw.size());
  for (const moonfold_event_t& e : raw) events.push_back({e});
  return events;
}

// Whether a day is worked in China: false on an official day off, or the
// error (MOONFOLD_ERROR_UNANNOUNCED for a year no notice has announced).
inline Expected<bool> IsWorkingDay(std::chrono::sys_days day,
                                   const Arrangement* arrangement = nullptr) {
  const auto ymd = detail::YmdOf(day);
  const int result =
      moonfold_workday(static_cast<int>(ymd.year()), static_cast<int>(unsigned{ymd.month()}),
                       static_cast<int>(unsigned{ymd.day()}), HandleOf(arrangement));
  if (result < 0) return detail::ErrorOf(result);
  return result == 0;
}

// The calendar's first and last day.
inline std::pair<std::chrono::sys_days, std::chrono::sys_days> Range() {
  moonfold_date first{}, last{};
  moonfold_range(&first, &last);
  return {detail::DayOf(first), detail::DayOf(last)};
}

// The library's version, "major.minor.patch" (the header's is
// MOONFOLD_VERSION_NUMBER).
inline const char* Version() noexcept { return moonfold_version(); }

}  // namespace v1
}  // namespace moonfold
