// The one plug-in state of the process, bound to the platform the library
// was built for.  Built when the library is loaded, before any export runs.
#pragma once

#include "plugin/moonfold_plugin.h"

namespace moonfold {

MoonfoldPlugin& ProcessPlugin() noexcept;

}  // namespace moonfold
