// What the keywords of the command and the library name: the Gregorian
// date (DATE), or one of the kinds of text, in the order of the listing,
// the JSON object and the help.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "facts/day_facts.h"
#include "texts/kinds.h"

namespace moonfold {

struct Field {
  std::optional<TextKind> kind;  // none: DATE
  std::string Name() const;
  std::string_view Meaning() const;  // what it shows, as the manual lists it
  friend bool operator==(const Field&, const Field&) = default;
};

// Every field, DATE first.
std::vector<Field> AllFields();

// Their names, space-separated.
std::string KeywordList();

// The field a keyword names, whatever the case of its letters.
std::optional<Field> FieldOf(std::string_view keyword);

// A text without blanks (spaces, tabs) at either end.
std::u16string_view TrimBlanks(std::u16string_view text);

// A field's text for machine and human output alike: no blank at either end.
std::string FieldText(const Field& field, const DayFacts& facts, Script script);

}  // namespace moonfold
