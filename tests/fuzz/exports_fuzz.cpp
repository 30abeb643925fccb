// libFuzzer target: drives the exported functions with whatever the fuzzer
// makes of the clock (any 16-bit value in every field), the option values
// (any UTF-16, unpaired surrogates and very long values included), null,
// empty and very long section names, and any ids.
//
// The input is a list of operations, each an opcode byte and its operands;
// a short input ends the list.  Sanitizers catch any read outside a table;
// the checks below catch a text that is not a terminated string or a result
// the host could not rely on.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "moonfold_version.h"
#include "tests/support/seam_plugin.h"
#include "texts/kinds.h"

namespace {

using moonfold::LocalDateRecord;
using moonfold::testing::SeamPlatform;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return size_ == 0; }
  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  std::uint16_t Unit() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
  std::uint32_t Word() { return static_cast<std::uint32_t>(Unit() | Unit() << 16); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

[[noreturn]] void Fail(const char* why) {
  std::fprintf(stderr, "exports_fuzz: %s\n", why);
  std::abort();
}

// Reads the whole text, as a host would; a sanitizer stops at any byte
// outside it.
std::size_t Length(const char16_t* text) {
  std::size_t n = 0;
  while (text[n] != u'\0') ++n;
  return n;
}

const std::u16string kSections[]{u"", u"A", u"B", std::u16string(64 * 1024, u'長')};

std::u16string OptionValue(Input& in) {
  switch (in.Byte() % 4) {
    case 0: {  // a keyword in mixed case
      std::u16string value(moonfold::kTextKinds[in.Byte() % moonfold::kTextKindCount].keyword);
      const std::uint16_t cases = in.Unit();
      for (std::size_t i = 0; i < value.size() && i < 16; ++i) {
        if (cases >> i & 1) value[i] = static_cast<char16_t>(value[i] | 0x20);
      }
      return value;
    }
    case 1: {  // any units
      std::u16string value(in.Byte(), u'\0');
      for (char16_t& c : value) c = static_cast<char16_t>(in.Unit());
      return value;
    }
    case 2: {  // a long value: a pattern repeated up to 1 Mi units
      const std::size_t length = std::size_t{in.Unit()} * 16;
      return std::u16string(length, static_cast<char16_t>(in.Unit()));
    }
    default: return u"";
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto& platform = SeamPlatform();
  platform.SetRecording(false);
  Input in(data, size);
  std::vector<std::uint32_t> ids;
  for (int op = 0; op < 64 && !in.Empty(); ++op) {
    switch (in.Byte() % 6) {
      case 0: {
        LocalDateRecord now;
        now.year = in.Unit();
        now.month = in.Unit();
        now.day_of_week = in.Unit();
        now.day = in.Unit();
        now.hour = in.Unit();
        now.minute = in.Unit();
        now.second = in.Unit();
        now.milliseconds = in.Unit();
        platform.SetClock(now);
        break;
      }
      case 1: {
        const std::u16string& section = kSections[in.Byte() % 4];
        if (in.Byte() % 8 == 0) {
          platform.SetOption(section, std::nullopt);
        } else {
          platform.SetOption(section, OptionValue(in));
        }
        break;
      }
      case 2: {
        const std::uint8_t which = in.Byte() % 5;
        const std::uint32_t id = in.Word();
        const char16_t* section = which == 4 ? nullptr : kSections[which].c_str();
        if (Initialize(nullptr, nullptr, section, id) != 0) Fail("Initialize gave non-zero");
        ids.push_back(id);
        break;
      }
      case 3: {
        const std::uint32_t id =
            ids.empty() || in.Byte() % 2 ? in.Word() : ids[in.Byte() % ids.size()];
        if (const char16_t* text = GetString(id)) {
          if (Length(text) > 64) Fail("a text longer than any table entry");
        }
        break;
      }
      case 4: {
        // The clock moves on, as it does while a host runs for days.
        const std::uint32_t id =
            ids.empty() || in.Byte() % 2 ? in.Word() : ids[in.Byte() % ids.size()];
        if (Update2(id) != 0.0) Fail("Update2 gave non-zero");
        break;
      }
      default:
        if (GetPluginVersion() != moonfold::kPluginVersion) Fail("wrong version");
        Length(GetPluginAuthor());
        Finalize();
        break;
    }
  }
  return 0;
}
