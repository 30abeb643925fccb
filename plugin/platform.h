// What the plug-in needs from the machine and the host.  The shipped
// libraries bind it to GetLocalTime, MessageBoxW and the host's
// ReadConfigString; the tests bind it to a fake clock, a fake configuration
// and a list of recorded messages, and so drive the same code that ships.
#pragma once

#include "common/local_date_record.h"

namespace moonfold {

class PluginPlatform {
 public:
  virtual ~PluginPlatform() = default;

  // The local date and time.
  virtual LocalDateRecord ReadLocalClock() = 0;

  // One option of a section of the host's configuration, or null.  The text
  // belongs to the host and is read only until the next call into it.
  virtual const char16_t* ReadConfigString(const char16_t* section, const char16_t* key,
                                           const char16_t* default_value) = 0;

  // Tells the user of a problem (NUL-terminated text); returns once the user
  // has seen it.
  virtual void ShowMessage(const char16_t* text) = 0;
};

}  // namespace moonfold
