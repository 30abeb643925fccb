// The kinds of day of China's official holiday arrangement, and the rows
// its table is made of (festivals/holiday_data.h, generated).
#pragma once

#include <cstddef>
#include <cstdint>

namespace moonfold {

// The items of the State Council's yearly notices.  Two years joined
// 中秋节 and 国庆节 into one item, and the notice names them in either order.
enum class Holiday : std::uint8_t {
  kNewYear,                  // 元旦
  kSpringFestival,           // 春节
  kQingming,                 // 清明节
  kLabourDay,                // 劳动节
  kDragonBoat,               // 端午节
  kMidAutumn,                // 中秋节
  kNationalDay,              // 国庆节
  kVictoryDay,               // 抗战胜利纪念日 (2015)
  kNationalDayAndMidAutumn,  // 国庆节、中秋节
  kMidAutumnAndNationalDay,  // 中秋节、国庆节
};
inline constexpr std::size_t kHolidayCount =
    static_cast<std::size_t>(Holiday::kMidAutumnAndNationalDay) + 1;

// A holiday's days off in one year's arrangement.
struct HolidaySpan {
  std::int16_t year;  // of the notice; its days may begin in the year before
  Holiday holiday;
  std::int32_t first_off;  // days since 1970-01-01
  std::int32_t last_off;
};

// A weekend day worked in exchange for a holiday's days off.
struct MakeUpDay {
  std::int32_t day;    // days since 1970-01-01
  std::uint16_t span;  // its holiday's row in the table of spans
};

}  // namespace moonfold
