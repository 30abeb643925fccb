// The moonfold command: today's calendar texts in a terminal, a script or a
// status bar.  It runs the plug-in itself (the same Initialize and GetString
// a host calls), with the clock or a given date and each keyword in turn.
#pragma once

#include <string>
#include <vector>

#include "plugin/local_date_record.h"

namespace moonfold::cli {

struct Environment {
  LocalDateRecord now;               // the clock, unless --date is given
  bool output_is_terminal = false;   // highlight today in --month
};

struct Result {
  int exit_code = 0;
  std::string out;  // UTF-8
  std::string err;  // UTF-8
};

// Runs the command with its arguments (without the program name).
Result Run(const std::vector<std::string>& args, const Environment& environment);

// Columns a text takes in a terminal: two for East Asian wide characters.
int DisplayWidth(const std::u16string& text);

}  // namespace moonfold::cli
