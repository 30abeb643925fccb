// The machine's local date and time, as the Windows clock reports it.
#pragma once

#include "common/local_date_record.h"

namespace moonfold {

// GetLocalTime on Windows; the C library's local time elsewhere.
LocalDateRecord ReadSystemLocalClock() noexcept;

// The machine's local wall time at an instant (seconds since 1970-01-01
// UTC), by its time zone's rules for that day; false where the C library
// cannot say.
bool LocalTimeAt(long long unix_seconds, LocalDateRecord& out) noexcept;

}  // namespace moonfold
