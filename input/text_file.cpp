#include "input/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace moonfold {
namespace {

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) {
#if defined(_WIN32)
      _close(fd);
#else
      close(fd);
#endif
    }
  }
};

}  // namespace

std::string TooLargeReason(std::size_t max_bytes) {
  return "is larger than " + (max_bytes % (1u << 20) == 0 ? std::to_string(max_bytes >> 20) + " MiB"
                                                          : std::to_string(max_bytes) + " bytes");
}

FileText ReadTextFile(const std::string& path, std::size_t max_bytes) {
  Descriptor file;
#if defined(_WIN32)
  file.fd = _open(path.c_str(), _O_RDONLY | _O_BINARY);
#else
  // Without O_NONBLOCK, opening a FIFO that has no writer waits for one.
  file.fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
  if (file.fd < 0) return {false, "cannot be read: " + std::string(std::strerror(errno))};
  struct stat about {};
  if (fstat(file.fd, &about) != 0)
    return {false, "cannot be read: " + std::string(std::strerror(errno))};
  if ((about.st_mode & S_IFMT) != S_IFREG) return {false, "is not a regular file"};
  if (static_cast<unsigned long long>(about.st_size) > max_bytes) {
    return {false, TooLargeReason(max_bytes)};
  }
  std::string text;
  char buffer[4096];
  for (;;) {
#if defined(_WIN32)
    const int got = _read(file.fd, buffer, sizeof buffer);
#else
    const ssize_t got = read(file.fd, buffer, sizeof buffer);
#endif
    if (got < 0) {
      if (errno == EINTR) continue;
      return {false, "cannot be read: " + std::string(std::strerror(errno))};
    }
    if (got == 0) break;
    // A file that grows while it is read is held to the same bound.
    if (text.size() + static_cast<std::size_t>(got) > max_bytes) {
      return {false, TooLargeReason(max_bytes)};
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return {true, std::move(text)};
}

}  // namespace moonfold
