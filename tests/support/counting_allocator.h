// A test build's global operator new that counts allocations and can be told
// to fail: after `FailAllocationsAfter(n)` the n+1-th allocation throws
// std::bad_alloc, as does every one after it until `AllowAllocations()`.
#pragma once

#include <cstddef>

namespace moonfold::testing {

std::size_t AllocationCount() noexcept;
void FailAllocationsAfter(std::size_t successes) noexcept;
void AllowAllocations() noexcept;
// True when an allocation was refused since the last FailAllocationsAfter.
bool AllocationWasRefused() noexcept;

}  // namespace moonfold::testing
