// The services of Moonfold's stand-in for the Dashlight host, exported by
// Dashlight.dll (libDashlight.so on Linux).  Text is UTF-16: wchar_t on
// Windows, char16_t elsewhere.
#pragma once

#include <cstdint>

#if defined(_WIN32)
using DashlightChar = wchar_t;
#define DASHLIGHT_API extern "C" __cdecl
#else
using DashlightChar = char16_t;
#define DASHLIGHT_API extern "C" __attribute__((visibility("default")))
#endif

// The value of `key` in `section` of the loaded configuration, or
// `default_value` when the section or key is absent (or either is null).
// The text belongs to the host and stays valid until the configuration is
// loaded again.  Section names are compared exactly, keys without regard to
// the case of A to Z.
DASHLIGHT_API const DashlightChar* ReadConfigString(const DashlightChar* section,
                                                    const DashlightChar* key,
                                                    const DashlightChar* default_value);

// The host's own calls, used by the dashlight program and the tests.

// Reads the configuration file at `path` (a UTF-8 name; UTF-8 text) in place of the one
// loaded before.  Returns the number of sections, or -1 when the file cannot
// be read or parsed; DashlightLastError then says why, and the previous
// configuration stays loaded.
DASHLIGHT_API std::int32_t DashlightLoadConfig(const char* path);

// Parses configuration text (UTF-8) as DashlightLoadConfig parses a file.
DASHLIGHT_API std::int32_t DashlightLoadConfigText(const char* text);

// Name of section `index` (0-based, in file order), or null past the end.
DASHLIGHT_API const DashlightChar* DashlightSectionName(std::uint32_t index);

// Why the last load failed, in English (UTF-8); empty after a success.
DASHLIGHT_API const char* DashlightLastError();
