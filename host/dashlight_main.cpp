// dashlight [--updates N [--interval SECONDS]] CONFIG: the stand-in host.
// Loads the plug-in named by each section's Plugin= line, sets up one
// instance per section (id = the section's 1-based position), prints each
// instance's text as "section<TAB>text" in UTF-8 ("(null)" when the plug-in
// gives none), then finalises every instance.
//
// With --updates it then runs N update cycles as the real host does while
// it stays open: every SECONDS (default 1), Update2 and then GetString for
// every instance, printing "local time<TAB>section<TAB>text" for each text
// that changed.  With DASHLIGHT_CLOCK=YYYY-MM-DDTHH:MM[:SS] in the
// environment the host runs a clock of its own from that local time, which
// each cycle moves on by SECONDS at once instead of waiting.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "host/dashlight.h"
#include "host/host_clock.h"
#include "host/plugin_library.h"
#include "common/command_line.h"
#include "common/utf8.h"

#if !defined(_WIN32)
// libMoonfold.so reads the time through the C library's timespec_get.  The
// dashlight program defines it (and exports it, so that it is found before
// the C library's), to answer with its own clock while one runs.
extern "C" __attribute__((visibility("default"))) int timespec_get(timespec* now,
                                                                   int base) noexcept {
  if (base != TIME_UTC) return 0;
  if (dashlight::OwnClockRunning()) {
    now->tv_sec = static_cast<std::time_t>(dashlight::OwnClockSeconds());
    now->tv_nsec = 0;
    return base;
  }
  return clock_gettime(CLOCK_REALTIME, now) == 0 ? base : 0;
}
#endif

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
  std::u16string text;  // as last shown
};

struct Options {
  std::string config;
  long updates = 0;
  long interval = 1;  // seconds
};

std::u16string TextOf(const Instance& instance) {
  const DashlightChar* text = instance.entry->get_string(instance.id);
  return text != nullptr ? FromHost(text) : u"(null)";
}

// N cycles of Update2 and GetString for every instance, one every interval.
void RunUpdates(std::vector<Instance>& instances, const Options& options) {
  for (long cycle = 0; cycle < options.updates; ++cycle) {
    if (dashlight::OwnClockRunning()) {
      dashlight::AdvanceOwnClock(options.interval);
    } else {
      std::this_thread::sleep_for(std::chrono::seconds(options.interval));
    }
    for (Instance& instance : instances) {
      if (instance.entry->update2 != nullptr) instance.entry->update2(instance.id);
      std::u16string text = TextOf(instance);
      if (text == instance.text) continue;
      instance.text = std::move(text);
      Print(dashlight::LocalTimeText() + "\t" + moonfold::Utf8FromUtf16(instance.section) +
            "\t" + moonfold::Utf8FromUtf16(instance.text) + "\n");
    }
    std::fflush(stdout);
  }
}

int Run(const Options& options) {
  const std::string& config = options.config;
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
      if (library && dashlight::OwnClockRunning() && !dashlight::GiveOwnClock(library->Handle())) {
        error = "the plug-in reads no clock that the host can replace";
        library.reset();
      }
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
    instances.push_back({FromHost(section), id, &library->Entry(), {}});
  }

  for (Instance& instance : instances) {
    instance.text = TextOf(instance);
    Print(moonfold::Utf8FromUtf16(instance.section) + "\t" +
          moonfold::Utf8FromUtf16(instance.text) + "\n");
  }
  std::fflush(stdout);
  RunUpdates(instances, options);
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
    Options options;
    bool usage_error = args.empty();
    for (std::size_t i = 0; i < args.size() && !usage_error; ++i) {
      const auto number = [&](long& value, long least) {
        char* end = nullptr;
        if (i + 1 >= args.size()) return false;
        const std::string& text = args[++i];
        value = std::strtol(text.c_str(), &end, 10);
        return !text.empty() && *end == '\0' && value >= least && value <= 100'000'000;
      };
      if (args[i] == "--updates") {
        usage_error = !number(options.updates, 0);
      } else if (args[i] == "--interval") {
        usage_error = !number(options.interval, 1);
      } else if (i + 1 == args.size() && options.config.empty()) {
        options.config = args[i];
      } else {
        usage_error = true;
      }
    }
    if (usage_error || options.config.empty()) {
      std::fprintf(stderr, "usage: dashlight [--updates N [--interval SECONDS]] CONFIG\n");
      return 2;
    }
    if (const char* start = std::getenv("DASHLIGHT_CLOCK"); start != nullptr && *start != '\0') {
      if (!dashlight::StartOwnClock(start)) {
        std::fprintf(stderr, "dashlight: DASHLIGHT_CLOCK=%s: expected YYYY-MM-DDTHH:MM[:SS]\n",
                     start);
        return 2;
      }
    }
    return Run(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dashlight: %s\n", e.what());
    return 1;
  }
}
