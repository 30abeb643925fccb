// A year's events and the official days through the C interface.
#include <cstring>

#include "boundary.h"
#include "facts/events.h"

namespace {

using namespace std::chrono;
using namespace moonfold;
using namespace moonfold::boundary;

// The size of the first moonfold_event, which every later one begins with.
constexpr std::size_t kFirstEventSize = offsetof(moonfold_event, last_off) + sizeof(moonfold_date);

// The C bits are the kinds' own, in EventKind's order.
static_assert(MOONFOLD_EVENT_TERM == KindBit(EventKind::kTerm) &&
              MOONFOLD_EVENT_LUNAR == KindBit(EventKind::kLunar) &&
              MOONFOLD_EVENT_GREGORIAN == KindBit(EventKind::kGregorian) &&
              MOONFOLD_EVENT_OFF == KindBit(EventKind::kOff) &&
              MOONFOLD_EVENT_WORK == KindBit(EventKind::kWork) &&
              MOONFOLD_EVENT_MOON == KindBit(EventKind::kMoon) &&
              MOONFOLD_EVENT_ALL == kAllEventKinds && MOONFOLD_EVENT_DEFAULT == kDefaultKinds);

int FestivalNameKind(FestivalTable table) {
  switch (table) {
    case FestivalTable::kFixedDate: return MOONFOLD_NAME_FIXED_FESTIVAL;
    case FestivalTable::kWeekdayRule: return MOONFOLD_NAME_WEEKDAY_FESTIVAL;
    case FestivalTable::kLastWeekday: return MOONFOLD_NAME_LAST_WEEK_FESTIVAL;
    case FestivalTable::kLunar: return MOONFOLD_NAME_LUNAR_FESTIVAL;
  }
  return MOONFOLD_NAME_FIXED_FESTIVAL;
}

moonfold_event EventStruct(const CalendarEvent& e) {
  moonfold_event c{};
  c.size = sizeof c;
  c.kind = static_cast<int>(KindBit(e.kind));
  c.date = DateOf(e.date);
  c.lunar = LunarOf(e.lunar);
  switch (e.kind) {
    case EventKind::kTerm:
      c.name_kind = MOONFOLD_NAME_SOLAR_TERM;
      c.id = static_cast<int>(e.term);
      break;
    case EventKind::kLunar:
    case EventKind::kGregorian:
      c.name_kind = FestivalNameKind(e.festival.table);
      c.id = static_cast<int>(FestivalKey(e.festival));
      break;
    case EventKind::kOff:
    case EventKind::kWork:
      c.name_kind = MOONFOLD_NAME_HOLIDAY;
      c.id = static_cast<int>(e.holiday);
      break;
    case EventKind::kMoon:
      c.name_kind = MOONFOLD_NAME_MOON_PHASE;
      c.id = static_cast<int>(2 * e.quarter);
      break;
  }
  if (e.time) {
    c.has_time = 1;
    c.time = MomentOf(*e.time);
  }
  c.uncertain = e.uncertain ? 1 : 0;
  c.minute = MinuteOf(e.minute);
  if (e.reckoned) {
    c.issued = 1;
    c.reckoned = MomentOf(*e.reckoned);
  }
  if (e.kind == EventKind::kOff) {
    c.first_off = DateOf(year_month_day{e.first_off});
    c.last_off = DateOf(year_month_day{e.last_off});
  }
  return c;
}

}  // namespace

extern "C" int moonfold_events_with(int first_year, int last_year, unsigned kinds,
                                    const moonfold_arrangement_t* arrangement,
                                    moonfold_event_t* events, size_t capacity) {
  if ((kinds & ~kAllEventKinds) != 0) return MOONFOLD_ERROR_KINDS;
  if (events == nullptr && capacity > 0) return MOONFOLD_ERROR_NULL;
  const std::size_t stride = capacity > 0 ? events[0].size : kFirstEventSize;
  if (stride < kFirstEventSize) return MOONFOLD_ERROR_SIZE;
  if (first_year > last_year || last_year < kFirstCalendarYear || first_year > kLastCalendarYear) {
    return MOONFOLD_ERROR_RANGE;
  }
  try {
    const auto found = EventsOf(first_year, last_year, kinds, ArrangementOf(arrangement));
    for (std::size_t i = 0; i < found.size() && i < capacity; ++i) {
      const moonfold_event e = EventStruct(found[i]);
      char* to = reinterpret_cast<char*>(events) + i * stride;
      std::memcpy(to, &stride, sizeof stride);
      CopySized(&e, sizeof e, to, stride, kFirstEventSize);
    }
    return static_cast<int>(found.size());
  } catch (...) {
    return MOONFOLD_ERROR_MEMORY;
  }
}

extern "C" int moonfold_events(int first_year, int last_year, unsigned kinds,
                               moonfold_event_t* events, size_t capacity) {
  return moonfold_events_with(first_year, last_year, kinds, nullptr, events, capacity);
}

extern "C" int moonfold_workday(int year, int month, int day,
                                const moonfold_arrangement_t* arrangement) {
  sys_days date;
  if (const int status = DayOf(year, month, day, date); status != MOONFOLD_OK) return status;
  const auto worked = IsWorkingDay(OfficialDayOf(ArrangementOf(arrangement), date), date);
  if (!worked) return MOONFOLD_ERROR_UNANNOUNCED;
  return *worked ? 0 : 1;
}

extern "C" int moonfold_year_announced(int year, const moonfold_arrangement_t* arrangement) {
  return ArrangementOf(arrangement).years.Has(year) ? 1 : 0;
}
