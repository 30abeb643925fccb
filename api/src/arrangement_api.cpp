// Holiday files through the C interface: the command's own reader.
#include <new>
#include <string>

#include "boundary.h"
#include "input/shown.h"
#include "input/text_file.h"

namespace {

using namespace moonfold;
using namespace moonfold::boundary;

// The reason into the caller's buffer, if it gave one.
void Refuse(std::string_view why, char* error, std::size_t size) {
  WriteText(why, error, error == nullptr ? 0 : size);
}

moonfold_arrangement_t* Made(std::string_view name, std::string_view text, char* error,
                             std::size_t size) {
  auto read = ReadHolidayFile(name, text, kBuiltInArrangement);
  if (const auto* why = std::get_if<std::string>(&read)) {
    Refuse(*why, error, size);
    return nullptr;
  }
  return new moonfold_arrangement{std::move(std::get<OwnedArrangement>(read))};
}

}  // namespace

extern "C" moonfold_arrangement_t* moonfold_arrangement_read(const char* name, const char* text,
                                                             size_t length, char* error,
                                                             size_t size) {
  try {
    if (name == nullptr || (text == nullptr && length > 0)) {
      Refuse(moonfold_strerror(MOONFOLD_ERROR_NULL), error, size);
      return nullptr;
    }
    if (length > kMaxTextFileBytes) {
      Refuse(Shown(name) + " — " + TooLargeReason(kMaxTextFileBytes), error, size);
      return nullptr;
    }
    return Made(name, std::string_view(text == nullptr ? "" : text, length), error, size);
  } catch (...) {
    Refuse(moonfold_strerror(MOONFOLD_ERROR_MEMORY), error, size);
    return nullptr;
  }
}

extern "C" moonfold_arrangement_t* moonfold_arrangement_open(const char* path, char* error,
                                                             size_t size) {
  try {
    if (path == nullptr) {
      Refuse(moonfold_strerror(MOONFOLD_ERROR_NULL), error, size);
      return nullptr;
    }
    const FileText file = ReadTextFile(path);
    if (!file.read) {
      Refuse(Shown(path) + " — " + file.text, error, size);
      return nullptr;
    }
    return Made(path, file.text, error, size);
  } catch (...) {
    Refuse(moonfold_strerror(MOONFOLD_ERROR_MEMORY), error, size);
    return nullptr;
  }
}

extern "C" int moonfold_arrangement_warnings(const moonfold_arrangement_t* arrangement,
                                             char* buffer, size_t size) {
  if (arrangement == nullptr) return MOONFOLD_ERROR_NULL;
  try {
    std::string lines;
    for (const std::string& warning : arrangement->owned.warnings) lines += warning + "\n";
    return WriteText(lines, buffer, size);
  } catch (...) {
    return MOONFOLD_ERROR_MEMORY;
  }
}

extern "C" void moonfold_arrangement_close(moonfold_arrangement_t* arrangement) {
  delete arrangement;
}
