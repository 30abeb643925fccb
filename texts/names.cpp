#include "texts/names.h"

#include "texts/names_simplified.h"
#include "texts/names_traditional.h"

namespace moonfold::texts {
namespace {

// In the order of Script.
constexpr std::array<const ScriptNames*, kScriptCount> kScripts{&kSimplifiedNames,
                                                                &kTraditionalNames};

}  // namespace

const ScriptNames& NamesOf(Script script) noexcept {
  const auto index = static_cast<std::size_t>(script);
  return *kScripts[index < kScripts.size() ? index : 0];
}

}  // namespace moonfold::texts
