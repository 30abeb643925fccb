// moonfold_pe_check DLL i386|amd64: checks the headers of a built
// Moonfold.dll without running it, so that the 32-bit DLL is checked on a
// machine that cannot execute 32-bit code too.  A host finds the plug-in by
// its six undecorated export names and loads it beside Windows' own
// libraries and the host's Dashlight.dll; anything else in these tables is
// a DLL the host may fail to load.
//
// A native program, built with the host's compiler in the Windows builds;
// it reads the file as bytes and needs no Windows header.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

class PeFile {
 public:
  explicit PeFile(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  // Little-endian fields, at a file offset; nullopt past the end of the file.
  template <typename T>
  std::optional<T> Read(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return std::nullopt;
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
      value = static_cast<T>(value | static_cast<T>(static_cast<T>(bytes_[offset + i]) << (8 * i)));
    }
    return value;
  }

  // A NUL-terminated name at a file offset.
  std::optional<std::string> Name(std::size_t offset) const {
    if (offset >= bytes_.size()) return std::nullopt;
    const auto* begin = bytes_.data() + offset;
    const auto* end = std::find(begin, bytes_.data() + bytes_.size(), 0);
    if (end == bytes_.data() + bytes_.size()) return std::nullopt;
    return std::string(begin, end);
  }

  // Parses the headers; false for a file that is not a PE image.
  bool Open() {
    const auto pe = Read<std::uint32_t>(0x3C);
    if (Read<std::uint16_t>(0) != 0x5A4D || !pe || Read<std::uint32_t>(*pe) != 0x4550) return false;
    const std::size_t file_header = *pe + 4;
    machine_ = Read<std::uint16_t>(file_header).value_or(0);
    const auto sections = Read<std::uint16_t>(file_header + 2);
    const auto optional_size = Read<std::uint16_t>(file_header + 16);
    const std::size_t optional = file_header + 20;
    const auto magic = Read<std::uint16_t>(optional);
    if (!sections || !optional_size || !magic) return false;
    pe32_plus_ = *magic == 0x20B;
    directories_ = optional + (pe32_plus_ ? 112 : 96);
    for (std::size_t i = 0, at = optional + *optional_size; i < *sections; ++i, at += 40) {
      const auto virtual_size = Read<std::uint32_t>(at + 8);
      const auto virtual_address = Read<std::uint32_t>(at + 12);
      const auto raw_size = Read<std::uint32_t>(at + 16);
      const auto raw_offset = Read<std::uint32_t>(at + 20);
      if (!virtual_size || !virtual_address || !raw_size || !raw_offset) return false;
      sections_.push_back({*virtual_address, std::max(*virtual_size, *raw_size), *raw_offset});
    }
    return true;
  }

  std::uint16_t Machine() const { return machine_; }
  bool Pe32Plus() const { return pe32_plus_; }

  // Relative virtual address of a data directory (0 = export, 1 = import,
  // 13 = delay import), or 0 when the image has none.
  std::uint32_t Directory(int entry) const {
    return Read<std::uint32_t>(directories_ + 8 * static_cast<std::size_t>(entry)).value_or(0);
  }

  // The file offset of a relative virtual address.
  std::optional<std::size_t> Offset(std::uint32_t rva) const {
    for (const Section& s : sections_) {
      if (rva >= s.address && rva - s.address < s.size) return s.raw + (rva - s.address);
    }
    return std::nullopt;
  }
  template <typename T>
  std::optional<T> ReadAt(std::uint32_t rva) const {
    const auto offset = Offset(rva);
    return offset ? Read<T>(*offset) : std::nullopt;
  }
  std::optional<std::string> NameAt(std::uint32_t rva) const {
    const auto offset = Offset(rva);
    return offset ? Name(*offset) : std::nullopt;
  }

 private:
  struct Section {
    std::uint32_t address, size, raw;
  };
  std::vector<unsigned char> bytes_;
  std::vector<Section> sections_;
  std::uint16_t machine_ = 0;
  bool pe32_plus_ = false;
  std::size_t directories_ = 0;
};

struct Exports {
  std::string library;
  std::vector<std::string> names;
};

std::optional<Exports> ExportsOf(const PeFile& pe) {
  const std::uint32_t dir = pe.Directory(0);
  if (dir == 0) return Exports{};
  const auto name = pe.ReadAt<std::uint32_t>(dir + 12);
  const auto count = pe.ReadAt<std::uint32_t>(dir + 24);
  const auto names = pe.ReadAt<std::uint32_t>(dir + 32);
  if (!name || !count || !names) return std::nullopt;
  Exports result;
  result.library = pe.NameAt(*name).value_or("");
  for (std::uint32_t i = 0; i < *count; ++i) {
    const auto entry = pe.ReadAt<std::uint32_t>(*names + 4 * i);
    const auto text = entry ? pe.NameAt(*entry) : std::nullopt;
    if (!text) return std::nullopt;
    result.names.push_back(*text);
  }
  return result;
}

// Imported functions by name ("#n" for one imported by ordinal), keyed by
// the library's name as the table spells it.
std::optional<std::map<std::string, std::vector<std::string>>> ImportsOf(const PeFile& pe) {
  std::map<std::string, std::vector<std::string>> result;
  const std::uint32_t dir = pe.Directory(1);
  for (std::uint32_t d = dir; dir != 0; d += 20) {
    const auto lookup = pe.ReadAt<std::uint32_t>(d);
    const auto name = pe.ReadAt<std::uint32_t>(d + 12);
    const auto first = pe.ReadAt<std::uint32_t>(d + 16);
    if (!lookup || !name || !first) return std::nullopt;
    if (*name == 0) break;
    const auto library = pe.NameAt(*name);
    if (!library) return std::nullopt;
    auto& functions = result[*library];
    const unsigned width = pe.Pe32Plus() ? 8 : 4;
    for (std::uint32_t t = *lookup != 0 ? *lookup : *first;; t += width) {
      const auto thunk = pe.Pe32Plus() ? pe.ReadAt<std::uint64_t>(t)
                                       : std::optional<std::uint64_t>(pe.ReadAt<std::uint32_t>(t));
      if (!thunk) return std::nullopt;
      if (*thunk == 0) break;
      const std::uint64_t by_ordinal = pe.Pe32Plus() ? 1ull << 63 : 1ull << 31;
      if (*thunk & by_ordinal) {
        functions.push_back("#" + std::to_string(*thunk & 0xFFFF));
        continue;
      }
      const auto function = pe.NameAt(static_cast<std::uint32_t>(*thunk) + 2);
      if (!function) return std::nullopt;
      functions.push_back(*function);
    }
  }
  return result;
}

int failures = 0;

void Check(bool ok, const std::string& what) {
  if (!ok) {
    std::printf("FAILED: %s\n", what.c_str());
    ++failures;
  }
}

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[2], "i386") != 0 && std::strcmp(argv[2], "amd64") != 0)) {
    std::fprintf(stderr, "usage: moonfold_pe_check DLL i386|amd64\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  PeFile pe(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
  if (!in.good() && !in.eof()) {
    std::printf("FAILED: cannot read %s\n", argv[1]);
    return 1;
  }
  if (!pe.Open()) {
    std::printf("FAILED: %s is not a PE image\n", argv[1]);
    return 1;
  }
  const bool i386 = std::strcmp(argv[2], "i386") == 0;
  Check(pe.Machine() == (i386 ? 0x014C : 0x8664) && pe.Pe32Plus() == !i386,
        std::string("machine ") + (i386 ? "i386, PE32" : "x86-64, PE32+"));

  const auto exports = ExportsOf(pe);
  Check(exports.has_value(), "a readable export table");
  if (exports) {
    const std::vector<std::string> expected{"Finalize",  "GetPluginAuthor", "GetPluginVersion",
                                            "GetString", "Initialize",      "Update2"};
    Check(exports->library == "Moonfold.dll",
          "the export table names \"Moonfold.dll\", not \"" + exports->library + "\"");
    Check(exports->names == expected,
          "exactly the six undecorated exports, not: " + Joined(exports->names));
  }

  const auto imports = ImportsOf(pe);
  Check(imports.has_value(), "a readable import table");
  if (imports) {
    const std::vector<std::string> allowed{"Dashlight.dll", "KERNEL32.dll", "USER32.dll",
                                           "msvcrt.dll"};
    for (const auto& [library, functions] : *imports) {
      Check(std::find(allowed.begin(), allowed.end(), library) != allowed.end(),
            "imports only from " + Joined(allowed) + ", not from " + library);
    }
    const auto has = [&](const char* library, const char* function) {
      const auto found = imports->find(library);
      return found != imports->end() &&
             std::find(found->second.begin(), found->second.end(), function) != found->second.end();
    };
    Check(has("KERNEL32.dll", "GetLocalTime"), "GetLocalTime imported by name from KERNEL32.dll");
    Check(has("USER32.dll", "MessageBoxW"), "MessageBoxW imported by name from USER32.dll");
    Check(has("Dashlight.dll", "ReadConfigString"),
          "ReadConfigString imported by name from Dashlight.dll");
  }
  Check(pe.Directory(13) == 0, "no delay imports");

  if (failures == 0) std::printf("%s: the headers of Moonfold.dll for %s\n", argv[1], argv[2]);
  return failures == 0 ? 0 : 1;
}
