#include "tests/support/counting_allocator.h"

#include <cstdlib>
#include <new>

namespace moonfold::testing {
namespace {

// Plain globals: the tests that use them run on one thread.
std::size_t g_count = 0;
bool g_limited = false;
std::size_t g_left = 0;
bool g_refused = false;

}  // namespace

std::size_t AllocationCount() noexcept { return g_count; }

void FailAllocationsAfter(std::size_t successes) noexcept {
  g_limited = true;
  g_left = successes;
  g_refused = false;
}

void AllowAllocations() noexcept { g_limited = false; }

bool AllocationWasRefused() noexcept { return g_refused; }

}  // namespace moonfold::testing

void* operator new(std::size_t size) {
  using namespace moonfold::testing;
  if (g_limited) {
    if (g_left == 0) {
      g_refused = true;
      throw std::bad_alloc();
    }
    --g_left;
  }
  ++g_count;
  if (void* p = std::malloc(size != 0 ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
