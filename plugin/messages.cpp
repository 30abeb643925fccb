#include "plugin/messages.h"

namespace moonfold {

namespace {

// <option>=<value> 键值无效 [<section> ].
std::u16string InvalidValueMessage(std::u16string_view option, std::u16string_view value,
                                   std::u16string_view section) {
  constexpr std::u16string_view kEquals = u"=";
  constexpr std::u16string_view kInvalid = u" 键值无效 [";
  constexpr std::u16string_view kEnd = u" ].";
  std::u16string text;
  text.reserve(option.size() + 1 + value.size() + kInvalid.size() + section.size() + kEnd.size());
  text += option;
  text += kEquals;
  text += value;
  text += kInvalid;
  text += section;
  text += kEnd;
  return text;
}

}  // namespace

std::u16string KeywordMessage(std::u16string_view value, std::u16string_view section) {
  return InvalidValueMessage(u"Moonfold", value, section);
}

std::u16string ScriptMessage(std::u16string_view value, std::u16string_view section) {
  return InvalidValueMessage(u"Script", value, section);
}

}  // namespace moonfold
