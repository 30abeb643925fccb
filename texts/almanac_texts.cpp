#include "texts/almanac_texts.h"

#include "texts/calendar_texts.h"

namespace moonfold::texts {

unsigned AlmanacMonthOf(const DayFacts& f) noexcept { return AlmanacMonthBranch(f.terms.latest); }

unsigned MansionOfDay(const DayFacts& f) noexcept {
  return MansionOf(std::chrono::sys_days{f.date});
}

std::u16string TwelveGodName(unsigned god, Script s) {
  const ScriptNames& names = NamesOf(s);
  std::u16string text(NameAt(names.twelve_gods, god));
  text += u'(';
  text += IsYellowPath(god) ? names.labels.yellow_path : names.labels.black_path;
  text += u')';
  return text;
}

std::u16string DutyText(const DayFacts& f, Script s) {
  return std::u16string(
      NameAt(NamesOf(s).duty_officers, DutyOfficer(f.day_cycle.Branch(), AlmanacMonthOf(f))));
}

std::u16string DayGodText(const DayFacts& f, Script s) {
  return TwelveGodName(TwelveGod(f.day_cycle.Branch(), AlmanacMonthOf(f)), s);
}

std::u16string MansionText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).mansions, MansionOfDay(f)));
}

std::u16string ClashText(const DayFacts& f, Script s) {
  const ScriptNames& names = NamesOf(s);
  const Clash clash = ClashOf(f.day_cycle);
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
  text += NameAt(names.directions, static_cast<std::size_t>(JoyGodOf(f.day_cycle.Stem())));
  text += u' ';
  text += names.labels.wealth_god;
  text += NameAt(names.directions, static_cast<std::size_t>(WealthGodOf(f.day_cycle.Stem())));
  return text;
}

std::u16string LuckyHoursText(const DayFacts& f, Script s) {
  const ScriptNames& names = NamesOf(s);
  std::u16string text;
  for (unsigned hour = 0; hour < 12; ++hour) {
    if (!IsYellowPath(TwelveGod(hour, f.day_cycle.Branch()))) continue;
    if (!text.empty()) text += u' ';
    text += NameAt(names.branches, hour);
  }
  return text;
}

}  // namespace moonfold::texts
