#include "input/keywords.h"

#include "common/utf8.h"
#include "input/dates.h"

namespace moonfold {

std::string Field::Name() const {
  return kind ? Utf8FromUtf16(kind->Row().keyword) : std::string("DATE");
}

std::string_view Field::Meaning() const {
  return kind ? kind->Row().meaning : "the Gregorian date, YYYY-MM-DD";
}

std::vector<Field> AllFields() {
  std::vector<Field> fields{Field{}};
  for (std::uint8_t k = 0; k < kTextKindCount; ++k) fields.push_back({TextKind{k}});
  return fields;
}

std::string KeywordList() {
  std::string list;
  for (const Field& field : AllFields()) list += (list.empty() ? "" : " ") + field.Name();
  return list;
}

std::optional<Field> FieldOf(std::string_view keyword) {
  const std::u16string wide = Utf16FromUtf8(keyword);
  if (EqualsIgnoringAsciiCase(u"DATE", wide)) return Field{};
  if (const auto kind = KindOfKeyword(wide)) return Field{*kind};
  return std::nullopt;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  const auto first = text.find_first_not_of(u" \t");
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

std::string FieldText(const Field& field, const DayFacts& facts, Script script) {
  if (!field.kind) return IsoDate(facts.date);
  return Utf8FromUtf16(TrimBlanks(KindText(*field.kind, facts, script)));
}

}  // namespace moonfold
