// A user's text file, read whole but bounded: a file of holiday
// arrangements is a few kilobytes, so anything far larger, or anything
// that is not a regular file (a FIFO with no writer, a device such as
// /dev/zero, a folder), is refused at once by name rather than read
// without end.
#pragma once

#include <cstddef>
#include <string>

namespace moonfold {

// The most a holiday file may hold: 4 MiB, some thousand times a century
// of notices.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{4} << 20;

// "is larger than 4 MiB": the reason a text over the bound is refused.
std::string TooLargeReason(std::size_t max_bytes);

struct FileText {
  bool read = false;
  // The file's bytes, or why they are not given: "cannot be read: " and
  // the system's reason, "is not a regular file", or "is larger than 4 MiB".
  std::string text;
};

FileText ReadTextFile(const std::string& path, std::size_t max_bytes = kMaxTextFileBytes);

}  // namespace moonfold
