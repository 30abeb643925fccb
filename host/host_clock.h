// The clock the stand-in host runs by.  Normally the machine's; for test
// runs of `dashlight --updates`, a clock of the host's own that starts at a
// given local time and moves on by the update interval at every cycle, so
// that a day's turn or a double hour can be watched in a second.  The
// plug-in knows nothing of it: the host puts it where the plug-in reads
// the clock (the import of GetLocalTime in Moonfold.dll; the C library's
// timespec_get, which the dashlight program overrides, for libMoonfold.so).
#pragma once

#include <string>

namespace dashlight {

// Starts the host's own clock at `start`, local time "YYYY-MM-DDTHH:MM" or
// "YYYY-MM-DDTHH:MM:SS"; false for text of another form.
bool StartOwnClock(const std::string& start);
bool OwnClockRunning() noexcept;
void AdvanceOwnClock(long long seconds) noexcept;

// Seconds since 1970-01-01 00:00 on the host's own clock, read as UTC
// (the host runs in UTC while its own clock runs, so local time and UTC
// agree).
long long OwnClockSeconds() noexcept;

// Gives a loaded plug-in the host's own clock; false when it has no clock
// import to replace.  `module` is the library's handle.
bool GiveOwnClock(void* module);

// The local time now, on whichever clock runs: "YYYY-MM-DD HH:MM:SS".
std::string LocalTimeText();

}  // namespace dashlight
