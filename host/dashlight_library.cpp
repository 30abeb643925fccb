// The stand-in host's library: holds the loaded configuration and answers
// ReadConfigString from it.
#include <cstdio>
#include <exception>
#include <string>

#include "common/utf8.h"
#include "host/dashlight.h"
#include "host/ini_config.h"

namespace {

dashlight::IniConfig g_config;
std::string g_last_error;

const char16_t* FromHost(const DashlightChar* text) {
  return reinterpret_cast<const char16_t*>(text);
}

const DashlightChar* ToHost(const char16_t* text) {
  return reinterpret_cast<const DashlightChar*>(text);
}

// `path` is UTF-8, on Windows too.
bool ReadFile(const char* path, std::string& contents) {
#if defined(_WIN32)
  const std::u16string wide = moonfold::Utf16FromUtf8(path);
  std::FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"rb");
#else
  std::FILE* file = std::fopen(path, "rb");
#endif
  if (file == nullptr) return false;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

std::int32_t Load(const std::string& text) {
  dashlight::IniConfig parsed;
  if (!dashlight::IniConfig::Parse(text, parsed, g_last_error)) return -1;
  g_config = std::move(parsed);
  return static_cast<std::int32_t>(g_config.Sections().size());
}

}  // namespace

DASHLIGHT_API const DashlightChar* ReadConfigString(const DashlightChar* section,
                                                    const DashlightChar* key,
                                                    const DashlightChar* default_value) {
  if (section == nullptr || key == nullptr) return default_value;
  try {
    const std::u16string* value = g_config.Find(FromHost(section), FromHost(key));
    return value != nullptr ? ToHost(value->c_str()) : default_value;
  } catch (...) {
    return default_value;
  }
}

DASHLIGHT_API std::int32_t DashlightLoadConfig(const char* path) {
  try {
    std::string text;
    if (path == nullptr || !ReadFile(path, text)) {
      g_last_error = std::string("cannot read ") + (path != nullptr ? path : "(null)");
      return -1;
    }
    return Load(text);
  } catch (const std::exception& e) {
    g_last_error = e.what();
    return -1;
  }
}

DASHLIGHT_API std::int32_t DashlightLoadConfigText(const char* text) {
  try {
    return Load(text != nullptr ? text : "");
  } catch (const std::exception& e) {
    g_last_error = e.what();
    return -1;
  }
}

DASHLIGHT_API const DashlightChar* DashlightSectionName(std::uint32_t index) {
  const auto& sections = g_config.Sections();
  return index < sections.size() ? ToHost(sections[index].name.c_str()) : nullptr;
}

DASHLIGHT_API const char* DashlightLastError() { return g_last_error.c_str(); }
