// dashlight CONFIG: the stand-in host.  Loads the plug-in named by each
// section's Plugin= line, sets up one instance per section (id = the
// section's 1-based position), prints each instance's text as
// "section<TAB>text" in UTF-8 ("(null)" when the plug-in gives none), then
// finalises every instance.
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "host/dashlight.h"
#include "host/plugin_library.h"
#include "plugin/command_line.h"
#include "plugin/utf8.h"

namespace {

std::u16string FromHost(const DashlightChar* text) {
  return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text)) : u"";
}

const DashlightChar* ToHost(const char16_t* text) {
  return reinterpret_cast<const DashlightChar*>(text);
}

void Print(const std::string& line) { std::fwrite(line.data(), 1, line.size(), stdout); }

struct Instance {
  std::u16string section;
  std::uint32_t id;
  const dashlight::PluginEntryPoints* entry;
};

int Run(const std::string& config) {
  const char* config_path = config.c_str();
  const std::int32_t count = DashlightLoadConfig(config_path);
  if (count < 0) {
    std::fprintf(stderr, "dashlight: %s: %s\n", config_path, DashlightLastError());
    return 1;
  }

  int status = 0;
  std::map<std::u16string, std::unique_ptr<dashlight::PluginLibrary>> libraries;
  std::vector<Instance> instances;
  for (std::uint32_t index = 0; index < static_cast<std::uint32_t>(count); ++index) {
    const DashlightChar* section = DashlightSectionName(index);
    const std::u16string plugin = FromHost(ReadConfigString(section, ToHost(u"Plugin"), ToHost(u"")));
    if (plugin.empty()) continue;  // a section without a plug-in is no instance

    auto& library = libraries[plugin];
    if (!library) {
      std::string error;
      library = dashlight::PluginLibrary::Load(plugin, error);
      if (!library) {
        std::fprintf(stderr, "dashlight: [%s]: %s\n",
                     moonfold::Utf8FromUtf16(FromHost(section)).c_str(), error.c_str());
        libraries.erase(plugin);
        status = 1;
        continue;
      }
    }
    const std::uint32_t id = index + 1;
    library->Entry().initialize(nullptr, nullptr, section, id);
    instances.push_back({FromHost(section), id, &library->Entry()});
  }

  for (const Instance& instance : instances) {
    const DashlightChar* text = instance.entry->get_string(instance.id);
    Print(moonfold::Utf8FromUtf16(instance.section) + "\t" +
          (text != nullptr ? moonfold::Utf8FromUtf16(FromHost(text)) : "(null)") + "\n");
  }
  std::fflush(stdout);
  for (const Instance& instance : instances) instance.entry->finalize();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  try {
    const std::vector<std::string> args = moonfold::Utf8Arguments(argc, argv);
    if (args.size() != 1) {
      std::fprintf(stderr, "usage: dashlight CONFIG\n");
      return 2;
    }
    return Run(args[0]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dashlight: %s\n", e.what());
    return 1;
  }
}
