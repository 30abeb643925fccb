// The tables keyed by id: every row of a date table names one id, each id
// once, and every id has a name in both scripts.  The tables and the names
// are made from one data file each (tools/make_name_tables.py), so a row
// and its name cannot part; these hold what the code relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "festivals/festivals.h"
#include "texts/calendar_texts.h"
#include "texts/names.h"

namespace moonfold::texts {
namespace {

template <typename Ids, typename Names>
void EachIdOnceWithANameInBothScripts(const Ids& ids, Names ScriptNames::*names) {
  std::vector<unsigned> sorted(ids.begin(), ids.end());
  std::sort(sorted.begin(), sorted.end());
  std::vector<unsigned> expected(sorted.size());
  std::iota(expected.begin(), expected.end(), 0u);
  EXPECT_EQ(sorted, expected);
  for (const Script script : {Script::kSimplified, Script::kTraditional}) {
    const auto& table = NamesOf(script).*names;
    ASSERT_EQ(table.size(), ids.size());
    for (const Name name : table) EXPECT_FALSE(name.empty());
  }
}

TEST(TableNames, EveryRowNamesOneIdAndEveryIdItsName) {
  EachIdOnceWithANameInBothScripts(kFixedDateFestivalIds, &ScriptNames::fixed_date_festivals);
  EachIdOnceWithANameInBothScripts(kWeekdayFestivalIds, &ScriptNames::weekday_festivals);
  EachIdOnceWithANameInBothScripts(kLastWeekdayFestivalIds, &ScriptNames::last_weekday_festivals);
  EachIdOnceWithANameInBothScripts(kLunarFestivalIds, &ScriptNames::lunar_festivals);
  EXPECT_EQ(kFixedDateFestivalDays.size(), kFixedDateFestivalIds.size());
  EXPECT_EQ(kLunarFestivalDays.size() + 1 + kTermFestivals.size(), kLunarFestivalIds.size());
}

TEST(TableNames, AFestivalIsNamedByItsIdNotItsRow) {
  const struct {
    FestivalTable table;
    unsigned id;
    Name name;
  } kCases[]{
      {FestivalTable::kFixedDate, 0, u"元旦"},
      {FestivalTable::kLastWeekday, 4, u"感恩节(US)"},
      {FestivalTable::kLunar, 4, u"元宵(上元)节"},
      {FestivalTable::kLunar, 21, u"除夕"},
  };
  for (const auto& c : kCases) {
    // The row that holds the id, wherever its date puts it.
    const auto find = [&](const auto& ids) {
      return static_cast<std::uint8_t>(std::find(ids.begin(), ids.end(), c.id) - ids.begin());
    };
    const std::uint8_t row = c.table == FestivalTable::kFixedDate ? find(kFixedDateFestivalIds)
                             : c.table == FestivalTable::kLastWeekday
                                 ? find(kLastWeekdayFestivalIds)
                                 : find(kLunarFestivalIds);
    EXPECT_EQ(FestivalKey({c.table, row}), c.id);
    EXPECT_EQ(FestivalName({c.table, row}, Script::kSimplified), c.name);
  }
  // A row past a table is no festival and has no name.
  EXPECT_EQ(FestivalName({FestivalTable::kLunar, 200}, Script::kSimplified), Name{});
}

}  // namespace
}  // namespace moonfold::texts
