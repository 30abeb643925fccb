// libMoonfold.so through its exports, with the stand-in host's library
// answering ReadConfigString and the machine's own clock (the date check
// passes on any day from 1990 to 2050).
#include <gtest/gtest.h>

#include <string>

#include "host/dashlight.h"
#include "moonfold_version.h"
#include "plugin/moonfold.h"

namespace {

std::u16string Text(std::uint32_t id) {
  const MoonfoldChar* text = GetString(id);
  return text != nullptr ? std::u16string(text) : u"(null)";
}

TEST(MoonfoldExports, ConstantExports) {
  EXPECT_EQ(Update2(12345), 0.0);
  EXPECT_EQ(GetPluginVersion(), moonfold::kPluginVersion);
  ASSERT_NE(GetPluginAuthor(), nullptr);
  EXPECT_FALSE(std::u16string(GetPluginAuthor()).empty());
}

TEST(MoonfoldExports, SetsUpInstancesFromTheHostsConfiguration) {
  ASSERT_EQ(DashlightLoadConfigText("[Day]\nMoonfold=lunarday\n"
                                    "[Animal]\nMoonfold=TWELVEANIMALS\n"
                                    "[Bad]\nMoonfold=\" LUNARDAY\"\n"),
            3)
      << DashlightLastError();
  EXPECT_EQ(GetString(1), nullptr);
  EXPECT_EQ(Initialize(nullptr, nullptr, u"Day", 1), 0u);
  EXPECT_EQ(Initialize(nullptr, nullptr, u"Animal", 2), 0u);
  EXPECT_EQ(Text(1).size(), 2u);
  EXPECT_EQ(Text(2).size(), 1u);

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Initialize(nullptr, nullptr, u"Bad", 3), 0u);
  EXPECT_EQ(Initialize(nullptr, nullptr, nullptr, 4), 0u);  // no section: empty value
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Dashlight: Moonfold= LUNARDAY 键值无效 [Bad ].\n"
            "Dashlight: Moonfold= 键值无效 [ ].\n");
  EXPECT_EQ(GetString(3), nullptr);

  Finalize();
  EXPECT_EQ(Text(1).size(), 2u);  // Finalize removes nothing
}

}  // namespace
