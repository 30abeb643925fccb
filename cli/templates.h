// Filling a template of --format: each {KEYWORD} replaced by its text.
#pragma once

#include <string_view>

#include "cli/moonfold_command.h"
#include "facts/day_facts.h"
#include "texts/names.h"

namespace moonfold::cli {

// The refusal of a word that is no keyword, listing the keywords.
Result UnknownKeyword(std::string_view keyword);

// The template with each {KEYWORD} filled, {{ and }} as braces.  With
// `json` each text is escaped as inside a JSON string, for a template that
// is JSON itself.
Result Format(const DayFacts& facts, std::string_view templ, Script script, bool json);

}  // namespace moonfold::cli
