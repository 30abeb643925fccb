#include "plugin/messages.h"

namespace moonfold {

std::u16string KeywordMessage(std::u16string_view value, std::u16string_view section) {
  constexpr std::u16string_view kPrefix = u"Moonfold=";
  constexpr std::u16string_view kInvalid = u" 键值无效 [";
  constexpr std::u16string_view kEnd = u" ].";
  std::u16string text;
  text.reserve(kPrefix.size() + value.size() + kInvalid.size() + section.size() + kEnd.size());
  text += kPrefix;
  text += value;
  text += kInvalid;
  text += section;
  text += kEnd;
  return text;
}

}  // namespace moonfold
