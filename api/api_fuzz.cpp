// The C interface under libFuzzer: a keyword, a date, a time, a script and
// a buffer size from the input; the text must stay inside the buffer, end
// with its zero and say its whole length, or the call give an error code.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "moonfold/moonfold.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 10) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<int>(data[i]); };
  const int year = 1880 + byte(0) % 240, month = byte(1) % 15 - 1, day = byte(2) % 34 - 1;
  const int hour = byte(3) % 26 - 1, minute = byte(4) % 62 - 1, script = byte(5) % 4 - 1;
  const std::size_t buffer_size = static_cast<std::size_t>(byte(6)) % 80;
  const std::string keyword(reinterpret_cast<const char*>(data + 10), size - 10);
  std::vector<char> buffer(buffer_size + 1, '\x7f');  // one guard byte past the end
  const int n = moonfold_text(keyword.c_str(), year, month, day, hour, minute, script,
                              buffer_size > 0 ? buffer.data() : nullptr, buffer_size);
  if (buffer[buffer_size] != '\x7f') std::abort();  // written past size
  if (n >= 0 && buffer_size > 0) {
    const std::size_t end =
        static_cast<std::size_t>(n) < buffer_size ? static_cast<std::size_t>(n) : buffer_size - 1;
    if (buffer[end] != '\0' || std::strlen(buffer.data()) != end) std::abort();
  }
  if (n < MOONFOLD_ERROR_MEMORY) std::abort();
  moonfold_lunar_date lunar{};
  if (moonfold_to_lunar(year, month, day, (byte(7) & 1) ? &lunar : nullptr) == MOONFOLD_OK) {
    int y = 0, m = 0, d = 0;
    if (moonfold_from_lunar(&lunar, &y, &m, &d) != MOONFOLD_OK || y != year || m != month ||
        d != day)
      std::abort();
  }
  const moonfold_lunar_date any{year, byte(8) % 15 - 1, byte(9) % 33 - 1,
                                byte(7) % 3 - (byte(7) & 1)};
  int y = 0, m = 0, d = 0;
  moonfold_from_lunar(&any, &y, &m, &d);
  return 0;
}
