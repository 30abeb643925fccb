// The fourteen texts of a day, one per keyword: the one place where a kind
// of text is mapped to what it shows.  The plug-in, the command and the
// benchmark all format a day's facts through it.
#pragma once

#include <string>

#include "festivals/day_facts.h"
#include "plugin/keywords.h"

namespace moonfold {

// The text of `kind` for the day, exactly as the plug-in shows it (a
// last-week festival keeps its trailing space there).
std::u16string KindText(InstanceKind kind, const DayFacts& facts);

}  // namespace moonfold
