// A program's arguments as UTF-8, on every platform.
#pragma once

#include <string>
#include <vector>

namespace moonfold {

// The arguments after the program name.  On Windows they come from the wide
// command line: main() receives them in the ANSI code page, which cannot
// hold 月 or most file names in Chinese.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace moonfold
