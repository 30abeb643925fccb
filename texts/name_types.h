// A name as the tables hold it: UTF-16 text in a table of constants.
#pragma once

#include <string_view>

namespace moonfold::texts {

using Name = std::u16string_view;

}  // namespace moonfold::texts
