// The command's modes: each a function from the request and what the
// command found around it (the script, the arrangement of days off, the
// clock) to its output, reached through one table.
#pragma once

#include "cli/moonfold_command.h"
#include "cli/options.h"
#include "festivals/official_days.h"
#include "texts/names.h"

namespace moonfold::cli {

struct Context {
  const Request& request;
  const Environment& environment;
  Script script;
  const Arrangement& arrangement;
  bool highlight;  // today in reverse video, in a month grid
};

// The output of the request's mode.
Result RunMode(const Context& context);

}  // namespace moonfold::cli
