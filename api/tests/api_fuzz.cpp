// Every call of the C interface under libFuzzer.  The first byte picks the
// call, the next 32 give eight numbers of the whole int range (years,
// months, days, hours, kinds, ids, sizes), the rest is a keyword or a
// holiday file's text.  Whatever the input: nothing is written outside a
// buffer or a struct, every text is terminated and whole UTF-8, every
// result is a documented one, and what a call answers holds together.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "api/tests/c_api_support.h"
#include "moonfold/moonfold.h"

namespace {

struct Input {
  int op = 0;
  std::int32_t n[8]{};
  std::string rest;
};

Input Read(const std::uint8_t* data, std::size_t size) {
  Input in;
  if (size == 0) return in;
  in.op = data[0];
  std::size_t at = 1;
  for (std::int32_t& v : in.n) {
    std::uint32_t u = 0;
    for (int b = 0; b < 4; ++b)
      u |= static_cast<std::uint32_t>(at < size ? data[at++] : 0) << 8 * b;
    std::memcpy(&v, &u, sizeof v);
  }
  if (at < size) in.rest.assign(reinterpret_cast<const char*>(data + at), size - at);
  return in;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// A call that writes a text into a buffer of `size` with guards about it.
template <typename Write>
void Text(std::size_t size, Write write) {
  std::vector<char> guarded(size + 2, '\x7f');
  char* buffer = guarded.data() + 1;
  const int n = write(size > 0 ? buffer : nullptr, size);
  Check(guarded.front() == '\x7f' && guarded.back() == '\x7f');
  Check(n >= MOONFOLD_ERROR_LAST);
  if (n < 0 || size == 0) return;
  const std::size_t written = std::strlen(buffer);
  Check(written < size && written <= static_cast<std::size_t>(n));
  Check(moonfold::test::ValidUtf8({buffer, written}));
}

// The facts into a struct of the size asked for, guarded past its end.
void Facts(const Input& in, const moonfold_arrangement_t* arrangement) {
  const std::size_t size = static_cast<std::uint32_t>(in.n[6]) % (sizeof(moonfold_facts_t) + 64);
  std::vector<unsigned char> bytes(sizeof(moonfold_facts_t) + 64, 0xA5);
  std::memcpy(bytes.data(), &size, sizeof size);
  auto* f = reinterpret_cast<moonfold_facts_t*>(bytes.data());
  const int r = moonfold_facts_with(in.n[0], in.n[1], in.n[2], in.n[3], in.n[4], arrangement, f);
  Check(r <= 0 && r >= MOONFOLD_ERROR_LAST);
  Check(f->size == size);
  const std::size_t written =
      r == MOONFOLD_OK ? std::min(size, sizeof(moonfold_facts_t)) : sizeof size;
  for (std::size_t i = written; i < bytes.size(); ++i) Check(bytes[i] == 0xA5);
  if (r != MOONFOLD_OK || size < sizeof(moonfold_facts_t)) return;
  Check(f->lunar.month >= 1 && f->lunar.month <= 12 && f->lunar.day >= 1 && f->lunar.day <= 30);
  Check(f->year_cycle >= 0 && f->year_cycle < 60 && f->pillar_hour >= 0 && f->pillar_hour < 60);
  Check(f->solar_term >= -1 && f->solar_term < 24 && f->pentad >= 0 && f->pentad < 72);
  Check(f->official >= MOONFOLD_DAY_UNANNOUNCED && f->official <= MOONFOLD_DAY_MAKE_UP);
  // The day's lunar date is the one moonfold_to_lunar gives, and back.
  moonfold_lunar_date lunar{};
  Check(moonfold_to_lunar(in.n[0], in.n[1], in.n[2], &lunar) == MOONFOLD_OK);
  Check(lunar.year == f->lunar.year && lunar.month == f->lunar.month && lunar.day == f->lunar.day);
  int y = 0, m = 0, d = 0;
  Check(moonfold_from_lunar(&lunar, &y, &m, &d) == MOONFOLD_OK);
  Check(y == in.n[0] && m == in.n[1] && d == in.n[2]);
  const int worked = moonfold_workday(y, m, d, arrangement);
  Check(worked == 0 || worked == 1 || worked == MOONFOLD_ERROR_UNANNOUNCED);
  Check((worked == MOONFOLD_ERROR_UNANNOUNCED) == (f->official == MOONFOLD_DAY_UNANNOUNCED));
}

// A year or a few of events, into an array of the stride asked for.
void Events(const Input& in, const moonfold_arrangement_t* arrangement) {
  const int first = in.n[0];
  const int last = first > INT_MAX - 3 ? INT_MAX : first + (in.n[1] & 3);
  const auto kinds = static_cast<unsigned>(in.n[2]) & 0x7F;
  const std::size_t capacity = static_cast<std::uint32_t>(in.n[3]) % 8;
  const std::size_t stride = static_cast<std::uint32_t>(in.n[4]) % (sizeof(moonfold_event_t) + 32);
  std::vector<unsigned char> bytes(capacity * stride + 64, 0x5A);
  if (capacity > 0 && stride >= sizeof stride) std::memcpy(bytes.data(), &stride, sizeof stride);
  auto* events = capacity > 0 && stride >= sizeof stride
                     ? reinterpret_cast<moonfold_event_t*>(bytes.data())
                     : nullptr;
  const int r =
      moonfold_events_with(first, last, kinds, arrangement, events, events ? capacity : 0);
  Check(r >= MOONFOLD_ERROR_LAST);
  for (std::size_t i = events ? capacity * stride : 0; i < bytes.size(); ++i)
    Check(bytes[i] == 0x5A);
  if (r <= 0 || events == nullptr) return;
  for (std::size_t i = 0; i < capacity && i < static_cast<std::size_t>(r); ++i) {
    moonfold_event_t e{};
    std::memcpy(&e, bytes.data() + i * stride, std::min(stride, sizeof e));
    Check(e.size == stride &&
          (static_cast<unsigned>(e.kind) & kinds) == static_cast<unsigned>(e.kind) &&
          e.date.year >= first && e.date.year <= last);
    Text(16, [&](char* b, std::size_t n) { return moonfold_name(e.name_kind, e.id, 1, b, n); });
  }
}

void Arrangement(const Input& in) {
  char why[128];
  std::memset(why, 'x', sizeof why);
  const std::size_t size = static_cast<std::uint32_t>(in.n[7]) % sizeof why;
  moonfold_arrangement_t* a = moonfold_arrangement_read("f.tsv", in.rest.data(), in.rest.size(),
                                                        size ? why : nullptr, size);
  if (a == nullptr) {
    // Refused, naming the file, in as much of the buffer as there is.
    if (size >= 6) Check(std::strncmp(why, "f.tsv", 5) == 0);
    if (size > 0) Check(moonfold::test::ValidUtf8(why) && std::strlen(why) < size);
    return;
  }
  Text(size, [&](char* b, std::size_t n) { return moonfold_arrangement_warnings(a, b, n); });
  Facts(in, a);
  Events(in, a);
  Check(moonfold_year_announced(in.n[0], a) == 0 || moonfold_year_announced(in.n[0], a) == 1);
  moonfold_arrangement_close(a);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Input in = Read(data, size);
  const std::size_t buffer = static_cast<std::uint32_t>(in.n[7]) % 96;
  switch (in.op % 6) {
    case 0:
      Text(buffer, [&](char* b, std::size_t n) {
        return moonfold_text(in.rest.c_str(), in.n[0], in.n[1], in.n[2], in.n[3], in.n[4], in.n[5],
                             b, n);
      });
      break;
    case 1: Facts(in, nullptr); break;
    case 2:
      Text(buffer,
           [&](char* b, std::size_t n) { return moonfold_name(in.n[0], in.n[1], in.n[2], b, n); });
      break;
    case 3: Events(in, nullptr); break;
    case 4: Arrangement(in); break;
    case 5: {
      const moonfold_lunar_date any{in.n[0], in.n[1], in.n[2], in.n[3]};
      int y = 0, m = 0, d = 0;
      const int r = moonfold_from_lunar(&any, &y, &m, &d);
      Check(r <= 0 && r >= MOONFOLD_ERROR_LAST);
      if (r == MOONFOLD_OK) {
        moonfold_lunar_date back{};
        Check(moonfold_to_lunar(y, m, d, &back) == MOONFOLD_OK);
        Check(back.year == any.year && back.month == any.month && back.day == any.day &&
              back.leap == any.leap);
      }
      Check(moonfold_strerror(in.n[0]) != nullptr);
      break;
    }
  }
  return 0;
}
