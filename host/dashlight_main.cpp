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
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "common/command_line.h"
#include "common/utf8.h"
#include "host/dashlight.h"
#include "host/host_clock.h"
#include "host/plugin_library.h"

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

// Output that could not be written is reported at the end, with the
// system's reason, rather than lost quietly.
int g_write_error = 0;

void Print(const std::string& line) {
  if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size() && g_write_error == 0) {
    g_write_error = errno;
  }
}

// Flushes standard output; false, with the reason on standard error, when
// some of it could not be written.
bool OutputWritten() {
  if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && g_write_error == 0)
    g_write_error = errno;
  if (g_write_error == 0) return true;
  std::fprintf(stderr, "dashlight: cannot write the output — %s\n", std::strerror(g_write_error));
  return false;
}

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
      Print(dashlight::LocalTimeText() + "\t" + moonfold::Utf8FromUtf16(instance.section) + "\t" +
            moonfold::Utf8FromUtf16(instance.text) + "\n");
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
    const std::u16string plugin =
        FromHost(ReadConfigString(section, ToHost(u"Plugin"), ToHost(u"")));
    if (plugin.empty()) {
      // A section without a plug-in is no instance: say so, for a missing
      // Plugin= line is an easy slip.
      std::fprintf(stderr, "dashlight: [%s]: no Plugin= line; the section sets up nothing\n",
                   moonfold::Utf8FromUtf16(FromHost(section)).c_str());
      continue;
    }

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
  return OutputWritten() ? status : 1;
}

}  // namespace

constexpr char kUsage[] =
    "usage: dashlight [--updates N [--interval SECONDS]] CONFIG\n"
    "Sets up one plug-in instance per section of CONFIG and prints each one's\n"
    "text; with --updates, N update cycles more, one every SECONDS (1).\n";

// The options, or why they are refused (empty for --help).
std::variant<Options, std::string> ReadOptions(const std::vector<std::string>& args) {
  Options options;
  bool interval_given = false, updates_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return std::string();
    if (arg == "--updates" || arg == "--interval") {
      bool& given = arg == "--updates" ? updates_given : interval_given;
      if (given) return arg + " is given twice";
      given = true;
      if (i + 1 >= args.size()) return arg + " needs a number";
      const std::string& text = args[++i];
      char* end = nullptr;
      const long value = std::strtol(text.c_str(), &end, 10);
      const long least = arg == "--updates" ? 0 : 1;
      if (text.empty() || *end != '\0' || value < least || value > 100'000'000) {
        return arg + " " + text + ": expected a whole number from " + std::to_string(least) +
               " to 100000000" + (arg == "--interval" ? " (seconds between cycles)" : "");
      }
      (arg == "--updates" ? options.updates : options.interval) = value;
    } else if (!arg.empty() && arg[0] == '-') {
      return arg + " is not an option";
    } else if (options.config.empty()) {
      options.config = arg;
    } else {
      return "one CONFIG only";
    }
  }
  if (options.config.empty()) return "no CONFIG";
  if (interval_given && !updates_given) return "--interval goes with --updates";
  return options;
}

int main(int argc, char** argv) {
#if defined(_WIN32)
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  try {
    const std::vector<std::string> args = moonfold::Utf8Arguments(argc, argv);
    const auto read = ReadOptions(args);
    if (const auto* why = std::get_if<std::string>(&read)) {
      if (why->empty()) {
        Print(kUsage);
        return OutputWritten() ? 0 : 1;
      }
      std::fprintf(stderr, "dashlight: %s\n%s", why->c_str(), kUsage);
      return 2;
    }
    const Options& options = std::get<Options>(read);
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
