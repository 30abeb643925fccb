#include "cli/text_stream.h"

#include <algorithm>

#include "common/utf8.h"

namespace moonfold::cli {

std::optional<std::string> WriteText(TextStream& stream, std::string_view utf8) {
  bool written = true;
  if (stream.IsConsole()) {
    const std::u16string wide = Utf16FromUtf8(utf8);
    for (std::size_t at = 0; written && at < wide.size();) {
      std::size_t size = std::min(kConsoleChunk, wide.size() - at);
      // A high surrogate at the end of a piece goes with its pair.
      if (at + size < wide.size() && wide[at + size - 1] >= 0xD800 &&
          wide[at + size - 1] <= 0xDBFF) {
        --size;
      }
      written = stream.WriteUtf16(std::u16string_view(wide).substr(at, size));
      at += size;
    }
  } else if (!utf8.empty()) {
    written = stream.WriteBytes(utf8);
  }
  written = written && stream.Flush();
  if (!written) return stream.Reason();
  return std::nullopt;
}

}  // namespace moonfold::cli
