// The machine's local date and time, as the Windows clock reports it.
#pragma once

#include "common/local_date_record.h"

namespace moonfold {

// GetLocalTime on Windows; the C library's local time elsewhere.
LocalDateRecord ReadSystemLocalClock() noexcept;

}  // namespace moonfold
