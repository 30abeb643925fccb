// The exported functions when memory runs out, and where they allocate at
// all.  A host process that is short of memory must not be brought down by
// the plug-in, and must not be shown half a text.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/counting_allocator.h"
#include "tests/support/seam_plugin.h"

namespace moonfold::testing {
namespace {

// Sets up `id` of `section` with the option `value` through the exports,
// with allocations failing after `successes`; returns whether any failed.
bool InitializeFailingAfter(std::size_t successes, const std::u16string& section,
                            std::uint32_t id) {
  FailAllocationsAfter(successes);
  std::uint32_t result = 1;
  try {
    result = Initialize(nullptr, nullptr, section.c_str(), id);
  } catch (...) {
    AllowAllocations();
    ADD_FAILURE() << "an exception left Initialize";
    return false;
  }
  AllowAllocations();
  EXPECT_EQ(result, 0u);
  return AllocationWasRefused();
}

TEST(AllocationFailure, LeavesEveryTextOldOrCompleteAndTheRegistryWhole) {
  FakePlatform& platform = SeamPlatform();
  platform.SetRecording(false);
  // Long texts (beyond the strings' own small buffer) on the first day, others
  // on the second, so that every slot changes between them.
  const struct {
    std::uint16_t year, month, day;
  } kDays[]{{2010, 11, 7}, {2012, 11, 29}, {2011, 2, 2}};

  std::uint32_t next_id = 1;
  for (std::size_t k = 0; k < kTextKindCount; ++k) {
    const std::u16string section = u"kind " + std::u16string(kTextKinds[k].keyword);
    platform.SetOption(section, std::u16string(kTextKinds[k].keyword));
  }
  const std::u16string bad_section(300, u'节');  // a long keyword message
  platform.SetOption(bad_section, std::u16string(500, u'x'));

  int refusals = 0;
  for (const auto& d : kDays) {
    for (std::size_t k = 0; k <= kTextKindCount; ++k) {
      const bool bad = k == kTextKindCount;
      const std::u16string section =
          bad ? bad_section : u"kind " + std::u16string(kTextKinds[k].keyword);
      const std::uint32_t id = next_id++;
      for (std::size_t successes = 0;; ++successes) {
        platform.SetClock(d.year, d.month, d.day);
        const ResultSlots before = SeamPlugin().Slots();
        const InstanceRegistry registry_before = SeamPlugin().Registry();
        const bool refused = InitializeFailingAfter(successes, section, id);
        const ResultSlots& after = SeamPlugin().Slots();

        // The texts a successful set-up gives, from a plug-in of its own.
        FakePlatform reference_platform;
        reference_platform.SetRecording(false);
        reference_platform.SetClock(d.year, d.month, d.day);
        reference_platform.SetOption(section, *platform.ConfigValue(section));
        MoonfoldPlugin reference(reference_platform);
        reference.Initialize(section.c_str(), id);

        for (std::size_t s = 0; s < after.size(); ++s) {
          const std::size_t kind = s / kScriptCount;
          const bool rebuilt = !reference.Slots()[s].text.empty() ||
                               kind == KindNamed(u"SOLAR").index || (!bad && kind == k);
          EXPECT_TRUE(after[s] == before[s] || (rebuilt && after[s] == reference.Slots()[s]))
              << "slot " << s << " after " << successes << " allocations";
        }
        const auto& registry = SeamPlugin().Registry();
        if (registry.count(id) != 0) {
          EXPECT_EQ(registry.size(), registry_before.size() + 1);
          const std::size_t slot =
              SlotOf(TextKind{static_cast<std::uint8_t>(k)}, Script::kSimplified);
          EXPECT_EQ(after[slot], reference.Slots()[slot]) << "recorded, so its text is complete";
        } else {
          EXPECT_EQ(registry, registry_before);
        }
        if (!refused) break;
        ++refusals;
        ASSERT_LT(successes, 100u);
      }
      if (!bad) {
        EXPECT_EQ(SeamPlugin().Registry().count(id), 1u);
      }
    }
  }
  EXPECT_GT(refusals, 0) << "no set-up allocated: the test tested nothing";
  std::printf("%d set-ups met a refused allocation; none let an exception out\n", refusals);
}

// Update2 rebuilds every text in use when the day changes; with memory
// short, each text is its old one or the complete new one.
TEST(AllocationFailure, Update2LeavesEveryTextOldOrComplete) {
  FakePlatform& platform = SeamPlatform();
  platform.SetRecording(false);
  constexpr std::uint32_t kFirstId = 50000;
  const auto set_up_on = [&](std::uint16_t year, std::uint16_t month, std::uint16_t day) {
    platform.SetClock(year, month, day);
    for (std::size_t k = 0; k < kTextKindCount; ++k) {
      const std::u16string section = u"update " + std::u16string(kTextKinds[k].keyword);
      platform.SetOption(section, std::u16string(kTextKinds[k].keyword));
      Initialize(nullptr, nullptr, section.c_str(), kFirstId + static_cast<std::uint32_t>(k));
    }
  };
  // The texts of 2012-11-29 as a fresh set-up gives them.
  set_up_on(2012, 11, 29);
  const ResultSlots expected = SeamPlugin().Slots();

  int refusals = 0;
  for (std::size_t successes = 0;; ++successes) {
    set_up_on(2010, 11, 7);
    const ResultSlots before = SeamPlugin().Slots();
    platform.SetClock(2012, 11, 29);
    FailAllocationsAfter(successes);
    double result = 1.0;
    try {
      result = Update2(kFirstId);
    } catch (...) {
      ADD_FAILURE() << "an exception left Update2";
    }
    AllowAllocations();
    EXPECT_EQ(result, 0.0);
    const ResultSlots& after = SeamPlugin().Slots();
    for (std::size_t s = 0; s < after.size(); ++s) {
      EXPECT_TRUE(after[s] == before[s] || after[s] == expected[s])
          << "slot " << s << " after " << successes << " allocations";
    }
    if (!AllocationWasRefused()) {
      EXPECT_EQ(after, expected);
      break;
    }
    ++refusals;
    // The next cycle, in which the host updates every instance, finishes
    // the work.
    for (std::uint32_t k = 0; k < kTextKindCount; ++k) Update2(kFirstId + k);
    EXPECT_EQ(SeamPlugin().Slots(), expected) << "after " << successes << " allocations";
    ASSERT_LT(successes, 100u);
  }
  EXPECT_GT(refusals, 0) << "Update2 allocated nothing: the test tested nothing";
}

TEST(Allocation, GetStringAndUpdate2AllocateNothing) {
  FakePlatform& platform = SeamPlatform();
  platform.SetClock(2010, 11, 7);
  platform.SetOption(u"feasts", u"FEASTS");
  Initialize(nullptr, nullptr, u"feasts", 90000);
  const std::size_t before = AllocationCount();
  for (int i = 0; i < 1000; ++i) {
    ASSERT_NE(GetString(90000), nullptr);
    ASSERT_EQ(GetString(90001 + i), nullptr);
    ASSERT_EQ(Update2(90000), 0.0);  // same day: nothing to rebuild
    ASSERT_EQ(Update2(90001 + i), 0.0);
  }
  EXPECT_EQ(AllocationCount(), before);
}

}  // namespace
}  // namespace moonfold::testing
