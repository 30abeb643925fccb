// A program built once against the C++ interface, run under two builds of
// the library: the one of the tree, and one rebuilt with a year of notices
// more.  It prints what it is told of 2027-01-01 and exits 0 when that is
// what its argument expects: "unannounced" or "off".  Nothing of the
// calendar is compiled into it, so the answer is the library's.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "moonfold/moonfold.hpp"

int main(int argc, char** argv) {
  using namespace std::chrono;
  if (argc != 2) return 2;
  const auto worked = moonfold::IsWorkingDay(sys_days{year{2027} / 1 / 1});
  const char* answer = !worked ? "unannounced" : *worked ? "working" : "off";
  const auto facts = moonfold::FactsOf(local_days{year{2027} / 1 / 1} + hours{9});
  const auto text = moonfold::KeywordTextUtf8("DAYOFF", *facts, moonfold::Script::kSimplified);
  std::printf("2027-01-01: %s (DAYOFF \"%s\")\n", answer, text ? text->c_str() : "?");
  const bool off_text = text && *text == "休";
  return std::strcmp(answer, argv[1]) == 0 && off_text == (std::strcmp(argv[1], "off") == 0) ? 0
                                                                                             : 1;
}
