#include "texts/almanac_texts.h"

#include "texts/calendar_texts.h"

namespace moonfold::texts {

std::u16string TwelveGodName(unsigned god, Script s) {
  const ScriptNames& names = NamesOf(s);
  std::u16string text(NameAt(names.twelve_gods, god));
  text += u'(';
  text += IsYellowPath(god) ? names.labels.yellow_path : names.labels.black_path;
  text += u')';
  return text;
}

std::u16string DutyText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).duty_officers, f.almanac.duty));
}

std::u16string DayGodText(const DayFacts& f, Script s) {
  return TwelveGodName(f.almanac.day_god, s);
}

std::u16string MansionText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).mansions, f.almanac.mansion));
}

std::u16string ClashText(const DayFacts& f, Script s) {
  const ScriptNames& names = NamesOf(s);
  const Clash& clash = f.almanac.clash;
  std::u16string text(names.labels.clash);
  text += NameAt(names.animals, clash.against.Branch());
  text += u'(';
  text += CycleName(clash.against, s);
  text += u')';
  text += names.labels.sha;
  text += NameAt(names.quarters, static_cast<std::size_t>(clash.sha));
  return text;
}

std::u16string PengzuText(const DayFacts& f, Script s) {
  const ScriptNames& names = NamesOf(s);
  std::u16string text(NameAt(names.pengzu_stems, f.day_cycle.Stem()));
  text += u' ';
  text += NameAt(names.pengzu_branches, f.day_cycle.Branch());
  return text;
}

std::u16string DirectionsText(const DayFacts& f, Script s) {
  const ScriptNames& names = NamesOf(s);
  std::u16string text(names.labels.joy_god);
  text += NameAt(names.directions, static_cast<std::size_t>(f.almanac.joy_god));
  text += u' ';
  text += names.labels.wealth_god;
  text += NameAt(names.directions, static_cast<std::size_t>(f.almanac.wealth_god));
  return text;
}

std::u16string LuckyHoursText(const DayFacts& f, Script s) {
  const ScriptNames& names = NamesOf(s);
  std::u16string text;
  for (unsigned hour = 0; hour < 12; ++hour) {
    if ((f.almanac.lucky_hours >> hour & 1u) == 0) continue;
    if (!text.empty()) text += u' ';
    text += NameAt(names.branches, hour);
  }
  return text;
}

}  // namespace moonfold::texts
