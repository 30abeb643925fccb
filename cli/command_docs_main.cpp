// Writes what is made from the command's tables when it is built: the
// manual page (from its prose, cli/moonfold.1.in) and the bash completion.
// Usage: moonfold_docs manual TEMPLATE OUT | moonfold_docs completion OUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/command_docs.h"
#include "moonfold_version.h"

namespace {

bool Write(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "completion" && argc == 3) {
    return Write(argv[2], moonfold::cli::CompletionScript()) ? 0 : 1;
  }
  if (what == "manual" && argc == 4) {
    std::ifstream in(argv[2], std::ios::binary);
    std::string page{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) return 1;
    for (std::size_t at; (at = page.find("@PROJECT_VERSION@")) != std::string::npos;)
      page.replace(at, 17, moonfold::kVersionText);
    return Write(argv[3], moonfold::cli::ManualPage(page)) ? 0 : 1;
  }
  std::fputs("usage: moonfold_docs manual TEMPLATE OUT | moonfold_docs completion OUT\n", stderr);
  return 2;
}
