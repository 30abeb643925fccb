// The one service of the Dashlight host that a plug-in calls: reading its
// configuration.  Text is UTF-16: wchar_t on Windows, char16_t elsewhere.
// Dashlight.dll (libDashlight.so on Linux) exports it; the plug-in and the
// stand-in host both take it from here.
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
