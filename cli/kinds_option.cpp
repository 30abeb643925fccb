#include "cli/kinds_option.h"

#include "cli/event_texts.h"
#include "common/ascii_case.h"
#include "common/utf8.h"

namespace moonfold::cli {

std::variant<EventKinds, Result> KindsOf(const Request& r) {
  EventKinds kinds = kDefaultKinds;
  if (r[Option("--kinds")]) {
    kinds = 0;
    std::string_view rest = *r[Option("--kinds")];
    while (true) {
      const std::string_view word = rest.substr(0, rest.find(','));
      bool known = false;
      for (const EventKind kind : kEventKinds) {
        // Whatever the case of its letters: TERM,Lunar is term,lunar.
        if (EqualsIgnoringAsciiCase(Utf16FromUtf8(word), Utf16FromUtf8(KindName(kind)))) {
          kinds |= KindBit(kind);
          known = true;
        }
      }
      if (!known)
        return Failure("--kinds " + *r[Option("--kinds")], "expected a list of " + KindNames());
      if (word.size() == rest.size()) break;
      rest.remove_prefix(word.size() + 1);
    }
  }
  if (r.Given(Option("--gregorian"))) kinds |= KindBit(EventKind::kGregorian);
  return kinds;
}

}  // namespace moonfold::cli
