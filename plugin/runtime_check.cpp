// A library linked exactly as Moonfold.dll is, whose code reaches every
// throw helper of libstdc++ that runtime_windows.cpp replaces, through
// ordinary calls and directly.  If the replacement ever misses one, the
// linker pulls libstdc++'s own object in beside it and this library fails
// to link, in the build, before any test runs.
#include <bits/functexcept.h>

#include <string>
#include <vector>

extern "C" __declspec(dllexport) int RuntimeCheck(int which, const char* text) {
  try {
    std::vector<int> numbers(3);
    const std::string s(text);
    switch (which) {
      case 0: return numbers.at(static_cast<std::size_t>(which) + 5);
      case 1: return static_cast<int>(s.substr(100).size());
      case 2: return std::stoi(s);
      case 3: std::__throw_bad_cast();
      case 4: std::__throw_bad_exception();
      case 5: std::__throw_bad_typeid();
      case 6: std::__throw_domain_error(text);
      case 7: std::__throw_invalid_argument(text);
      case 8: std::__throw_overflow_error(text);
      case 9: std::__throw_range_error(text);
      case 10: std::__throw_runtime_error(text);
      case 11: std::__throw_underflow_error(text);
      case 12: std::__throw_logic_error(text);
      case 13: std::__throw_bad_array_new_length();
      case 14: std::__throw_out_of_range(text);
      default: std::__throw_length_error(text);
    }
  } catch (...) {
    return -1;
  }
}
