// The services of Moonfold's stand-in for the Dashlight host, exported by
// Dashlight.dll (libDashlight.so on Linux): the configuration service every
// plug-in calls (common/dashlight_api.h), and the host's own calls.
#pragma once

#include <cstdint>

#include "common/dashlight_api.h"

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
