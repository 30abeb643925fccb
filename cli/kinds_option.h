// The kinds of event a listing is asked for: --kinds, and --gregorian.
#pragma once

#include <variant>

#include "cli/options.h"
#include "facts/events.h"

namespace moonfold::cli {

// The kinds of --kinds (a comma-separated list, in any case), else the
// default ones, with the Gregorian festivals of --gregorian; or the
// refusal of a word that is no kind.
std::variant<EventKinds, Result> KindsOf(const Request& r);

}  // namespace moonfold::cli
