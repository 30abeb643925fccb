#include "texts/names.h"

#include <type_traits>

#include "texts/names_simplified.h"
#include "texts/names_traditional.h"

namespace moonfold::texts {
namespace {

// Every script is a whole table of one shape, name for name.
static_assert(std::is_same_v<decltype(kSimplifiedNames), decltype(kTraditionalNames)>);
static_assert(sizeof(kSimplifiedNames) == sizeof(kTraditionalNames));

// In the order of Script.
constexpr std::array<const ScriptNames*, kScriptCount> kScripts{&kSimplifiedNames,
                                                                &kTraditionalNames};

}  // namespace

const ScriptNames& NamesOf(Script script) noexcept {
  const auto index = static_cast<std::size_t>(script);
  return *kScripts[index < kScripts.size() ? index : 0];
}

}  // namespace moonfold::texts
