// The two messages the plug-in shows the user, caption "Dashlight".
#pragma once

#include <string>
#include <string_view>

namespace moonfold {

inline constexpr char16_t kMessageCaption[] = u"Dashlight";
// MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST: the box stays above other windows.
inline constexpr unsigned kMessageBoxType = 0x40030;

// The machine's clock is outside the years the tables know (1990..2050).
inline constexpr char16_t kDateMessage[] = u"Moonfold=  [本机日期不正确]";

// The option value names no keyword; value and section appear as given.
std::u16string KeywordMessage(std::u16string_view value, std::u16string_view section);

// The Script option names no script (Hans or Hant), in the keyword
// message's form.
std::u16string ScriptMessage(std::u16string_view value, std::u16string_view section);

}  // namespace moonfold
