// How the command's text reaches standard output and standard error.  A
// Windows console takes UTF-16 through WriteConsoleW: UTF-8 bytes would be
// shown in the console's code page, and Chinese as mojibake.  A file, a
// pipe, or a terminal elsewhere takes the UTF-8 bytes as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace moonfold::cli {

class TextStream {
 public:
  virtual ~TextStream() = default;
  virtual bool IsConsole() const = 0;
  // Each returns false on failure, with the system's reason in Reason().
  virtual bool WriteUtf16(std::u16string_view text) = 0;
  virtual bool WriteBytes(std::string_view bytes) = 0;
  virtual bool Flush() = 0;
  virtual std::string Reason() const = 0;
};

// A console takes at most this many UTF-16 units a call.
inline constexpr std::size_t kConsoleChunk = 8192;

// Writes UTF-8 text to the stream and flushes it: to a console in pieces
// of at most kConsoleChunk units that never split a surrogate pair.  The
// reason when it could not be written whole.
std::optional<std::string> WriteText(TextStream& stream, std::string_view utf8);

}  // namespace moonfold::cli
