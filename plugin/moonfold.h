// The six functions that Moonfold exports to its host, under undecorated
// names with the C calling convention.  Text is UTF-16: wchar_t on Windows,
// char16_t elsewhere.  The host calls them one at a time from one thread.
#pragma once

#include <cstdint>

#if defined(_WIN32)
using MoonfoldChar = wchar_t;
#define MOONFOLD_API extern "C" __cdecl
#else
using MoonfoldChar = char16_t;
#define MOONFOLD_API extern "C" __attribute__((visibility("default")))
#endif

static_assert(sizeof(MoonfoldChar) == 2, "Moonfold's text is UTF-16");

// Sets up instance `id`, whose configuration section is `section` (a
// NUL-terminated name owned by the host; null is read as the empty name).
// Reads the clock and the section's "Moonfold" option and builds the text
// that the option's keyword names.  Shows a message box when the clock lies
// outside 1990..2050 or the option names no keyword.  The first two
// arguments are not read.  Always returns 0.
MOONFOLD_API std::uint32_t Initialize(void* reserved1, void* reserved2, const MoonfoldChar* section,
                                      std::uint32_t id);

// The text of instance `id`: a NUL-terminated string owned by the plug-in,
// valid until that kind's text is next rebuilt — by an Initialize of an
// instance of the same kind (for SOLAR, of any instance on a new day), or by
// an Update2 that finds the day (for HEHOUR, the double hour) changed — or
// until the library is unloaded.  Null for an id that was never set up.
// Arguments after the id are not read.  Reads no clock, allocates nothing.
MOONFOLD_API const MoonfoldChar* GetString(std::uint32_t id);

// Called by the host for instance `id` on every update cycle: reads the
// clock once and, when the day (for HEHOUR, the double hour) has changed
// since the instance's text was built, rebuilds it and every other text in
// use that is out of date.  Reads no configuration, shows no message, and a
// clock outside 1990..2050 changes nothing.  Returns 0.0 for every id.
// Arguments after the id are not read.
MOONFOLD_API double Update2(std::uint32_t id);

// Does nothing: an instance's text stays available until unload.
MOONFOLD_API void Finalize();

// The plug-in's version: major * 1000 + minor * 100 + patch (1100 for 1.1.0).
MOONFOLD_API std::uint32_t GetPluginVersion();

// The author credit, a constant NUL-terminated string.
MOONFOLD_API const MoonfoldChar* GetPluginAuthor();
