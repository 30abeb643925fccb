// What the package's tests read of the module's memory: the bytes malloc
// has handed out and not taken back, so that a run of a million calls can
// show that it leaves none behind.
#include <malloc.h>

#include <cstddef>

extern "C" __attribute__((used, visibility("default"))) std::size_t moonfold_web_heap_in_use() {
  return static_cast<std::size_t>(mallinfo().uordblks);
}
