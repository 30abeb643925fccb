// What is made from the option and keyword tables when the command is
// built: the manual page's synopsis, options and keywords, and the bash
// completion.  They never drift from the table, for nothing else writes
// them.
#pragma once

#include <string>
#include <string_view>

namespace moonfold::cli {

// The manual page: `page` (cli/moonfold.1.in, its prose) with @SYNOPSIS@,
// @OPTIONS@, @KEYWORDS@ and @RANGE@ filled from the tables.
std::string ManualPage(std::string_view page);

// The bash completion of every option, every value list and every keyword.
std::string CompletionScript();

}  // namespace moonfold::cli
